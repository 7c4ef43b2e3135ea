#include "ui/LaunchController.h"

#include "config/Language.h"
#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "ui/AlwaysOnTop.h"
#include "ui/LoadingInfo.h"
#include "ui/MainWindow.h"
#include "ui/SkinColors.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

LaunchController::LaunchController(MainWindow& window, Hooks hooks, QObject* parent)
    : QObject(parent),
      m_window(window),
      m_hooks(std::move(hooks)),
      m_monitor(*this, systemProcessTable(), &m_screen),
      m_launcher(*this, m_monitor)
{
    connect(m_window.AppRunningPicture, &QToolButton::clicked, this,
            [this] { m_monitor.AppRunningPicture_Click(); });
    connect(m_window.LoadingBtn, &QPushButton::clicked, this, [this] { m_monitor.LoadingBtn_Click(); });
}

LaunchController::~LaunchController()
{
    if (m_loading)
        delete m_loading.data();
}

void LaunchController::launchEntry(const QString& fullPath)
{
    m_launcher.LaunchBtn_Click(fullPath);
}

void LaunchController::launchGame(const QString& gameFile)
{
    QString game = gameFile;
    m_launcher.LaunchGame(game);
}

bool LaunchController::startProgram(const QString& executable)
{
    QString program = executable;
    QStringList args;
    if (IsWindowsProgram(executable)) {
        program = FindInPath(QStringLiteral("wine"));
        if (program.isEmpty())
            return false;
        args << executable;
    }
    if (SpawnDetached(program, args, FolderOf(executable)) < 0)
        return false;
    m_monitor.SetCurrentRunninApplication(executable);
    WAIT(1);
    m_monitor.EmuActiveTimer_Timer();
    m_monitor.armTimer();
    return true;
}

void LaunchController::saveModeAndSwitch() { m_screen.SaveModeAndSwitch(); }

LaunchPaths LaunchController::paths() const
{
    return LaunchPaths::from(m_window.paths(), m_window.masterConfigPath);
}

QString LaunchController::emulatorExecutable() const { return m_window.EmulatorPathField; }

QString LaunchController::driveSlot(int index) const
{
    return m_hooks.driveSlot ? m_hooks.driveSlot(index) : QString();
}

bool LaunchController::fullScreenChecked() const { return m_window.FullScreenCheck; }

QString LaunchController::kickstartRomFile() const { return m_window.KickstartField; }

QString LaunchController::windowCaption() const { return m_window.windowTitle(); }

void LaunchController::setWindowCaption(const QString& caption) { m_window.setWindowTitle(caption); }

QString LaunchController::loadingButtonText() const { return m_window.LoadingBtn->text(); }

void LaunchController::setLoadingButtonText(const QString& text)
{
    m_window.LoadingBtn->setText(text);
    m_window.Current_LoadingSmallBtn->setText(text);
}

void LaunchController::setKeepOnTopNormal()
{
    if (m_window.PinControl)
        m_window.PinControl->SetToNormal();
}

void LaunchController::restoreMainWindow()
{
    if (m_window.isMinimized())
        m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

void LaunchController::showAllPanels() { m_window.showAllPanels(); }

void LaunchController::setEmulatorComboEnabled(bool enabled) { m_window.EmuListbox->setEnabled(enabled); }

void LaunchController::showLoadingScreen()
{
    if (m_loading) {
        m_loading->show();
        m_loading->raise();
        return;
    }
    LoadingInfoLook look;
    look.gameName = m_monitor.Get_CURRENT_PROGRAM_STARTED();
    look.displaySeconds = m_launcher.GetTimerTimer();
    look.gamePicture = m_hooks.gamePicture ? m_hooks.gamePicture() : QPixmap();
    look.skinFolder = m_window.GetStartPfad() + QStringLiteral("Skin/");
    look.runningPicture = m_window.AppRunningPicture->icon().pixmap(32, 32);
    SkinColorPair colours;
    if (CurrentSkinColors(&m_window, colours)) {
        look.backColor = ToQColor(colours.back);
        look.textColor = ToQColor(colours.font);
    }
    look.icon = m_window.windowIcon();
    look.german = currentLanguage() == kLanguageGerman;
    m_loading = new LoadingInfo(look);
    m_loading->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_loading, &LoadingInfo::endGameRequested, this, [this] {
        m_monitor.AppRunningPicture_Click();
        restoreMainWindow();
    });
    m_loading->show();
}

void LaunchController::closeLoadingScreen()
{
    if (m_loading)
        m_loading->close();
}

void LaunchController::setJoystickNavigation(bool on)
{
    if (m_hooks.joystickNavigation)
        m_hooks.joystickNavigation(on);
}

void LaunchController::beep() { QApplication::beep(); }

void LaunchController::showRunning(const QString& caption)
{
    m_window.AppRunningPicture->setEnabled(true);
    m_window.AppRunningPicture->show();
    m_window.MyCaptionLabel->setText(caption);
    m_window.MyCaptionLabel->show();
}

void LaunchController::hideRunning()
{
    // The caption line goes with the picture; the title label keeps the
    // skin's title in view, and the line holds it again for whoever shows it.
    m_window.AppRunningPicture->hide();
    m_window.MyCaptionLabel->hide();
    m_window.MyCaptionLabel->setText(m_window.TitleString);
}

void LaunchController::setRunningIndicatorEnabled(bool enabled)
{
    m_window.AppRunningPicture->setEnabled(enabled);
}

void LaunchController::refreshAfterGame()
{
    m_window.EmuListbox->setEnabled(false);
    QCoreApplication::processEvents();
    m_window.EmuListbox->setEnabled(true);
    m_window.ShowEmulatorList(false);
    if (m_hooks.focusList)
        m_hooks.focusList(2);
}

void LaunchController::showPanelsIfCollapsed() { m_window.showAllPanels(); }

void LaunchController::focusAfterKill() { m_window.focusListsAfterEmulatorBox(); }
