#pragma once
// SettingsModel: what the options window reads when it opens and writes when
// it saves, without the window. It holds the emulator-profile fields
// (EmulatorFields, with their change reactions and the unsaved-changes flag)
// and the user's global options, and knows the files and the order:
//  - load(): the master template's allowed lines, then every key in the
//    order the window has always read them (a missing key gets its default
//    written, as every settings read does), and the save flag cleared;
//  - save(): the profile keys in one replacement of the emulator's settings
//    file, the global keys in one replacement of the global file, each in
//    the order of the save steps, then the master template text. Paths are
//    stored relative to the program folder, SplashTimer as a number ("07"
//    is stored as "7"). A failed write is reported (WriteFailures) and makes
//    save() return false; the save flag then stays set so that nothing is
//    lost. The start-script box is always stored, so clearing it sticks.
// Owned by the options window. UI thread.
#include "options/EmulatorFields.h"

#include <QString>

struct OptionsFiles {
    QString programFolder;  // ends with "/"
    QString settingsFile;   // the emulator's settings file (GetIniPath)
    QString globalFile;     // the global settings file (getBaseIniName)
    QString masterTemplate; // GetMasterConfig: empty when the profile uses none
    int fontSizeIndex = 0;  // the main window's font-size list index
};

// The global options the window edits.
struct GlobalOptions {
    QString deamonToolPath;   // DeamonToolPath
    bool resetScreen = false; // ResetScreenResolution
    bool useJoystick = false; // UseJoystick
    int killButton = 0;       // UseJoystickExitbutton: index into the kill-button list
    int fontSize = 0;         // Fontsize: index into the font-size list
};

constexpr int kKillButtonEntries = 9; // "none" and buttons 1 to 8

class SettingsModel {
public:
    SettingsModel() = default;

    EmulatorFields& fields() { return m_fields; }
    const EmulatorFields& fields() const { return m_fields; }
    const GlobalOptions& globals() const { return m_globals; }
    const OptionsFiles& files() const { return m_files; }

    // Global options; each change enables saving.
    void setDeamonToolPath(const QString& path);
    void setResetScreen(bool on);
    void setUseJoystick(bool on);
    void setKillButton(int index);
    void setFontSize(int index);

    void load(const OptionsFiles& files);
    // Every write done: true. Otherwise false, after the failure was reported.
    bool save();

    bool unsaved() const { return m_fields.saveEnabled(); }

    // Keys and values in the order save() writes them, per file.
    QList<QPair<QString, QString>> profileValues() const;
    QList<QPair<QString, QString>> globalValues() const;

private:
    EmulatorFields m_fields;
    GlobalOptions m_globals;
    OptionsFiles m_files;
};
