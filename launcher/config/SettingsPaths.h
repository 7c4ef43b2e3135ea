#pragma once
// The path variables through which every part of the launcher reaches its
// files: the config root below the program folder, the start folder (the
// config root, or the selected emulator's folder in it) and the files
// derived from it. Built by plain concatenation; re-derived on every
// emulator selection. Owned by the main window; UI thread.
#include <QString>

class SettingsPaths {
public:
    // `programFolder` ends in "/"; `exeName` names the settings files.
    SettingsPaths(const QString& programFolder, const QString& exeName);

    // Creates "<program folder>/Config" when missing (errors ignored).
    void createConfigRoot() const;
    // No emulator selected: everything derives from the config root.
    void selectNone();
    // Emulator `emu` selected: everything derives from its folder.
    void selectEmulator(const QString& emu);

    const QString& programFolder() const { return m_programFolder; }
    const QString& exeName() const { return m_exeName; }
    const QString& configRoot() const { return m_configRoot; }
    const QString& startFolder() const { return m_startFolder; }
    bool hasEmulator() const { return m_hasEmulator; }

    QString settingsFile() const { return m_startFolder + m_exeName + QStringLiteral(".ini"); }
    QString globalSettingsFile() const { return m_configRoot + m_exeName + QStringLiteral(".ini"); }
    QString favouritesFile() const { return m_startFolder + QStringLiteral("Favoriten.ini"); }
    QString startScriptFile() const { return m_startFolder + QStringLiteral("Startscript.vbs"); }
    QString skinFile() const;
    QString launcherScriptFile() const { return m_startFolder + m_exeName + QStringLiteral("_tmp.sh"); }
    QString listCacheFile() const { return m_startFolder + m_exeName + QStringLiteral("_Cache.txt"); }
    QString startScriptConfigFile() const
    {
        return m_startFolder + m_exeName + QStringLiteral("_StartScript.uaecfg");
    }
    QString masterConfigFile() const { return m_startFolder + m_exeName + QStringLiteral("_Master.uaecfg"); }
    // The settings file of any profile, selected or not.
    QString settingsFileOf(const QString& emu) const
    {
        return m_configRoot + emu + u'/' + m_exeName + QStringLiteral(".ini");
    }

private:
    QString m_programFolder;
    QString m_exeName;
    QString m_configRoot;
    QString m_startFolder;
    bool m_hasEmulator = false;
};
