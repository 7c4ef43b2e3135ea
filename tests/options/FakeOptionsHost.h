#pragma once
// An OptionsHost over a real temporary program folder: the selected
// profile's files live below <folder>/Config/<emulator>/, and every call the
// options window makes of the launcher is recorded as one line.
#include "options/OptionsHost.h"

#include <QDir>
#include <QStringList>

class FakeOptionsHost final : public OptionsHost {
public:
    explicit FakeOptionsHost(const QString& programFolder, const QString& emulator = QStringLiteral("Amiga"))
        : m_program(programFolder), m_emulator(emulator)
    {
        QDir().mkpath(configRoot() + emulator);
    }

    QString emulator() const { return m_emulator; }
    void useMasterTemplate(bool on) { m_useMaster = on; }
    void setStartResult(bool ok) { m_startResult = ok; }

    QStringList calls;
    QStringList fontSizeItems{QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11")};
    int fontIndex = 2;
    bool border = false;

    QString programFolder() const override { return m_program; }
    QString configRoot() const override { return m_program + QStringLiteral("Config/"); }
    QString settingsFile() const override { return startFolder() + QStringLiteral("arvex.ini"); }
    QString globalSettingsFile() const override { return configRoot() + QStringLiteral("arvex.ini"); }
    QString skinFile() const override { return startFolder() + QStringLiteral("Skin/Skin.ini"); }
    QString startFolder() const override
    {
        return m_emulator.isEmpty() ? configRoot() : configRoot() + m_emulator + u'/';
    }
    QString startScriptFile() const override { return startFolder() + QStringLiteral("Startscript.vbs"); }
    QString masterConfig() override
    {
        return m_useMaster ? startFolder() + QStringLiteral("arvex_Master.uaecfg") : QString();
    }
    QString emuDownloadPath(QString& toolTip) const override
    {
        toolTip.clear();
        return {};
    }
    QString currentEmulator() const override { return m_emulator; }
    void loadSettings() override { calls << QStringLiteral("loadSettings"); }
    void rescan(const QString& romFolder) override { calls << QStringLiteral("rescan ") + romFolder; }
    void reloadAll() override { calls << QStringLiteral("reloadAll"); }
    void repairFavourites() override { calls << QStringLiteral("repairFavourites"); }
    bool donationAvailable() const override { return false; }
    void donate() override { calls << QStringLiteral("donate"); }
    bool startSetupProgram(const QString& executable) override
    {
        calls << QStringLiteral("start ") + executable;
        return m_startResult;
    }
    void startMasterConfig(const QString& executable, const QString& master) override
    {
        calls << QStringLiteral("startMaster ") + executable + u' ' + master;
    }
    QStringList fontSizes() const override { return fontSizeItems; }
    int fontSizeIndex() const override { return fontIndex; }
    void setFontSizeIndex(int index) override
    {
        fontIndex = index;
        calls << QStringLiteral("fontSize %1").arg(index);
    }
    void setWindowBorder(bool on) override
    {
        border = on;
        calls << QStringLiteral("border %1").arg(on);
    }
    bool windowBorder() const override { return border; }
    void assignPadButtons(QWidget*) override { calls << QStringLiteral("assignPadButtons"); }
    bool profilesChanged(const QString& name) override
    {
        calls << QStringLiteral("profilesChanged ") + name;
        QStringList profiles = QDir(configRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        m_emulator = name.isEmpty() ? profiles.value(0) : name;
        return !m_emulator.isEmpty();
    }
    void openAddress(const QString& address) override { calls << QStringLiteral("open ") + address; }
    void editTextFile(const QString& path) override { calls << QStringLiteral("edit ") + path; }
    void onlineUpdate() override { calls << QStringLiteral("onlineUpdate"); }

private:
    QString m_program;
    QString m_emulator;
    bool m_useMaster = false;
    bool m_startResult = true;
};
