#include "firststart/FirstStartView.h"

#include "config/Language.h"
#include "config/SettingsPaths.h"
#include "firststart/FirstStart.h"
#include "ui/LauncherAssembly.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QLabel>

FirstStartView::FirstStartView(LauncherAssembly& launcher, const QString& programFolder, const QString& exeName)
    : m_launcher(launcher), m_programFolder(programFolder), m_exeName(exeName)
{
    QWidget* area = m_launcher.lists().widget();
    m_hint = new QLabel(area);
    m_hint->setObjectName(QStringLiteral("FirstStartHint"));
    m_hint->setAlignment(Qt::AlignCenter);
    m_hint->setWordWrap(true);
    m_hint->setAutoFillBackground(true);
    m_hint->setMargin(24);
    QFont font = m_hint->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    m_hint->setFont(font);
    area->installEventFilter(this);

    QAbstractItemModel* model = m_launcher.window().EmuListbox->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &FirstStartView::updateHint);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &FirstStartView::updateHint);
    connect(model, &QAbstractItemModel::modelReset, this, &FirstStartView::updateHint);
    updateHint();
}

QString FirstStartView::hintText()
{
    return Msg(QStringLiteral("Noch ist kein Emulator eingetragen.\n\n"
                              "Der Knopf \u2699 oben öffnet das Optionsfenster; dort trägt "
                              "\"Neuer Emulator...\" einen Emulator ein, und \">\" neben dem "
                              "Programmfeld wählt sein Programm."),
               QStringLiteral("No emulator is registered yet.\n\n"
                              "The \u2699 button at the top opens the options window; there, "
                              "\"New emulator...\" registers an emulator, and \">\" beside the "
                              "program field picks its program."));
}

bool FirstStartView::hintShown() const { return m_hint && !m_hint->isHidden(); }

void FirstStartView::updateHint()
{
    if (!m_hint)
        return;
    const bool empty = m_launcher.window().EmuListbox->count() == 0;
    m_hint->setText(hintText());
    m_hint->setGeometry(m_hint->parentWidget()->rect());
    m_hint->setVisible(empty);
    if (empty)
        m_hint->raise();
}

bool FirstStartView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_hint && watched == m_hint->parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest))
        updateHint();
    return QObject::eventFilter(watched, event);
}

void FirstStartView::offerNativeEmulators()
{
    const SettingsPaths paths(m_programFolder, m_exeName);
    // With a profile or an answered offer, no folder is searched.
    if (!FirstStart::offerPending(paths.configRoot(), paths.globalSettingsFile()))
        return;
    const QList<FirstStart::FoundEmulator> found = FirstStart::findInstalled(FirstStart::defaultSearchFolders());
    if (found.isEmpty())
        return;
    const QStringList created = FirstStart::offer(m_programFolder, m_exeName, found, QDir::homePath() + u'/');
    if (created.isEmpty())
        return;
    MainWindow& window = m_launcher.window();
    window.fillEmulatorLists();
    const int index = window.EmuListbox->findText(created.first(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        window.EmuListbox->setCurrentIndex(index);
        window.SelectEmulator();
    }
}
