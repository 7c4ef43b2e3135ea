#pragma once
// LaunchHost: what the launch sequence and the running-game monitor need
// from the main window. The main window implements it; tests implement it
// in a few lines. Every call comes on the UI thread, from a click, a key, a
// pad action or the monitor's timer. Defaults do nothing, so a host
// overrides only what it shows.
#include "config/SettingsPaths.h"

#include <QCoreApplication>
#include <QString>

#include <array>

// The files a launch reads and writes (absolute paths).
struct LaunchPaths {
    QString programFolder;      // AppDir, with a trailing "/"
    QString startFolder;        // GetStartPfad
    QString settingsFile;       // GetIniPath (per-emulator file)
    QString globalSettingsFile; // getBaseIniName
    QString launcherScript;     // start folder + ExeName + "_tmp.sh"
    QString startScriptConfig;  // start folder + ExeName + "_StartScript.uaecfg"
    QString masterConfig;       // "_Master.uaecfg" when WinUAE_UseMasterConfig is 1, else empty
    QString startScript;        // GetVBSFilename

    // The paths of the current selection; `masterConfig` is the master
    // template path the window set in LoadEmulatorView (may be empty).
    static LaunchPaths from(const SettingsPaths& p, const QString& masterConfig)
    {
        return {p.programFolder(),       p.startFolder(),           p.settingsFile(),
                p.globalSettingsFile(),  p.launcherScriptFile(),    p.startScriptConfigFile(),
                masterConfig,            p.startScriptFile()};
    }
};

class LaunchHost {
public:
    virtual ~LaunchHost() = default;

    // --- state the window owns -------------------------------------------
    virtual LaunchPaths paths() const = 0;
    // The emulator-path field (txtWinUAEExe) as LoadSettings filled it.
    virtual QString emulatorExecutable() const = 0;
    // Drive slot DF0..DF4 (index 0..4): a game file path or empty.
    virtual QString driveSlot(int index) const { Q_UNUSED(index); return {}; }
    // FullscreenCheck ticked (value 1), and the TxtKickstartRomFile text.
    virtual bool fullScreenChecked() const { return false; }
    virtual QString kickstartRomFile() const { return {}; }

    // --- captions ----------------------------------------------------------
    virtual QString windowCaption() const { return {}; }
    virtual void setWindowCaption(const QString& caption) { Q_UNUSED(caption); }
    // LoadingBtn (copied to the small indicator by the window).
    virtual QString loadingButtonText() const { return {}; }
    virtual void setLoadingButtonText(const QString& text) { Q_UNUSED(text); }

    // --- window ----------------------------------------------------------------
    // Keep-on-top control: not on top (SetToNormal).
    virtual void setKeepOnTopNormal() {}
    // Keep-on-top control: restore the window (bring it back from minimised).
    virtual void restoreMainWindow() {}
    // Show all panels (and relayout).
    virtual void showAllPanels() {}
    // Enable or disable the emulator combo.
    virtual void setEmulatorComboEnabled(bool enabled) { Q_UNUSED(enabled); }
    // Show the loading screen without waiting (create it when none is open,
    // else just show the open one again). Read GetTimerTimer for its seconds.
    virtual void showLoadingScreen() {}
    // Close the loading screen when one is open (before a message about a
    // failed start, so nothing covers it).
    virtual void closeLoadingScreen() {}
    // Joystick navigation on (pads taken again) or off (pads released).
    virtual void setJoystickNavigation(bool on) { Q_UNUSED(on); }
    virtual void beep() {}
    // Let pending window events run.
    virtual void letEventsRun() { QCoreApplication::processEvents(); }

    // --- running-game monitor ----------------------------------------------
    // Show AppRunningPicture (enabled, if it was hidden) and MyCaptionLabel
    // with `caption` ("Gestartet: <name>" / "Running: <name>").
    virtual void showRunning(const QString& caption) { Q_UNUSED(caption); }
    // Hide AppRunningPicture and MyCaptionLabel.
    virtual void hideRunning() {}
    // Leave AppRunningPicture visible but disabled (or enable it again).
    virtual void setRunningIndicatorEnabled(bool enabled) { Q_UNUSED(enabled); }
    // The game ended: disable and re-enable the emulator combo with events
    // in between, close the long emulator list, focus the simple list.
    virtual void refreshAfterGame() {}
    // The game ended: when the favourites caption label is hidden, show all
    // panels and relayout.
    virtual void showPanelsIfCollapsed() {}
    // A game was ended from the launcher: FocusArea = "2" when the
    // favourites list is empty, else "1"; relayout.
    virtual void focusAfterKill() {}
};
