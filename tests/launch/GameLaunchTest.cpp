// The launch sequence with real processes: the demo emulator and small shell
// emulators started through the real launcher script, watched by the real
// monitor over /proc and ended by KillProcess.
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class GameLaunchTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    RecordingHost host;
    ScriptedPrompt prompts;
    GameMonitor monitor{host};
    GameLauncher launcher{host, monitor};
    QString record = dir.file(QStringLiteral("record.bin"));
    ScopedEnv headless{"ARVEX_DEMO_HEADLESS", "1"};
    ScopedEnv seconds{"ARVEX_DEMO_SECONDS", "0"};
    ScopedEnv recordEnv{"ARVEX_DEMO_RECORD", QFile::encodeName(record)};

    void SetUp() override
    {
        monitor.timer().setInterval(3600 * 1000); // the tests tick the monitor themselves
        host.launchPaths = profile.paths;
        host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu Dir/") + UniqueName(QStringLiteral("demo")));
    }
    void TearDown() override
    {
        if (ProcessAlive(launcher.lastStartedPid()))
            KillProcess(launcher.lastStartedPid());
        EXPECT_FALSE(QFile::exists(profile.paths.launcherScript)) << "a launch left its script behind";
    }
    QString game(const QString& name) { return dir.write(QStringLiteral("Games/") + name, "ADF"); }
    // The arguments the emulator received (after its working folder).
    QStringList args()
    {
        QStringList out;
        for (const QByteArray& a : WaitForRecord(record).mid(1))
            out << QString::fromUtf8(a);
        return out;
    }
};

TEST_F(GameLaunchTest, DemoEmulatorRunsInItsFolderIsWatchedAndEndedFromTheLauncher)
{
    ScopedEnv longer{"ARVEX_DEMO_SECONDS", "60"};
    QString file = game(QStringLiteral("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);

    const QList<QByteArray> rec = WaitForRecord(record);
    ASSERT_FALSE(rec.isEmpty());
    EXPECT_EQ(QString::fromUtf8(rec[0]), QFileInfo(host.emulator).absolutePath());
    EXPECT_EQ(args(), QStringList{file});
    EXPECT_TRUE(monitor.isWatching() && monitor.gameRunning());
    EXPECT_EQ(launcher.runningApplicationName(), QStringLiteral("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)"));
    EXPECT_TRUE(host.events.contains(QStringLiteral("caption:Spiel Läuft")));
    EXPECT_EQ(host.caption, QStringLiteral("Arvex 1.2"));

    host.events.clear();
    monitor.EmuActiveTimer_Timer();
    EXPECT_EQ(host.events, QStringList{QStringLiteral("running:Running: ") + QFileInfo(host.emulator).fileName()});
    const qint64 pid = launcher.lastStartedPid();
    monitor.AppRunningPicture_Click();
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid); }, 3000));
    for (int i = 0; i < 3 && monitor.isWatching(); ++i)
        monitor.EmuActiveTimer_Timer();
    EXPECT_FALSE(monitor.isWatching() || monitor.gameRunning());
    EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 1);
    EXPECT_EQ(host.count(QStringLiteral("joystick:1")), 1);
}

TEST_F(GameLaunchTest, HostileFileNamesReachTheEmulatorAsOneExactArgumentAndRunNothing)
{
    const QStringList names{QStringLiteral("x'; touch pwned; '.adf"), QStringLiteral("$(touch pwned).adf"),
                            QStringLiteral("`touch pwned`.adf"), QStringLiteral("a \"b\" c.adf"),
                            QStringLiteral("new\nline; touch pwned.adf"), QStringLiteral("semi;amp&!brack[paren(.adf")};
    for (int withoutPath = 0; withoutPath <= 1; ++withoutPath) {
        profile.set(QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), QString::number(withoutPath));
        for (const QString& name : names) {
            QFile::remove(record);
            QString file = game(name);
            ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
            EXPECT_EQ(args(), QStringList{withoutPath ? name : file}) << name.toStdString();
        }
    }
    WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()); }, 3000);
    for (const QString& folder : {dir.path(), dir.file(QStringLiteral("Emu Dir")), dir.file(QStringLiteral("Games")), QDir::currentPath()})
        EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned"))) << folder.toStdString();
}

TEST_F(GameLaunchTest, ConfigurationSwitchTemplateAndParametersComeBeforeTheGame)
{
    profile.set(QStringLiteral("WinUAE_ConfigParameter"), QStringLiteral("-f"));
    profile.set(QStringLiteral("WinUAE_UseMasterConfig"), QStringLiteral("1"));
    profile.set(QStringLiteral("EmulatorParameter"), QStringLiteral("-s 'use_gui=no' -x"));
    host.fullScreen = true;
    host.disks[0] = game(QStringLiteral("Disk 1.adf"));
    host.disks[2] = game(QStringLiteral("Disk3.adf"));
    QString file = host.disks[0];
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_EQ(args(), (QStringList{QStringLiteral("-f"), profile.paths.startScriptConfig, QStringLiteral("-s"),
                                   QStringLiteral("use_gui=no"), QStringLiteral("-x"), file}));
    EXPECT_EQ(dir.read(QStringLiteral("Config/Demo/arvex_StartScript.uaecfg")),
              "\r\ngfx_fullscreen_amiga=True\r\ngfx_fullscreen=True\r\nfloppy0=\"" + QFile::encodeName(host.disks[0])
                  + "\"\r\nfloppy2=" + QFile::encodeName(host.disks[2]) + "\r\n");
    // The loading screen names the game, then the disks inserted.
    EXPECT_EQ(monitor.Get_CURRENT_PROGRAM_STARTED(), QStringLiteral("Disk 1\rDisk 1\rDisk3"));
}

TEST_F(GameLaunchTest, ShellScriptEmulatorIsWatchedByNameAndEndedWithItsChildren)
{
    const QString name = UniqueName(QStringLiteral("emu")) + QStringLiteral(".sh");
    const QString childFile = dir.file(QStringLiteral("child.pid"));
    host.emulator = WriteExecutable(dir, QStringLiteral("Emu/") + name,
                                    "#!/bin/sh\nsleep 60 &\necho $! > '" + QFile::encodeName(childFile) + "'\nwait\n");
    QString file = game(QStringLiteral("Game.adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    ASSERT_TRUE(WaitFor([&] { return QFile(childFile).size() > 0; }, 5000));
    const qint64 child = dir.read(QStringLiteral("child.pid")).trimmed().toLongLong();
    EXPECT_EQ(FindProcessId(QStringLiteral("/elsewhere/") + name.toUpper()), launcher.lastStartedPid());

    monitor.LoadingBtn_Click(); // not shown running yet: the profile names no running emulator
    EXPECT_EQ(prompts.count(), 0);
    EXPECT_TRUE(ProcessAlive(child));
    monitor.EmuActiveTimer_Timer();
    monitor.LoadingBtn_Click(); // shown running: ends it, with the child
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()) && !ProcessAlive(child); }, 3000));
}

// (One that fails at once is reported and ends the watch at once: EmulatorExitTest.)
TEST_F(GameLaunchTest, EmulatorThatEndsCleanlyAtOnceIsEndedAfterTheGraceTicks)
{
    for (const QByteArray& body : {QByteArray("exit 0"), QByteArray("echo 'noise' >&2; exit 0")}) {
        host.emulator = WriteExecutable(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("quick")), "#!/bin/sh\n" + body + '\n');
        host.events.clear();
        QString file = game(QStringLiteral("Game.adf"));
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
        EXPECT_FALSE(QFile::exists(profile.paths.launcherScript));
        ASSERT_TRUE(WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()); }, 3000));
        monitor.EmuActiveTimer_Timer();
        monitor.EmuActiveTimer_Timer();
        EXPECT_TRUE(monitor.isWatching()) << body.constData();
        monitor.EmuActiveTimer_Timer();
        EXPECT_FALSE(monitor.isWatching()) << body.constData();
        EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 1);
        EXPECT_EQ(prompts.count(), 0);
    }
}

TEST_F(GameLaunchTest, MissingEmulatorOrGameIsReportedAndNothingStarts)
{
    const QString emulator = host.emulator;
    host.emulator = dir.file(QStringLiteral("Emu/none"));
    QString file = game(QStringLiteral("Game.adf"));
    EXPECT_EQ(launcher.LaunchGame(file), GameLauncher::Result::EmulatorNotFound);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Emulator - File not found!"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("File not found:\r") + host.emulator);

    host.emulator = emulator;
    QString missing = QStringLiteral("  ") + dir.file(QStringLiteral("Games/Gone Game.adf")) + QStringLiteral(" ");
    EXPECT_EQ(launcher.LaunchGame(missing), GameLauncher::Result::GameNotFound);
    EXPECT_EQ(missing, dir.file(QStringLiteral("Games/Gone Game.adf")));
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Game - File not found!"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("File not found:\r") + missing);
    EXPECT_EQ(prompts.asked().last().icon, PromptIcon::Information);
    EXPECT_FALSE(monitor.isWatching());
    EXPECT_FALSE(QFile::exists(record));
}

TEST_F(GameLaunchTest, UnwritableScriptFallsBackToTheDirectStartWithABeep)
{
    host.launchPaths.launcherScript = dir.file(QStringLiteral("no such folder/arvex_tmp.sh"));
    QString file = game(QStringLiteral("it's a game.adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_EQ(host.count(QStringLiteral("beep")), 1);
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Bat - Start-File not found: \r") + host.launchPaths.launcherScript);
    EXPECT_EQ(args(), QStringList{file});
}

TEST_F(GameLaunchTest, WindowsEmulatorsGoThroughWineOrAreReportedWithoutIt)
{
    const QString wineLog = dir.file(QStringLiteral("wine.log"));
    RecordingProgram(dir, QStringLiteral("bin/wine"), wineLog);
    const QByteArray fakePath = QFile::encodeName(dir.file(QStringLiteral("bin")));
    host.emulator = dir.write(QStringLiteral("Win Emu/WinUAE.exe"), "MZ");
    QString file = game(QStringLiteral("Game $HOME.adf"));
    {
        ScopedEnv path{"PATH", fakePath};
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    }
    EXPECT_EQ(WaitForRecord(wineLog), (QList<QByteArray>{QFile::encodeName(dir.file(QStringLiteral("Win Emu"))),
                                                         QFile::encodeName(host.emulator), QFile::encodeName(file)}));
    EXPECT_EQ(monitor.currentRunningApplication(), QStringLiteral("WinUAE.exe"));

    host.emulator = dir.write(QStringLiteral("Win Emu/start.bat"), "@echo off");
    {
        ScopedEnv path{"PATH", fakePath};
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    }
    EXPECT_EQ(monitor.currentRunningApplication(), QStringLiteral("cmd.exe"));

    ScopedEnv noWine{"PATH", QFile::encodeName(dir.mkdir(QStringLiteral("empty")))};
    EXPECT_EQ(launcher.LaunchGame(file), GameLauncher::Result::EmulatorNotFound);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Wine - File not found!"));
}

TEST_F(GameLaunchTest, JoystickSplashAndComboFollowTheSettings)
{
    QString file = game(QStringLiteral("Game.adf"));
    EXPECT_EQ(launcher.GetTimerTimer(), 4);
    struct Row { const char* exitButton; const char* use; const char* splash; bool joystickOff; int splashShown; };
    for (const Row& r : {Row{"1", "1", "3", false, 2}, Row{"0", "1", "0", true, 0}, Row{"2", "0", "-1", true, 0}}) {
        profile.setGlobal(QStringLiteral("UseJoystickExitbutton"), QString::fromLatin1(r.exitButton));
        profile.setGlobal(QStringLiteral("UseJoystick"), QString::fromLatin1(r.use));
        profile.set(QStringLiteral("SplashTimer"), QString::fromLatin1(r.splash));
        host.events.clear();
        ASSERT_EQ(launcher.LaunchBtn_Click(file), GameLauncher::Result::Started);
        EXPECT_EQ(host.count(QStringLiteral("joystick:0")), r.joystickOff ? 1 : 0) << r.exitButton << r.use;
        EXPECT_EQ(host.count(QStringLiteral("loadingScreen")), r.splashShown) << r.splash;
        EXPECT_EQ(launcher.GetTimerTimer(), QString::fromLatin1(r.splash).toInt());
        EXPECT_EQ(host.events.first(), QStringLiteral("keepOnTopNormal"));
        EXPECT_EQ(host.events.last(), QStringLiteral("combo:1")); // the Run button enables it again
    }
}

TEST_F(GameLaunchTest, MountAndStartScriptRunDuringTheLaunch)
{
    const QString calls = dir.file(QStringLiteral("tool.log"));
    RecordingProgram(dir, QStringLiteral("Tools/dtlite"), calls);
    profile.setGlobal(QStringLiteral("DeamonToolPath"), QStringLiteral("./Tools/dtlite"));
    profile.set(QStringLiteral("AutoMountDeamonTool"), QStringLiteral("1"));
    profile.set(QStringLiteral("RunVBS_Script"), QStringLiteral("1"));
    const QString marker = dir.file(QStringLiteral("script ran"));
    dir.write(QStringLiteral("Config/Demo/Startscript.vbs"), "#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n");
    QString file = game(QStringLiteral("Disc Image.iso"));

    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    const QList<QByteArray> rec = WaitForRecord(calls); // two calls: folder and arguments each
    ASSERT_EQ(rec.size(), 7);
    EXPECT_EQ(rec.mid(1, 2), (QList<QByteArray>{"-unmount", "0"}));
    EXPECT_EQ(rec.mid(4), (QList<QByteArray>{"-mount", "0,", QFile::encodeName(file)}));
    EXPECT_FALSE(QFile::exists(profile.paths.startFolder + QStringLiteral("MountDeamon.sh")));
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(marker); }, 3000));
    EXPECT_FALSE(QFile::exists(profile.paths.startScript + QStringLiteral(".sh")));
    const qsizetype mount = host.events.indexOf(QStringLiteral("loading:Deamon Tools.."));
    ASSERT_GE(mount, 0);
    EXPECT_EQ(host.events.at(mount + 1), QStringLiteral("loading:") + file + QStringLiteral("..."));
    EXPECT_TRUE(host.events.contains(QStringLiteral("loading:Running Startscript.vbs")));
}


} // namespace
