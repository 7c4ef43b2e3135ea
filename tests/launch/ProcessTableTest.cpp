// The process table: name matching as a table, the real /proc table with
// real processes, and ending processes (whole group, SIGKILL follow-up).
#include "launch/LaunchTestSupport.h"
#include "launch/ProcessTable.h"
#include "launch/ProgramRunner.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(ProcessMatching, NameAgainstExeArgvAndKernelName)
{
    struct Row {
        const char* what;
        ProcessInfo info;
        const char* name;
        bool match;
    };
    auto p = [](const char* exe, const char* a0, const char* a1, const char* comm) {
        return ProcessInfo{1, QString::fromUtf8(exe), QString::fromUtf8(a0), QString::fromUtf8(a1), QString::fromUtf8(comm)};
    };
    const Row rows[] = {
        {"exe file name", p("/usr/bin/fs-uae", "fs-uae", "", "fs-uae"), "fs-uae", true},
        {"ignoring case", p("/w/winuae.exe", "", "", ""), "WINUAE.EXE", true},
        {"argv0 only", p("", "/opt/emu/mame", "", ""), "mame", true},
        {"argv0 written with backslashes", p("", "C:\\Games\\WinUAE.exe", "", ""), "winuae.exe", true},
        {"kernel name cut to 15", p("", "", "", "averyveryverylo"), "averyveryverylongname", true},
        {"kernel name is whole", p("", "", "", "mame"), "mame64", false},
        {"script under an interpreter", p("/usr/bin/dash", "/bin/sh", "/e/emu.sh", "sh"), "emu.sh", true},
        {"wine runs the program", p("/usr/bin/wine64-preloader", "wine", "C:\\x\\WinUAE.exe", ""), "winuae.exe", true},
        {"argv1 of a non-interpreter", p("/usr/bin/mame", "mame", "game.zip", "mame"), "game.zip", false},
        {"part of a name is no match", p("/usr/bin/fs-uae", "fs-uae", "", "fs-uae"), "uae", false},
        {"empty name", p("/usr/bin/x", "x", "", "x"), "", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ProcessMatchesName(r.info, QString::fromUtf8(r.name)), r.match) << r.what;
    EXPECT_EQ(WatchedFileName(QStringLiteral("/a/b/c.sh")), QStringLiteral("c.sh"));
    EXPECT_EQ(WatchedFileName(QStringLiteral("C:\\x\\WinUAE.exe")), QStringLiteral("WinUAE.exe"));
    EXPECT_TRUE(IsScriptInterpreter(QStringLiteral("python3.11")));
    EXPECT_FALSE(IsScriptInterpreter(QStringLiteral("shell-emulator")));
}

TEST(ProcessLookup, EqualNameWinsOverContainedNameAndMissingGivesZero)
{
    FakeProcessTable table;
    table.list = {{10, QStringLiteral("/usr/bin/winuae-old"), {}, {}, {}},
                  {20, QStringLiteral("/usr/bin/WinUAE"), {}, {}, {}},
                  {30, QStringLiteral("/usr/bin/xwinuae"), {}, {}, {}}};
    EXPECT_EQ(FindProcessId(QStringLiteral("/any/winuae"), table), 20);
    EXPECT_TRUE(IsProgramRunning(QStringLiteral("winuae"), table));
    table.list.removeAt(1);
    EXPECT_EQ(FindProcessId(QStringLiteral("winuae"), table), 10);
    EXPECT_FALSE(IsProgramRunning(QStringLiteral("winuae"), table));
    EXPECT_EQ(FindProcessId(QStringLiteral("fs-uae"), table), 0);
    EXPECT_EQ(FindProcessId(QString(), table), 0);
    KillProcess(0, table);
    KillProcess(-4, table);
    KillProcess(30, table);
    EXPECT_EQ(table.terminated, QList<qint64>{30});
}

class RealTable : public ::testing::Test {
protected:
    TempDir dir;
    // A copy of sleep under a name no other process carries.
    QString sleeper(const QString& stem)
    {
        const QString path = dir.file(UniqueName(stem));
        QFile::copy(QStringLiteral("/bin/sleep"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }
};

TEST_F(RealTable, ReadsExeArgumentsAndKernelNameOfRealProcesses)
{
    const QString program = sleeper(QStringLiteral("verylongsleepername"));
    const qint64 pid = SpawnDetached(program, {QStringLiteral("30")});
    ASSERT_GT(pid, 0);
    ProcessInfo seen;
    systemProcessTable().forEach([&](const ProcessInfo& info) {
        if (info.pid != pid)
            return false;
        seen = info;
        return true;
    });
    EXPECT_EQ(seen.exe, program);
    EXPECT_EQ(seen.argv0, program);
    EXPECT_EQ(seen.argv1, QStringLiteral("30"));
    EXPECT_EQ(seen.comm, QFileInfo(program).fileName().left(15));
    EXPECT_TRUE(IsProgramRunning(program.toUpper().section(u'/', -1)));
    EXPECT_EQ(FindProcessId(program), pid);
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return !IsProgramRunning(program); }, 3000));
    EXPECT_EQ(FindProcessId(program), 0);
}

TEST_F(RealTable, ScriptRunByAnInterpreterMatchesByScriptName)
{
    const QString script = dir.write(UniqueName(QStringLiteral("runner")) + QStringLiteral(".sh"), "sleep 30\n");
    const qint64 pid = SpawnDetached(QStringLiteral("/bin/sh"), {script});
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitFor([&] { return FindProcessId(QFileInfo(script).fileName()) == pid; }, 3000));
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return !IsProgramRunning(script); }, 3000));
}

TEST_F(RealTable, EndingAGroupLeaderEndsItsChildren)
{
    const QString childFile = dir.file(QStringLiteral("child"));
    const qint64 pid = SpawnDetached(QStringLiteral("/bin/sh"),
                                     {QStringLiteral("-c"), QStringLiteral("sleep 30 & echo $! > \"$0\"; wait"), childFile});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return QFile(childFile).size() > 0; }, 3000));
    QFile f(childFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const qint64 child = f.readAll().trimmed().toLongLong();
    ASSERT_TRUE(ProcessAlive(child));
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid) && !ProcessAlive(child); }, 1500));
}

TEST_F(RealTable, ProcessIgnoringTheRequestIsKilledAfterTwoSeconds)
{
    // A child of ours in our own group: only it is signalled, never the group.
    QProcess stubborn;
    stubborn.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("trap '' TERM; echo ready; while :; do sleep 0.05; done")});
    ASSERT_TRUE(stubborn.waitForReadyRead(3000));
    const qint64 pid = stubborn.processId();
    QElapsedTimer t;
    t.start();
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return stubborn.state() == QProcess::NotRunning; }, 4000));
    EXPECT_GE(t.elapsed(), 1900);
    EXPECT_EQ(stubborn.exitStatus(), QProcess::CrashExit);
}

TEST_F(RealTable, NeverSignalsItselfOrInit)
{
    KillProcess(::getpid());
    KillProcess(1);
    EXPECT_TRUE(ProcessAlive(::getpid()));
}

} // namespace
