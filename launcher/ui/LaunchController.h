#pragma once
// LaunchController: the main window's launch side. It owns the launch
// sequence (GameLauncher), the running-game monitor (GameMonitor) and the
// display-mode switch, implements LaunchHost on the main window's controls
// and LaunchPart for the window's start-up and emulator box. The loading
// screen is created here for each launch. UI thread.
#include "launch/GameLauncher.h"
#include "launch/GameMonitor.h"
#include "launch/LaunchHost.h"
#include "launch/ScreenResolution.h"
#include "ui/MainWindowParts.h"

#include <QObject>
#include <QPointer>

#include <functional>

class LoadingInfo;
class MainWindow;

class LaunchController final : public QObject, public LaunchHost, public LaunchPart {
    Q_OBJECT
public:
    // What the controller needs of the game-list area and pad navigation,
    // which are separate parts of the window.
    struct Hooks {
        std::function<QString(int)> driveSlot;      // DF0..DF4
        std::function<void(int)> focusList;         // focus list of a FocusArea
        std::function<QPixmap()> gamePicture;       // the preview shown, or null
        std::function<void(bool)> joystickNavigation;
    };

    LaunchController(MainWindow& window, Hooks hooks, QObject* parent = nullptr);
    ~LaunchController() override;

    GameLauncher& launcher() { return m_launcher; }
    GameMonitor& monitor() { return m_monitor; }

    // Launches a list entry the way the launch button does.
    void launchEntry(const QString& fullPath);

    // LaunchPart
    void launchGame(const QString& gameFile) override;
    bool startProgram(const QString& executable) override;
    void saveModeAndSwitch() override;
    void setSplashCounter(int ticks) override { m_launcher.setSplashCounter(qint16(ticks)); }

    // LaunchHost
    LaunchPaths paths() const override;
    QString emulatorExecutable() const override;
    QString driveSlot(int index) const override;
    bool fullScreenChecked() const override;
    QString kickstartRomFile() const override;
    QString windowCaption() const override;
    void setWindowCaption(const QString& caption) override;
    QString loadingButtonText() const override;
    void setLoadingButtonText(const QString& text) override;
    void setKeepOnTopNormal() override;
    void restoreMainWindow() override;
    void showAllPanels() override;
    void setEmulatorComboEnabled(bool enabled) override;
    void showLoadingScreen() override;
    void closeLoadingScreen() override;
    void setJoystickNavigation(bool on) override;
    void beep() override;
    void showRunning(const QString& caption) override;
    void hideRunning() override;
    void setRunningIndicatorEnabled(bool enabled) override;
    void refreshAfterGame() override;
    void showPanelsIfCollapsed() override;
    void focusAfterKill() override;

private:
    MainWindow& m_window;
    Hooks m_hooks;
    ScreenResolution m_screen;
    GameMonitor m_monitor;
    GameLauncher m_launcher;
    QPointer<LoadingInfo> m_loading;
};
