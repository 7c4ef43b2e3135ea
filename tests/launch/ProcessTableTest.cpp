// The process table: name matching as a table, the real /proc table with
// real processes, and ending a process that ignores the request.
#include "launch/LaunchTestSupport.h"
#include "launch/ProgramRunner.h"

#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(ProcessMatching, NameAgainstExeArgvAndKernelName)
{
    auto p = [](const char* exe, const char* a0, const char* a1, const char* comm) {
        return ProcessInfo{1, QString::fromUtf8(exe), QString::fromUtf8(a0), QString::fromUtf8(a1), QString::fromUtf8(comm)};
    };
    const struct { const char* what; ProcessInfo info; const char* name; bool match; } rows[] = {
        {"exe file name", p("/usr/bin/fs-uae", "fs-uae", "", "fs-uae"), "fs-uae", true},
        {"ignoring case", p("/w/winuae.exe", "", "", ""), "WINUAE.EXE", true},
        {"argv0 only", p("", "/opt/emu/mame", "", ""), "mame", true},
        {"argv0 with backslashes", p("", "C:\\Games\\WinUAE.exe", "", ""), "winuae.exe", true},
        {"kernel name cut to 15", p("", "", "", "averyveryverylo"), "averyveryverylongname", true},
        {"kernel name is whole", p("", "", "", "mame"), "mame64", false},
        {"script under an interpreter", p("/usr/bin/dash", "/bin/sh", "/e/emu.sh", "sh"), "emu.sh", true},
        {"program under wine", p("/usr/bin/wine64-preloader", "wine", "C:\\x\\WinUAE.exe", ""), "winuae.exe", true},
        {"argv1 of a non-interpreter", p("/usr/bin/mame", "mame", "game.zip", "mame"), "game.zip", false},
        {"part of a name", p("/usr/bin/fs-uae", "fs-uae", "", "fs-uae"), "uae", false},
        {"empty name", p("/usr/bin/x", "x", "", "x"), "", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ProcessMatchesName(r.info, QString::fromUtf8(r.name)), r.match) << r.what;
    EXPECT_EQ(WatchedFileName(QStringLiteral("C:\\x\\WinUAE.exe")), QStringLiteral("WinUAE.exe"));
}

TEST(ProcessLookup, EqualNameWinsContainedNameIsTheFallback)
{
    FakeProcessTable table;
    table.list = {{10, QStringLiteral("/usr/bin/winuae-old"), {}, {}, {}},
                  {20, QStringLiteral("/usr/bin/WinUAE"), {}, {}, {}},
                  {30, QStringLiteral("/usr/bin/mame"), {}, {}, {}}};
    EXPECT_EQ(FindProcessId(QStringLiteral("/any/winuae"), table), 20);
    // A remembered id that now carries another program is not taken for it.
    EXPECT_EQ(FindRunningProgram(QStringLiteral("winuae"), table, 30), 20);
    table.list.removeAt(1);
    EXPECT_EQ(FindProcessId(QStringLiteral("winuae"), table), 10);
    EXPECT_FALSE(IsProgramRunning(QStringLiteral("winuae"), table));
    EXPECT_EQ(FindProcessId(QStringLiteral("fs-uae"), table), 0);
    KillProcess(0, table);
    KillProcess(30, table);
    EXPECT_EQ(table.terminated, QList<qint64>{30});
}

TEST(RealProcessTable, ReadsExeArgumentsAndKernelNameOfARealProcess)
{
    TempDir dir;
    const QString program = dir.file(UniqueName(QStringLiteral("verylongsleepername")));
    QFile::copy(QStringLiteral("/bin/sleep"), program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    const qint64 pid = SpawnDetached(program, {QStringLiteral("30")});
    ASSERT_GT(pid, 0);
    ProcessInfo seen;
    ASSERT_TRUE(systemProcessTable().lookup(pid, seen));
    EXPECT_EQ(seen.exe, program);
    EXPECT_EQ(seen.argv0, program);
    EXPECT_EQ(seen.argv1, QStringLiteral("30"));
    EXPECT_EQ(seen.comm, QFileInfo(program).fileName().left(15));
    EXPECT_EQ(FindProcessId(program.toUpper().section(u'/', -1)), pid);
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return !IsProgramRunning(program); }, 3000));
}

TEST(RealProcessTable, OfAScriptAndItsForkedCopyTheScriptIsFound)
{
    // A subshell in the background is a copy of the script under the
    // script's name, newer than the script itself.
    TempDir dir;
    const QString name = UniqueName(QStringLiteral("forkingemu")) + QStringLiteral(".sh");
    const QString copyFile = dir.file(QStringLiteral("copy.pid"));
    const QString script = WriteExecutable(
        dir, name, "#!/bin/sh\n( sleep 60; true ) &\necho $! > '" + QFile::encodeName(copyFile) + "'\nwait\n");
    const qint64 pid = SpawnDetached(script, {});
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return QFile(copyFile).size() > 0; }, 5000));
    const qint64 copy = dir.read(QStringLiteral("copy.pid")).trimmed().toLongLong();
    ASSERT_NE(copy, pid);
    EXPECT_EQ(FindProcessId(name), pid);
    KillProcess(pid);
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid) && !ProcessAlive(copy); }, 5000));
}

TEST(RealProcessTable, ProcessSeenBeforeIsSeenAgainAfterItExecsAnotherProgram)
{
    // A launcher script that execs the emulator keeps its id and start time:
    // what was remembered of the script must not hide the emulator.
    TempDir dir;
    const QString program = dir.file(UniqueName(QStringLiteral("execedprogram")));
    QFile::copy(QStringLiteral("/bin/sleep"), program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    QProcess script;
    script.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QStringLiteral("echo ready; read x; exec \"$0\" 30"), program});
    ASSERT_TRUE(script.waitForReadyRead(3000));
    const qint64 pid = script.processId();
    const QString name = QFileInfo(program).fileName();

    bool seenAsScript = false;
    systemProcessTable().forEach([&](const ProcessInfo& p) {
        if (p.pid == pid)
            seenAsScript = p.comm == QStringLiteral("sh");
        return false;
    });
    EXPECT_TRUE(seenAsScript);
    EXPECT_EQ(FindRunningProgram(name), 0);

    script.write("go\n");
    ASSERT_TRUE(WaitFor([&] {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        return comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.left(15).toUtf8();
    }, 3000));
    EXPECT_EQ(FindRunningProgram(name), pid);
    EXPECT_EQ(FindProcessId(name), pid);

    // Ended: gone from the walk; a new process of the same program is found under its own id.
    KillProcess(pid);
    ASSERT_TRUE(script.waitForFinished(3000));
    EXPECT_EQ(FindRunningProgram(name), 0);
    const qint64 second = SpawnDetached(program, {QStringLiteral("30")});
    ASSERT_GT(second, 0);
    EXPECT_EQ(FindRunningProgram(name), second);
    KillProcess(second);
    EXPECT_TRUE(WaitFor([&] { return !IsProgramRunning(name); }, 3000));
}

TEST(RealProcessTable, WalkOutOfTimeLeavesNewProcessesOutAndSaysSo)
{
    TempDir dir;
    const QString program = dir.file(UniqueName(QStringLiteral("budgetsleeper")));
    QFile::copy(QStringLiteral("/bin/sleep"), program);
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    const auto table = newSystemProcessTable();
    const QString name = QFileInfo(program).fileName();
    const auto visits = [&](qint64 pid, std::chrono::microseconds budget, bool& complete) {
        bool seen = false;
        complete = table->forEachWithin([&](const ProcessInfo& p) { return seen = p.pid == pid; }, budget);
        return seen;
    };

    // Nothing known and no time: nothing read, and the walk says it is not whole.
    const qint64 pid = SpawnDetached(program, {QStringLiteral("30")});
    ASSERT_GT(pid, 0);
    bool complete = true;
    EXPECT_FALSE(visits(pid, std::chrono::microseconds(0), complete));
    EXPECT_FALSE(complete);
    RunningSearch search = FindRunningProgramWithin(name, *table, 0, std::chrono::microseconds(0));
    EXPECT_EQ(search.pid, 0);
    EXPECT_FALSE(search.complete);

    // Time enough: everything read, the program found and confirmed.
    search = FindRunningProgramWithin(name, *table, 0, std::chrono::seconds(60));
    EXPECT_EQ(search.pid, pid);
    EXPECT_TRUE(search.complete);
    EXPECT_TRUE(visits(pid, std::chrono::seconds(60), complete));
    EXPECT_TRUE(complete);

    // Ended: a whole walk within time finds nothing and says it looked everywhere.
    KillProcess(pid);
    ASSERT_TRUE(WaitFor([&] { return !ProcessAlive(pid); }, 3000));
    search = FindRunningProgramWithin(name, *table, pid, std::chrono::seconds(60));
    EXPECT_EQ(search.pid, 0);
    EXPECT_TRUE(search.complete);
}

TEST(RealProcessTable, PreparedTableKnowsTheOldProcessesWithoutReadingThemOnAWalk)
{
    // A process started before this test (the parent of the test runner or
    // init) is old, so once the background read has learnt it, a walk with
    // no time at all still visits it from what it remembers.
    const qint64 old = qint64(::getppid()) > 1 ? qint64(::getppid()) : 1;
    const auto table = newSystemProcessTable();
    table->prepare();
    bool seen = false;
    EXPECT_TRUE(WaitFor([&] {
        table->forEachWithin([&](const ProcessInfo& p) { return seen = p.pid == old; }, std::chrono::microseconds(0));
        return seen;
    }, 10000));
}

TEST(RealProcessTable, ProcessIgnoringTheRequestIsKilledAfterTwoSeconds)
{
    // A child of ours in our own group: only it is signalled, never our group.
    QProcess stubborn;
    stubborn.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("trap '' TERM; echo ready; while :; do sleep 0.05; done")});
    ASSERT_TRUE(stubborn.waitForReadyRead(3000));
    QElapsedTimer t;
    t.start();
    KillProcess(stubborn.processId());
    EXPECT_TRUE(WaitFor([&] { return stubborn.state() == QProcess::NotRunning; }, 4000));
    EXPECT_GE(t.elapsed(), 1900);
    KillProcess(::getpid());
    KillProcess(1);
    EXPECT_TRUE(ProcessAlive(::getpid()));
}

} // namespace
