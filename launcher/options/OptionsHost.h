#pragma once
// OptionsHost: what the options window needs of the main window and the
// rest of the launcher. The program implements it over the main window and
// its parts (MainWindowOptionsHost); tests implement it over a temporary
// program folder and record the calls. UI thread.
#include <QString>
#include <QStringList>

class QWidget;

class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // Files of the selected emulator (see SettingsPaths).
    virtual QString programFolder() const = 0;     // with "/"
    virtual QString configRoot() const = 0;        // with "/"
    virtual QString settingsFile() const = 0;      // GetIniPath
    virtual QString globalSettingsFile() const = 0; // getBaseIniName
    virtual QString skinFile() const = 0;          // GetColorsIniName
    virtual QString startFolder() const = 0;       // GetStartPfad
    virtual QString startScriptFile() const = 0;   // GetVBSFilename
    // GetMasterConfig: the master template (created with defaults when
    // missing), or empty when the profile does not use one.
    virtual QString masterConfig() = 0;
    // The skin's download address, with the tool tip text; empty when none.
    virtual QString emuDownloadPath(QString& toolTip) const = 0;
    virtual QString currentEmulator() const = 0;

    // After a save: the main window re-reads the settings and re-applies its skin.
    virtual void loadSettings() = 0;
    // Rescans the selected emulator's game folder `romFolder` (lists hidden meanwhile).
    virtual void rescan(const QString& romFolder) = 0;
    virtual void reloadAll() = 0;
    virtual void repairFavourites() = 0;
    virtual bool donationAvailable() const = 0;
    virtual void donate() = 0;
    // Starts `executable` for set-up, watched like a game. False when it could not start.
    virtual bool startSetupProgram(const QString& executable) = 0;
    // Starts WinUAE with the master template for set-up, with the loading screen.
    virtual void startMasterConfig(const QString& executable, const QString& masterTemplate) = 0;

    // The main window's font-size list.
    virtual QStringList fontSizes() const = 0;
    virtual int fontSizeIndex() const = 0;
    virtual void setFontSizeIndex(int index) = 0;
    // The main window's frame on (resizable frame and tool look) or off.
    virtual void setWindowBorder(bool on) = 0;
    virtual bool windowBorder() const = 0;
    // The button assignment window, modal over `owner`; then the joystick icon shows.
    virtual void assignPadButtons(QWidget* owner) = 0;
    // The emulator profiles changed: re-read the list and select `name`
    // (empty: the first one, or none).
    // Returns false when no emulator is selected afterwards.
    virtual bool profilesChanged(const QString& name) = 0;
    // Opens a web address (or file) with the desktop's opener.
    virtual void openAddress(const QString& address) = 0;
    // Opens a text file in the desktop's text editor.
    virtual void editTextFile(const QString& path) = 0;
    // Starts the online update of the launcher (ends it when the updater starts).
    virtual void onlineUpdate() = 0;
};
