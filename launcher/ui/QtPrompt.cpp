#include "ui/QtPrompt.h"

#include "config/Language.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Qt's own button captions are English unless its translations are
// installed; the launcher speaks the interface language on every button.
void nameButtons(QMessageBox& box)
{
    const struct {
        QMessageBox::StandardButton button;
        const char* german;
        const char* english;
    } names[] = {
        {QMessageBox::Ok, "OK", "OK"},
        {QMessageBox::Cancel, "Abbrechen", "Cancel"},
        {QMessageBox::Yes, "Ja", "Yes"},
        {QMessageBox::No, "Nein", "No"},
    };
    for (const auto& n : names)
        if (QAbstractButton* b = box.button(n.button))
            b->setText(Msg(QString::fromUtf8(n.german), QString::fromUtf8(n.english)));
}

} // namespace

PromptAnswer QtPrompt::ask(const QString& title, const QString& text, PromptButtons buttons,
                           PromptIcon icon)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case PromptIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case PromptIcon::Information: box.setIcon(QMessageBox::Information); break;
    case PromptIcon::Question: box.setIcon(QMessageBox::Question); break;
    case PromptIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case PromptButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case PromptButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case PromptButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    nameButtons(box);
    switch (box.exec()) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    default: return PromptAnswer::Cancel;
    }
}

bool QtPrompt::input(const QString& title, const QString& text, QString& value)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setTextValue(value);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(Msg(QStringLiteral("Abbrechen"), QStringLiteral("Cancel")));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    value = dialog.textValue();
    return true;
}
