#pragma once
// Helpers for the launch tests: a LaunchHost that records every call, a
// profile in a temporary program folder, fake programs, and waiting for what
// a started program recorded (NUL-separated fields, as the demo emulator writes).
#include "config/Ini.h"
#include "launch/LaunchHost.h"
#include "launch/ProcessTable.h"
#include "services/Clock.h"
#include "support/WaitFor.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <array>
#include <functional>
#include <signal.h>
#include <unistd.h>

class RecordingHost : public LaunchHost {
public:
    LaunchPaths launchPaths;
    QString emulator, kickstart, caption = QStringLiteral("Arvex 1.2"), loadingText;
    std::array<QString, 5> disks{};
    bool fullScreen = false;
    QStringList events; // every call in order, as "name" or "name:argument"

    LaunchPaths paths() const override { return launchPaths; }
    QString emulatorExecutable() const override { return emulator; }
    QString driveSlot(int i) const override { return disks[size_t(i)]; }
    bool fullScreenChecked() const override { return fullScreen; }
    QString kickstartRomFile() const override { return kickstart; }
    QString windowCaption() const override { return caption; }
    void setWindowCaption(const QString& c) override { caption = c; add("caption", c); }
    QString loadingButtonText() const override { return loadingText; }
    void setLoadingButtonText(const QString& t) override { loadingText = t; add("loading", t); }
    void setKeepOnTopNormal() override { add("keepOnTopNormal"); }
    void restoreMainWindow() override { add("restoreMainWindow"); }
    void showAllPanels() override { add("showAllPanels"); }
    void setEmulatorComboEnabled(bool on) override { add("combo", QString::number(on)); }
    void showLoadingScreen() override { add("loadingScreen"); }
    void closeLoadingScreen() override { add("closeLoadingScreen"); }
    void setJoystickNavigation(bool on) override { add("joystick", QString::number(on)); }
    void beep() override { add("beep"); }
    void showRunning(const QString& c) override { add("running", c); }
    void hideRunning() override { add("hideRunning"); }
    void setRunningIndicatorEnabled(bool on) override { add("indicator", QString::number(on)); }
    void refreshAfterGame() override { add("refreshAfterGame"); }
    void showPanelsIfCollapsed() override { add("showPanelsIfCollapsed"); }
    void focusAfterKill() override { add("focusAfterKill"); }

    int count(const QString& event) const { return int(events.count(event)); }

private:
    void add(const char* name, const QString& arg = QString())
    {
        events << (arg.isNull() ? QString::fromLatin1(name) : QString::fromLatin1(name) + u':' + arg);
    }
};

// A program folder with Config/<emu>/ as the start folder, quiet defaults:
// no template, no loading screen, the game on the command line.
struct Profile {
    LaunchPaths paths;
    explicit Profile(const TempDir& dir)
    {
        const QString start = dir.mkdir(QStringLiteral("Config/Demo"));
        paths = {dir.path(), start, start + QStringLiteral("arvex.ini"), dir.path() + QStringLiteral("Config/arvex.ini"),
                 start + QStringLiteral("arvex_tmp.sh"), start + QStringLiteral("arvex_StartScript.uaecfg"),
                 start + QStringLiteral("arvex_Master.uaecfg"), start + QStringLiteral("Startscript.vbs")};
        set(QStringLiteral("WinUAE_UseMasterConfig"), QStringLiteral("0"));
        set(QStringLiteral("SplashTimer"), QStringLiteral("0"));
        set(QStringLiteral("EmulatorParameterAddDiskPath"), QStringLiteral("1"));
    }
    void set(const QString& key, const QString& value) const
    {
        WriteIniValue(QStringLiteral("Settings"), key, value, paths.settingsFile, true);
    }
    void setGlobal(const QString& key, const QString& value) const
    {
        WriteIniValue(QStringLiteral("Settings"), key, value, paths.globalSettingsFile, true);
    }
};

inline QString WriteExecutable(const TempDir& dir, const QString& relativePath, const QByteArray& text)
{
    const QString path = dir.write(relativePath, text);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// A name no process of another test carries.
inline QString UniqueName(const QString& stem)
{
    return stem + QString::number(::getpid());
}

// Copies the demo emulator to `relativePath` below `dir`.
inline QString InstallDemoEmulator(const TempDir& dir, const QString& relativePath)
{
    QFile f(QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex-demo-emu"));
    f.open(QIODevice::ReadOnly);
    return WriteExecutable(dir, relativePath, f.readAll());
}

// A fake program that records its working folder and arguments into `record`.
inline QString RecordingProgram(const TempDir& dir, const QString& relativePath, const QString& record)
{
    return WriteExecutable(dir, relativePath,
                           "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$@\" >> '" + QFile::encodeName(record) + "'\n");
}


// The NUL-separated fields of `path` once it holds something (empty after `ms`).
inline QList<QByteArray> WaitForRecord(const QString& path, int ms = 8000)
{
    // The shell creates the file before printf writes to it: wait for the content.
    QFile f(path);
    if (!WaitFor([&] { return f.size() > 0; }, ms) || !f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> fields = f.readAll().split('\0');
    fields.removeLast();
    return fields;
}

// Running and not a zombie.
inline bool ProcessAlive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    return s.mid(s.lastIndexOf(')') + 2, 1) != "Z";
}

// Ended, but not yet collected by its parent.
inline bool ProcessIsZombie(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    return s.mid(s.lastIndexOf(')') + 2, 1) == "Z";
}

// A clock that stands still until the test moves it; waits move it too.
class ManualClock : public Clock {
public:
    QDateTime t = QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0));
    QDateTime now() const override { return t; }
    void wait(int ms) override { t = t.addMSecs(ms); }
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name)), m_had(qEnvironmentVariableIsSet(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

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
            if (p.pid == pid)
                return info = p, true;
        return false;
    }
    void terminate(qint64 pid) override { terminated << pid; }
};
