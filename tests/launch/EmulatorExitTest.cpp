// An emulator that fails at once speaks: real shell emulators started
// through the real launcher script, their exit status collected by the
// monitor, their error output read from the file beside the script. The
// clock is a test clock, so "within 3 seconds" costs no waiting.
#include "config/Language.h"
#include "launch/EmulatorExit.h"
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "support/ScriptedPrompt.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class EarlyExitTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    RecordingHost host;
    ScriptedPrompt prompts;
    ManualClock clock;
    GameMonitor monitor{host};
    GameLauncher launcher{host, monitor, clock};
    QString emuName = UniqueName(QStringLiteral("emu"));
    QString errorFile = ErrorOutputPath(profile.paths.launcherScript);

    void SetUp() override
    {
        monitor.timer().setInterval(3600 * 1000); // the tests tick the monitor themselves
        host.launchPaths = profile.paths;
    }
    void TearDown() override
    {
        if (ProcessAlive(launcher.lastStartedPid()))
            ::kill(pid_t(launcher.lastStartedPid()), SIGKILL);
        setCurrentLanguage(kLanguageEnglish);
    }
    // An emulator that waits for the file "go" in its folder, then runs `then`.
    void installEmulator(const QByteArray& then)
    {
        host.emulator = WriteExecutable(dir, QStringLiteral("Emus/") + emuName,
                                        "#!/bin/sh\nulimit -c 0\nwhile [ ! -e go ]; do sleep 0.01; done\n"
                                            + then + "\n");
    }
    // Launches, lets `seconds` pass on the clock, lets the emulator go on and
    // waits until the monitor has collected it.
    bool launchAndRelease(double seconds)
    {
        QString game = dir.write(QStringLiteral("Games/Game.adf"), "ADF");
        if (launcher.LaunchGame(game) != GameLauncher::Result::Started)
            return false;
        EXPECT_FALSE(QFile::exists(errorFile)) << "the error file's name outlived the launch";
        clock.t = clock.t.addMSecs(qint64(seconds * 1000));
        dir.write(QStringLiteral("Emus/go"));
        return WaitFor([&] { return monitor.launchedChild() == 0; }, 8000);
    }
};

TEST_F(EarlyExitTest, FailureWithinThreeSecondsIsReportedWithTheLastLinesOfItsErrorOutput)
{
    installEmulator("echo 'starting up'\n"
                    "for i in 1 2 3 4 5 6 7 8 9 10 11 12; do printf '\\033[31mproblem %s\\033[0m\\r\\n' $i >&2; done\n"
                    "exit 3");
    ASSERT_TRUE(launchAndRelease(2.0));

    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts.asked()[0].title, QStringLiteral("Emulator error"));
    EXPECT_EQ(prompts.asked()[0].icon, PromptIcon::Critical);
    QStringList expected{QStringLiteral("The emulator %1 ended after 2.0 seconds with status 3:").arg(emuName)};
    for (int i = 3; i <= 12; ++i)
        expected << QStringLiteral("problem %1").arg(i);
    EXPECT_EQ(prompts.lastText(), expected.join(u'\n'));
    // The watch ended at once, the launcher came back, the loading screen went.
    EXPECT_FALSE(monitor.isWatching() || monitor.gameRunning());
    EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 1);
    EXPECT_EQ(host.count(QStringLiteral("closeLoadingScreen")), 1);
    EXPECT_FALSE(QFile::exists(errorFile));
    EXPECT_FALSE(QFile::exists(profile.paths.launcherScript));
}

TEST_F(EarlyExitTest, EmulatorEndedBySignalIsNamedInTheInterfaceLanguage)
{
    setCurrentLanguage(kLanguageGerman);
    installEmulator("echo 'Speicherzugriffsfehler' >&2\nkill -SEGV $$");
    ASSERT_TRUE(launchAndRelease(1.5));
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Emulator-Fehler"));
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("Der Emulator %1 wurde nach 1,5 Sekunden durch das Signal SIGSEGV beendet:\n"
                             "Speicherzugriffsfehler")
                  .arg(emuName));
}

TEST_F(EarlyExitTest, FailureWithoutErrorOutputSaysSoInBothLanguages)
{
    installEmulator("exit 1");
    ASSERT_TRUE(launchAndRelease(0.0));
    ASSERT_EQ(prompts.count(), 1);
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("The emulator %1 ended after 0.0 seconds with status 1:\n(no error output)").arg(emuName));
    EXPECT_EQ(EarlyExitMessage(QStringLiteral("dosbox"), 0.25, ChildExit{1, 0}, {}),
              QStringLiteral("The emulator dosbox ended after 0.3 seconds with status 1:\n(no error output)"));
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(EarlyExitMessage(QStringLiteral("dosbox"), 0.25, ChildExit{1, 0}, {}),
              QStringLiteral("Der Emulator dosbox wurde nach 0,3 Sekunden mit Status 1 beendet:\n(keine Fehlerausgabe)"));
}

TEST_F(EarlyExitTest, QuickCleanExitLateFailureAndUserEndSayNothing)
{
    // A clean exit at once, and a failure after more than 3 seconds.
    const struct { const char* what; QByteArray then; double seconds; } cases[] = {
        {"clean exit", "echo 'bye' >&2\nexit 0", 0.5},
        {"failure after 3.5 s", "echo 'late' >&2\nexit 2", 3.5},
    };
    for (const auto& c : cases) {
        QFile::remove(dir.file(QStringLiteral("Emus/go")));
        installEmulator(c.then);
        ASSERT_TRUE(launchAndRelease(c.seconds)) << c.what;
        EXPECT_EQ(prompts.count(), 0) << c.what;
        // The watch goes on and ends by its grace ticks, silently.
        EXPECT_TRUE(monitor.isWatching()) << c.what;
        for (int i = 0; i < 3; ++i)
            monitor.EmuActiveTimer_Timer();
        EXPECT_FALSE(monitor.isWatching()) << c.what;
        EXPECT_EQ(prompts.count(), 0) << c.what;
    }

    // The user ends the game from the launcher at once: a SIGTERM, not a failure.
    QFile::remove(dir.file(QStringLiteral("Emus/go")));
    installEmulator("exit 0");
    QString game = dir.write(QStringLiteral("Games/Game.adf"), "ADF");
    ASSERT_EQ(launcher.LaunchGame(game), GameLauncher::Result::Started);
    const qint64 pid = launcher.lastStartedPid();
    monitor.EmuActiveTimer_Timer();
    ASSERT_TRUE(monitor.runningShown());
    monitor.AppRunningPicture_Click();
    ASSERT_TRUE(WaitFor([&] { return monitor.launchedChild() == 0; }, 8000));
    EXPECT_FALSE(ProcessAlive(pid) || ProcessIsZombie(pid));
    EXPECT_EQ(prompts.count(), 0);
}

TEST_F(EarlyExitTest, LongErrorOutputShowsOnlyWholeLinesFromItsLastBytes)
{
    // 100 KiB of numbered lines: the message holds the last ten, none cut.
    installEmulator("i=0; while [ $i -lt 2000 ]; do i=$((i+1)); "
                    "echo \"warning $i: the same long complaint, over and over again\" >&2; done\nexit 4");
    ASSERT_TRUE(launchAndRelease(1.0));
    ASSERT_EQ(prompts.count(), 1);
    const QStringList lines = prompts.lastText().split(u'\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[1], QStringLiteral("warning 1991: the same long complaint, over and over again"));
    EXPECT_EQ(lines[10], QStringLiteral("warning 2000: the same long complaint, over and over again"));
}

qint64 allocated(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_blocks) * 512 : -1;
}

TEST(ErrorOutputFile, KeepsOnlyItsLastBytesOnDiskAndKeepsAppending)
{
    TempDir dir;
    ErrorOutputFile file;
    ASSERT_TRUE(file.create(dir.file(QStringLiteral("arvex_tmp.err"))));
    // A second descriptor on the same open file, as the emulator has it.
    const int emulator = ::dup(file.descriptor());
    QByteArray written;
    for (int i = 0; written.size() < 300 * 1024; ++i)
        written += "line " + QByteArray::number(i) + '\n';
    ASSERT_EQ(::write(emulator, written.constData(), size_t(written.size())), ssize_t(written.size()));
    file.trim(4096, 64 * 1024);
    EXPECT_LE(allocated(file.path()), 3 * 4096);
    EXPECT_EQ(file.tail(), written.right(4096));
    ASSERT_EQ(::write(emulator, "after\n", 6), 6);
    EXPECT_EQ(file.tail(10), written.right(4) + "after\n");
    // The name can go while the file is open.
    file.removeName();
    EXPECT_FALSE(QFile::exists(file.path()));
    EXPECT_EQ(file.tail(6), QByteArray("after\n"));
    ::close(emulator);
    ErrorOutputFile none;
    EXPECT_FALSE(none.create(dir.file(QStringLiteral("missing/folder/x.err"))));
    EXPECT_TRUE(none.tail().isEmpty());
}

TEST(LastErrorLines, CleansAndKeepsTheLastWholeLines)
{
    const struct { const char* what; QByteArray tail; bool cut; int max; QStringList lines; } cases[] = {
        {"plain", "a\nb\n", false, 10, {"a", "b"}},
        {"CR LF and blank lines", "a\r\n\r\n  \nb\r\n", false, 10, {"a", "b"}},
        {"colour codes", "\x1b[1;31mred\x1b[0m text\n", false, 10, {"red text"}},
        {"progress line keeps its last state", "10%\r50%\r100%\n", false, 10, {"100%"}},
        {"tabs and control characters", "a\tb\x07\n", false, 10, {"a b"}},
        {"cut tail drops its partial first line", "ial line\nwhole\n", true, 10, {"whole"}},
        {"cut tail of one line keeps it", "only part", true, 10, {"only part"}},
        {"only the last lines", "1\n2\n3\n4\n", false, 2, {"3", "4"}},
        {"UTF-8", "Datei \xc3\xa4rger\n", false, 10, {QStringLiteral("Datei ärger")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LastErrorLines(c.tail, c.cut, c.max), c.lines) << c.what;
    EXPECT_EQ(SignalName(SIGSEGV), QStringLiteral("SIGSEGV"));
    EXPECT_EQ(SignalName(SIGRTMIN + 3), QStringLiteral("signal %1").arg(SIGRTMIN + 3));
}

} // namespace
