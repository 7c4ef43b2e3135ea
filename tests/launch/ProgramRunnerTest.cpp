// Starting programs: detached starts (own session, exact arguments, start
// errors), waiting for a program with events running, PATH look-ups and WAIT.
#include "launch/LaunchTestSupport.h"
#include "launch/ProgramRunner.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(SpawnDetached, StartsInItsOwnSessionWithExactArgumentsAndFolder)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("out"));
    const QString folder = dir.mkdir(QStringLiteral("work dir"));
    const qint64 pid = SpawnDetached(QStringLiteral("/bin/sh"),
                                     {QStringLiteral("-c"),
                                      QStringLiteral("printf '%s\\0' \"$PWD\" \"$1\" \"$(ps -o sid= -p $$)\" \"$$\" > \"$0\""),
                                      out, QStringLiteral("one\nargument ' \" $x")},
                                     folder);
    ASSERT_GT(pid, 0);
    const QList<QByteArray> rec = WaitForRecord(out);
    ASSERT_GE(rec.size(), 2);
    EXPECT_EQ(rec[0] + '/', QFile::encodeName(folder));
    EXPECT_EQ(rec[1], "one\nargument ' \" $x");
    EXPECT_EQ(::getsid(pid_t(pid)) == pid_t(pid) || !ProcessAlive(pid), true);
    EXPECT_NE(::getsid(0), pid_t(pid));
    // Not our child: it cannot be waited for here.
    EXPECT_EQ(::waitpid(pid_t(pid), nullptr, WNOHANG), -1);
}

TEST(SpawnDetached, ReportsAProgramThatCannotStart)
{
    TempDir dir;
    int error = 0;
    EXPECT_EQ(SpawnDetached(dir.file(QStringLiteral("missing")), {}, {}, &error), -1);
    EXPECT_EQ(error, ENOENT);
    const QString notExecutable = dir.write(QStringLiteral("plain"), "text");
    EXPECT_EQ(SpawnDetached(notExecutable, {}, {}, &error), -1);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(SpawnDetached(QStringLiteral("/bin/true"), {}, dir.file(QStringLiteral("no folder")), &error), -1);
    EXPECT_EQ(error, ENOENT);
}

TEST(RunAndWait, WaitsForTheEndWhileEventsRun)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(RunAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 0.4; exit 3")}), 3);
    EXPECT_GE(t.elapsed(), 350);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(RunAndWait(QStringLiteral("/nonexistent/program"), {}), -1);
}

TEST(FindInPath, FindsOnlyExecutableFiles)
{
    TempDir dir;
    WriteExecutable(dir, QStringLiteral("a/tool"), "#!/bin/sh\n");
    dir.write(QStringLiteral("b/plain"), "x");
    dir.mkdir(QStringLiteral("b/folder"));
    ScopedEnv path{"PATH", QFile::encodeName(dir.file(QStringLiteral("b")) + u':' + dir.file(QStringLiteral("a")))};
    EXPECT_EQ(FindInPath(QStringLiteral("tool")), dir.file(QStringLiteral("a/tool")));
    EXPECT_EQ(FindInPath(QStringLiteral("plain")), QString());
    EXPECT_EQ(FindInPath(QStringLiteral("folder")), QString());
    EXPECT_EQ(FindInPath(QString()), QString());
    EXPECT_EQ(FindInPath(dir.file(QStringLiteral("a/tool"))), dir.file(QStringLiteral("a/tool")));
}

TEST(FindExecutable, ProgramsOpenThemselvesWindowsProgramsNeedWine)
{
    TempDir dir;
    const QString wine = WriteExecutable(dir, QStringLiteral("bin/wine"), "#!/bin/sh\n");
    const QString tool = WriteExecutable(dir, QStringLiteral("tool"), "#!/bin/sh\n");
    const QString exe = dir.write(QStringLiteral("Game.EXE"), "MZ");
    ScopedEnv path{"PATH", QFile::encodeName(dir.file(QStringLiteral("bin")))};
    EXPECT_EQ(FindExecutable(tool), tool);
    EXPECT_EQ(FindExecutable(exe), wine);
    EXPECT_EQ(FindExecutable(dir.file(QStringLiteral("missing.txt"))), QString());
    EXPECT_EQ(FindExecutable(dir.write(QStringLiteral("doc.txt"), "x")), QString()); // no xdg-open on this PATH
    EXPECT_TRUE(IsWindowsProgram(QStringLiteral("a/B.Com")));
    EXPECT_TRUE(IsWindowsProgram(QStringLiteral("run.bat ")));
    EXPECT_FALSE(IsWindowsProgram(QStringLiteral("exe")));
}

// A clock whose second advances by one on every wait, so WAIT runs instantly.
class SteppingClock : public Clock {
public:
    QDateTime t = QDateTime(QDate(2024, 1, 1), QTime(12, 0, 58));
    int waits = 0;
    int stepEvery = 1;
    QDateTime now() const override { return t; }
    void wait(int) override
    {
        if (++waits % stepEvery == 0)
            t = t.addSecs(1);
    }
};

TEST(Wait, CountsChangesOfTheSecondAcrossTheMinute)
{
    SteppingClock clock;
    const QDateTime start = clock.t;
    WAIT(3, clock); // 58 -> 59 -> 00 -> 01: the wrap of the minute still counts
    EXPECT_GE(start.secsTo(clock.t), 3);
    EXPECT_LE(start.secsTo(clock.t), 4);
    // A clock that changes its second only every fifth pass: the wait goes on meanwhile.
    clock.stepEvery = 5;
    clock.waits = 0;
    WAIT(2, clock);
    EXPECT_GE(clock.waits, 10);
    EXPECT_LE(clock.waits, 15);
    const QDateTime before = clock.t;
    WAIT(0, clock);
    WAIT(-5, clock);
    EXPECT_EQ(clock.t, before);
}

TEST(Wait, RealClockWaitsAtMostTheAskedSeconds)
{
    QElapsedTimer t;
    t.start();
    WAIT(1);
    EXPECT_LE(t.elapsed(), 1300);
}

} // namespace
