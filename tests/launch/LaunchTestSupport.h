#pragma once
// Helpers for the launch tests: a recording LaunchHost, a profile laid out
// in a temporary program folder, fake emulators, and reading what the demo
// emulator recorded.
#include "launch/LaunchHost.h"
#include "launch/ProcessTable.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class RecordingHost : public LaunchHost {
public:
    LaunchPaths launchPaths;
    QString emulator;
    std::array<QString, 5> slots_{};
    bool fullScreen = false;
    QString kickstart;
    QString caption = QStringLiteral("Arvex 1.2");
    QString loadingText;
    QStringList events; // every call, in order, with its argument

    LaunchPaths paths() const override { return launchPaths; }
    QString emulatorExecutable() const override { return emulator; }
    QString driveSlot(int i) const override { return i >= 0 && i < 5 ? slots_[size_t(i)] : QString(); }
    bool fullScreenChecked() const override { return fullScreen; }
    QString kickstartRomFile() const override { return kickstart; }
    QString windowCaption() const override { return caption; }
    void setWindowCaption(const QString& c) override { caption = c; events << QStringLiteral("caption:") + c; }
    QString loadingButtonText() const override { return loadingText; }
    void setLoadingButtonText(const QString& t) override { loadingText = t; events << QStringLiteral("loading:") + t; }
    void setKeepOnTopNormal() override { events << QStringLiteral("keepOnTopNormal"); }
    void restoreMainWindow() override { events << QStringLiteral("restoreMainWindow"); }
    void showAllPanels() override { events << QStringLiteral("showAllPanels"); }
    void setEmulatorComboEnabled(bool on) override { events << QStringLiteral("combo:%1").arg(on); }
    void showLoadingScreen() override { events << QStringLiteral("loadingScreen"); }
    void setJoystickNavigation(bool on) override { events << QStringLiteral("joystick:%1").arg(on); }
    void beep() override { events << QStringLiteral("beep"); }
    void showRunning(const QString& c) override { events << QStringLiteral("running:") + c; }
    void hideRunning() override { events << QStringLiteral("hideRunning"); }
    void setRunningIndicatorEnabled(bool on) override { events << QStringLiteral("indicator:%1").arg(on); }
    void refreshAfterGame() override { events << QStringLiteral("refreshAfterGame"); }
    void showPanelsIfCollapsed() override { events << QStringLiteral("showPanelsIfCollapsed"); }
    void focusAfterKill() override { events << QStringLiteral("focusAfterKill"); }

    int count(const QString& event) const { return int(events.count(event)); }
};

// A program folder with Config/<emu>/ as the start folder.
struct Profile {
    explicit Profile(const TempDir& dir, const QString& emu = QStringLiteral("Demo"));
    LaunchPaths paths;
    void set(const QString& key, const QString& value) const;          // per-emulator setting
    void setGlobal(const QString& key, const QString& value) const;    // global setting
};

// Copies the demo emulator into `folder` under `name` (executable); returns its path.
QString InstallDemoEmulator(const TempDir& dir, const QString& relativePath);
// Writes an executable file.
QString WriteExecutable(const TempDir& dir, const QString& relativePath, const QByteArray& text);
// A name no other test process carries: `stem` + our pid.
QString UniqueName(const QString& stem);

// Waits (events running) until `path` exists, at most `ms`; returns its NUL-separated fields.
QList<QByteArray> WaitForRecord(const QString& path, int ms = 8000);
// Waits (events running) until `condition` holds, at most `ms`.
bool WaitFor(const std::function<bool()>& condition, int ms);
bool ProcessAlive(qint64 pid);

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value);
    ~ScopedEnv();

private:
    const char* m_name;
    QByteArray m_old;
    bool m_had;
};

// A process table double: a fixed list, and the ids asked to end.
class FakeProcessTable : public ProcessTable {
public:
    QList<ProcessInfo> list;
    QList<qint64> terminated;
    void forEach(const std::function<bool(const ProcessInfo&)>& visit) const override
    {
        for (const ProcessInfo& p : list)
            if (visit(p))
                return;
    }
    bool lookup(qint64 pid, ProcessInfo& info) const override
    {
        for (const ProcessInfo& p : list)
            if (p.pid == pid) {
                info = p;
                return true;
            }
        return false;
    }
    void terminate(qint64 pid) override { terminated << pid; }
};
