#include "QtUpdaterPrompt.h"

#include "UpdaterLanguage.h"

#include <QMessageBox>
#include <QPushButton>

UpdaterAnswer QtUpdaterPrompt::ask(const QString& title, const QString& text, UpdaterButtons buttons,
                                   UpdaterIcon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case UpdaterIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case UpdaterIcon::Information: box.setIcon(QMessageBox::Information); break;
    case UpdaterIcon::Question: box.setIcon(QMessageBox::Question); break;
    case UpdaterIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case UpdaterIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    switch (buttons) {
    case UpdaterButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        break;
    case UpdaterButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.addButton(Tx(QStringLiteral("Abbrechen"), QStringLiteral("Cancel")), QMessageBox::RejectRole);
        break;
    case UpdaterButtons::YesNo:
        yes = box.addButton(Tx(QStringLiteral("Ja"), QStringLiteral("Yes")), QMessageBox::YesRole);
        box.addButton(Tx(QStringLiteral("Nein"), QStringLiteral("No")), QMessageBox::NoRole);
        break;
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    if (clicked && clicked == ok)
        return UpdaterAnswer::Ok;
    if (clicked && clicked == yes)
        return UpdaterAnswer::Yes;
    // Closing a question box without a button means No / Cancel.
    if (yes)
        return UpdaterAnswer::No;
    return buttons == UpdaterButtons::Ok ? UpdaterAnswer::Ok : UpdaterAnswer::Cancel;
}
