#include "options/MainWindowOptionsHost.h"

#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "launch/WinUaeConfig.h"
#include "options/SettingsForm.h"
#include "services/UpdateHandOff.h"
#include "ui/LauncherAssembly.h"
#include "ui/WindowUtils.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QToolButton>

namespace {
// The frame start-up gives the main window: resizable, with minimise and
// maximise. The tool-window look stays off: on Linux it takes the window's
// task-bar entry, so a minimised launcher could not be brought back.
constexpr qint32 kFrameMode = 1;
constexpr qint32 kFramedStyle = kStyleResizableFrame;
}

QString MainWindowOptionsHost::programFolder() const { return m_launcher.window().paths().programFolder(); }
QString MainWindowOptionsHost::configRoot() const { return m_launcher.window().paths().configRoot(); }
QString MainWindowOptionsHost::settingsFile() const { return m_launcher.window().GetIniPath(); }
QString MainWindowOptionsHost::globalSettingsFile() const { return m_launcher.window().getBaseIniName(); }
QString MainWindowOptionsHost::skinFile() const { return m_launcher.window().GetColorsIniName(); }
QString MainWindowOptionsHost::startFolder() const { return m_launcher.window().GetStartPfad(); }
QString MainWindowOptionsHost::startScriptFile() const { return m_launcher.window().GetVBSFilename(); }
QString MainWindowOptionsHost::masterConfig() { return GetMasterConfig(m_launcher.window().masterConfigPath); }

QString MainWindowOptionsHost::emuDownloadPath(QString& toolTip) const
{
    return m_launcher.window().getEmuDownloadPath(toolTip);
}

QString MainWindowOptionsHost::currentEmulator() const
{
    return m_launcher.window().paths().hasEmulator() ? m_launcher.window().currentEmulator() : QString();
}

void MainWindowOptionsHost::loadSettings() { m_launcher.window().LoadSettings(); }

void MainWindowOptionsHost::rescan(const QString& romFolder)
{
    MainWindow& window = m_launcher.window();
    window.RomPathField = romFolder;
    m_launcher.lists().setPanelsVisible(false);
    QCoreApplication::processEvents();
    m_launcher.lists().LoadBtn_Click();
    window.showAllPanels();
}

void MainWindowOptionsHost::reloadAll() { m_launcher.window().ReloadEmulatorsAll(); }
void MainWindowOptionsHost::repairFavourites() { m_launcher.lists().repairFavourites(); }

// The main window has no donation page yet; its button stays hidden, and so does ours.
bool MainWindowOptionsHost::donationAvailable() const { return false; }
void MainWindowOptionsHost::donate() { m_launcher.window().DonateBtn->click(); }

bool MainWindowOptionsHost::startSetupProgram(const QString& executable)
{
    return m_launcher.launch().startProgram(executable);
}

void MainWindowOptionsHost::startMasterConfig(const QString& executable, const QString& masterTemplate)
{
    QString started = QStringLiteral("Master Config");
    m_launcher.launch().monitor().Add_CURRENT_PROGRAM_STARTED(started);
    QString program = executable;
    QStringList args{QStringLiteral("-f"), masterTemplate};
    if (IsWindowsProgram(executable)) {
        program = FindInPath(QStringLiteral("wine"));
        args.prepend(executable);
    }
    if (!program.isEmpty())
        SpawnDetached(program, args, FolderOf(executable));
    m_launcher.launch().showLoadingScreen();
}

QStringList MainWindowOptionsHost::fontSizes() const
{
    QStringList out;
    const QComboBox* list = m_launcher.window().FontSizeList;
    for (int i = 0; i < list->count(); ++i)
        out << list->itemText(i);
    return out;
}

int MainWindowOptionsHost::fontSizeIndex() const { return m_launcher.window().FontSizeList->currentIndex(); }
void MainWindowOptionsHost::setFontSizeIndex(int index) { m_launcher.window().FontSizeList->setCurrentIndex(index); }

void MainWindowOptionsHost::setWindowBorder(bool on)
{
    if (windowBorder() != on)
        ChangeBorderstyle(&m_launcher.window(), kFrameMode);
}

bool MainWindowOptionsHost::windowBorder() const
{
    return (BorderStyleBits(&m_launcher.window()) & kFramedStyle) == kFramedStyle;
}

void MainWindowOptionsHost::assignPadButtons(QWidget*)
{
    m_launcher.pads().JoystickIcon_DblClick();
    m_launcher.window().JoystickIcon->show();
}

bool MainWindowOptionsHost::profilesChanged(const QString& name)
{
    MainWindow& window = m_launcher.window();
    window.fillEmulatorLists();
    int index = name.isEmpty() ? 0 : window.EmuListbox->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || index >= window.EmuListbox->count())
        return false;
    // A different profile may now stand at the old index: select it for real.
    window.SelectedEmulatorIndex = -1;
    window.EmuListbox->setCurrentIndex(index);
    window.SelectEmulator();
    return window.paths().hasEmulator();
}

void MainWindowOptionsHost::openAddress(const QString& address)
{
    const QString opener = FindInPath(QStringLiteral("xdg-open"));
    if (!opener.isEmpty() && !address.isEmpty())
        SpawnDetached(opener, {address});
}

void MainWindowOptionsHost::editTextFile(const QString& path) { OpenInTextEditor(path); }

void MainWindowOptionsHost::onlineUpdate() { StartOnlineUpdate(globalSettingsFile()); }

OptionsWindowOpener::OptionsWindowOpener(LauncherAssembly& launcher, QObject* parent)
    : QObject(parent), m_launcher(launcher), m_host(launcher)
{
    connect(&launcher.window(), &MainWindow::settingsRequested, this, [this] { open(); });
}

SettingsForm* OptionsWindowOpener::open()
{
    if (m_form) {
        m_form->showNormal();
        m_form->raise();
        m_form->activateWindow();
        return m_form;
    }
    m_form = new SettingsForm(m_host, &m_launcher.window());
    m_form->Form_Load();
    return m_form;
}
