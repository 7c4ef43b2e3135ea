#pragma once
// The options window in the program: MainWindowOptionsHost gives the window
// what it needs of the main window and its parts (OptionsHost), and
// OptionsWindowOpener opens one window per click of the main window's
// options button (a second click brings the open one to the front).
// Built once by main() after the launcher's assembly, before the main
// window starts up (the options button is enabled only when someone listens).
// UI thread.
#include "options/OptionsHost.h"
#include "options/SettingsForm.h"

#include <QObject>
#include <QPointer>

class LauncherAssembly;

class MainWindowOptionsHost final : public OptionsHost {
public:
    explicit MainWindowOptionsHost(LauncherAssembly& launcher) : m_launcher(launcher) {}

    QString programFolder() const override;
    QString configRoot() const override;
    QString settingsFile() const override;
    QString globalSettingsFile() const override;
    QString skinFile() const override;
    QString startFolder() const override;
    QString startScriptFile() const override;
    QString masterConfig() override;
    QString emuDownloadPath(QString& toolTip) const override;
    QString currentEmulator() const override;
    void loadSettings() override;
    void rescan(const QString& romFolder) override;
    void reloadAll() override;
    void repairFavourites() override;
    bool donationAvailable() const override;
    void donate() override;
    bool startSetupProgram(const QString& executable) override;
    void startMasterConfig(const QString& executable, const QString& masterTemplate) override;
    QStringList fontSizes() const override;
    int fontSizeIndex() const override;
    void setFontSizeIndex(int index) override;
    void setWindowBorder(bool on) override;
    bool windowBorder() const override;
    void assignPadButtons(QWidget* owner) override;
    bool profilesChanged(const QString& name) override;
    void openAddress(const QString& address) override;
    void editTextFile(const QString& path) override;
    void onlineUpdate() override;

private:
    LauncherAssembly& m_launcher;
};

class OptionsWindowOpener : public QObject {
    Q_OBJECT
public:
    explicit OptionsWindowOpener(LauncherAssembly& launcher, QObject* parent = nullptr);

    // Opens the options window (or raises the open one); returns it.
    SettingsForm* open();
    SettingsForm* window() const { return m_form; }

private:
    LauncherAssembly& m_launcher;
    MainWindowOptionsHost m_host;
    QPointer<SettingsForm> m_form;
};
