// Starting programs detached, waiting for one with events running, and WAIT.
#include "launch/LaunchTestSupport.h"
#include "launch/ProgramRunner.h"

#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

TEST(SpawnDetached, OwnSessionExactArgumentsAndFolderNotOurChild)
{
    TempDir dir;
    const QString out = dir.file(QStringLiteral("out"));
    const QString folder = dir.mkdir(QStringLiteral("work dir"));
    const qint64 pid = SpawnDetached(QStringLiteral("/bin/sh"),
                                     {QStringLiteral("-c"), QStringLiteral("printf '%s\\0' \"$PWD\" \"$1\"> \"$0\"; sleep 5"), out,
                                      QStringLiteral("one\nargument ' \" $x")},
                                     folder);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitForRecord(out), (QList<QByteArray>{QFile::encodeName(folder.chopped(1)), "one\nargument ' \" $x"}));
    EXPECT_EQ(::getsid(pid_t(pid)), pid_t(pid));
    EXPECT_EQ(::waitpid(pid_t(pid), nullptr, WNOHANG), -1);
    KillProcess(pid);
}

TEST(SpawnDetached, ReportsWhyAProgramCannotStart)
{
    TempDir dir;
    int error = 0;
    EXPECT_EQ(SpawnDetached(dir.file(QStringLiteral("missing")), {}, {}, &error), -1);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(SpawnDetached(dir.write(QStringLiteral("plain"), "text"), {}, {}, &error), -1);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(SpawnDetached(QStringLiteral("/bin/true"), {}, dir.file(QStringLiteral("no folder")), &error), -1);
    EXPECT_EQ(error, ENOENT);
}

TEST(SpawnChild, OwnSessionErrorOutputAndExitStatusCollectedOnce)
{
    TempDir dir;
    const int err = ::open(QFile::encodeName(dir.file(QStringLiteral("err"))).constData(),
                           O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(err, 0);
    const qint64 pid = SpawnChild(QStringLiteral("/bin/sh"),
                                  {QStringLiteral("-c"), QStringLiteral("echo \"$PWD\" >&2; exit 7")},
                                  dir.mkdir(QStringLiteral("work dir")), err);
    ::close(err);
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::getsid(pid_t(pid)), pid_t(pid));
    ChildExit exit;
    ASSERT_TRUE(WaitFor([&] { return TakeExitStatus(pid, exit); }, 5000));
    EXPECT_EQ(exit.code, 7);
    EXPECT_EQ(exit.signal, 0);
    EXPECT_TRUE(exit.failed());
    EXPECT_EQ(dir.read(QStringLiteral("err")), QFile::encodeName(dir.file(QStringLiteral("work dir"))) + '\n');
    EXPECT_FALSE(TakeExitStatus(pid, exit)) << "collected twice";

    // A child handed over is collected by a later start: no zombie stays.
    const qint64 abandoned = SpawnChild(QStringLiteral("/bin/true"), {});
    ASSERT_GT(abandoned, 0);
    ASSERT_TRUE(WaitFor([&] { return ProcessIsZombie(abandoned); }, 5000));
    AbandonChild(abandoned);
    EXPECT_FALSE(ProcessIsZombie(abandoned) || ProcessAlive(abandoned));

    int error = 0;
    EXPECT_EQ(SpawnChild(dir.file(QStringLiteral("missing")), {}, {}, -1, &error), -1);
    EXPECT_EQ(error, ENOENT);
}

TEST(RunAndWait, WaitsForTheEndWhileEventsRun)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    EXPECT_EQ(RunAndWait(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 0.4; exit 3")}), 3);
    EXPECT_GE(ticks, 5);
    EXPECT_EQ(RunAndWait(QStringLiteral("/nonexistent/program"), {}), -1);
}

// A clock whose second advances every `stepEvery` waits, so WAIT runs instantly.
class SteppingClock : public Clock {
public:
    QDateTime t = QDateTime(QDate(2024, 1, 1), QTime(12, 0, 58));
    int waits = 0, stepEvery = 1;
    QDateTime now() const override { return t; }
    void wait(int) override { t = (++waits % stepEvery == 0) ? t.addSecs(1) : t; }
};

TEST(Wait, CountsChangesOfTheSecondAcrossTheMinute)
{
    SteppingClock clock;
    const QDateTime start = clock.t;
    WAIT(3, clock); // 58 -> 59 -> 00 -> 01: the wrap of the minute counts too
    EXPECT_GE(start.secsTo(clock.t), 3);
    EXPECT_LE(start.secsTo(clock.t), 4);
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

} // namespace
