// The launch sequence with real processes: the demo emulator (and small
// shell emulators) started through the real launcher script, watched by the
// real monitor over /proc and ended by KillProcess.
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "launch/ProgramRunner.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
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

    void SetUp() override { host.launchPaths = profile.paths; }

    void TearDown() override
    {
        // Whatever a test left running ends here.
        if (launcher.lastStartedPid() > 0 && ProcessAlive(launcher.lastStartedPid()))
            KillProcess(launcher.lastStartedPid());
        // No launch ever leaves its script behind.
        EXPECT_FALSE(QFile::exists(profile.paths.launcherScript));
    }

    QString game(const QString& name) { return dir.write(QStringLiteral("Games/") + name, "ADF"); }

    QStringList recordedArgs(const QList<QByteArray>& rec)
    {
        QStringList out;
        for (qsizetype i = 1; i < rec.size(); ++i)
            out << QString::fromUtf8(rec[i]);
        return out;
    }
};

TEST_F(GameLaunchTest, DemoEmulatorRunsInItsFolderIsWatchedAndEndedFromTheLauncher)
{
    ScopedEnv longer{"ARVEX_DEMO_SECONDS", "60"};
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu Dir/") + UniqueName(QStringLiteral("demo")));
    QString file = game(QStringLiteral("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2).adf"));

    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);

    const QList<QByteArray> rec = WaitForRecord(record);
    ASSERT_FALSE(rec.isEmpty());
    EXPECT_EQ(QString::fromUtf8(rec[0]), QFileInfo(host.emulator).absolutePath());
    EXPECT_EQ(recordedArgs(rec), QStringList{file});
    EXPECT_TRUE(monitor.isWatching());
    EXPECT_TRUE(monitor.gameRunning());
    EXPECT_EQ(monitor.currentRunningApplication(), QFileInfo(host.emulator).fileName());
    EXPECT_EQ(launcher.runningApplicationName(), QStringLiteral("Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)"));
    EXPECT_EQ(host.caption, QStringLiteral("Arvex 1.2"));
    EXPECT_TRUE(host.events.contains(QStringLiteral("caption:Spiel Läuft")));

    host.events.clear();
    monitor.EmuActiveTimer_Timer();
    EXPECT_TRUE(host.events.contains(QStringLiteral("running:Running: ") + QFileInfo(host.emulator).fileName()));
    EXPECT_TRUE(monitor.isWatching());

    const qint64 pid = launcher.lastStartedPid();
    ASSERT_TRUE(ProcessAlive(pid));
    monitor.AppRunningPicture_Click();
    EXPECT_TRUE(host.events.contains(QStringLiteral("indicator:0")));
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid); }, 3000));

    // The monitor sees it gone once the grace ticks are used up.
    for (int i = 0; i < 3 && monitor.isWatching(); ++i)
        monitor.EmuActiveTimer_Timer();
    EXPECT_FALSE(monitor.isWatching());
    EXPECT_FALSE(monitor.gameRunning());
    EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 1);
    EXPECT_EQ(host.count(QStringLiteral("joystick:1")), 1);
    EXPECT_EQ(host.count(QStringLiteral("combo:1")), 1);
}

TEST_F(GameLaunchTest, HostileFileNamesReachTheEmulatorAsOneExactArgumentAndRunNothing)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    const QStringList names{QStringLiteral("x'; touch pwned; '.adf"), QStringLiteral("$(touch pwned).adf"),
                            QStringLiteral("`touch pwned`.adf"), QStringLiteral("`id`.adf"),
                            QStringLiteral("a \"b\" c.adf"), QStringLiteral("new\nline; touch pwned.adf"),
                            QStringLiteral("semi;amp&bang!brack[paren(.adf"), QStringLiteral("-dash.adf")};
    for (int withoutPath = 0; withoutPath <= 1; ++withoutPath) {
        profile.set(QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), QString::number(withoutPath));
        for (const QString& name : names) {
            SCOPED_TRACE(name.toStdString());
            QFile::remove(record);
            QString file = game(name);
            ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
            const QList<QByteArray> rec = WaitForRecord(record);
            ASSERT_FALSE(rec.isEmpty());
            EXPECT_EQ(recordedArgs(rec), QStringList{withoutPath ? name : file});
        }
    }
    WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()); }, 3000);
    for (const QString& folder : {dir.path(), dir.file(QStringLiteral("Emu")), dir.file(QStringLiteral("Games")),
                                  QDir::currentPath()})
        EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/pwned"))) << folder.toStdString();
}

TEST_F(GameLaunchTest, SettingsShapeTheCommandLineTheEmulatorReceives)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    profile.set(QStringLiteral("WinUAE_ConfigParameter"), QStringLiteral("-f"));
    profile.set(QStringLiteral("WinUAE_UseMasterConfig"), QStringLiteral("1"));
    profile.set(QStringLiteral("EmulatorParameter"), QStringLiteral("-s 'use_gui=no' -x"));
    host.fullScreen = true;
    host.slots_[0] = game(QStringLiteral("Disk 1.adf"));
    host.slots_[2] = game(QStringLiteral("Disk3.adf"));
    QString file = host.slots_[0];

    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    const QList<QByteArray> rec = WaitForRecord(record);
    EXPECT_EQ(recordedArgs(rec), (QStringList{QStringLiteral("-f"), profile.paths.startScriptConfig,
                                              QStringLiteral("-s"), QStringLiteral("use_gui=no"),
                                              QStringLiteral("-x"), file}));
    // No template file: the configuration holds only the added lines.
    QFile cfg(profile.paths.startScriptConfig);
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(cfg.readAll(), "\r\ngfx_fullscreen_amiga=True\r\ngfx_fullscreen=True\r\nfloppy0=\""
                                 + QFile::encodeName(host.slots_[0]) + "\"\r\nfloppy2="
                                 + QFile::encodeName(host.slots_[2]) + "\r\n");
    // The loading screen names the game and the disks inserted.
    EXPECT_EQ(monitor.Get_CURRENT_PROGRAM_STARTED(), QStringLiteral("Disk 1\rDisk 1\rDisk3"));
}

TEST_F(GameLaunchTest, ShellScriptEmulatorIsWatchedByNameAndEndedWithItsChildren)
{
    const QString name = UniqueName(QStringLiteral("emu")) + QStringLiteral(".sh");
    const QString childFile = dir.file(QStringLiteral("child.pid"));
    host.emulator = WriteExecutable(dir, QStringLiteral("Emu/") + name,
                                    "#!/bin/sh\nsleep 60 &\necho $! > '" + QFile::encodeName(childFile)
                                        + "'\nwait\n");
    QString file = game(QStringLiteral("Game.adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    ASSERT_TRUE(WaitFor([&] { return QFile(childFile).size() > 0; }, 5000));
    QFile f(childFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const qint64 child = f.readAll().trimmed().toLongLong();
    ASSERT_GT(child, 0);

    EXPECT_TRUE(IsProgramRunning(name));
    EXPECT_TRUE(IsProgramRunning(QStringLiteral("/some/folder/") + name.toUpper()));
    EXPECT_EQ(FindProcessId(name), launcher.lastStartedPid());

    monitor.LoadingBtn_Click(); // nothing shown running yet: asks about the settings' emulator, finds none
    EXPECT_EQ(prompts.count(), 0);
    EXPECT_TRUE(ProcessAlive(launcher.lastStartedPid()));
    monitor.EmuActiveTimer_Timer();
    monitor.LoadingBtn_Click(); // shown running: ends it
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()) && !ProcessAlive(child); }, 3000));
}

TEST_F(GameLaunchTest, EmulatorThatEndsAtOnceIsReportedEndedAfterTheGraceTicks)
{
    host.emulator = WriteExecutable(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("quick")),
                                    "#!/bin/sh\nexit 0\n");
    QString file = game(QStringLiteral("Game.adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    ASSERT_TRUE(WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()); }, 3000));
    monitor.EmuActiveTimer_Timer();
    monitor.EmuActiveTimer_Timer();
    EXPECT_TRUE(monitor.isWatching());
    EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 0);
    monitor.EmuActiveTimer_Timer();
    EXPECT_FALSE(monitor.isWatching());
    EXPECT_EQ(host.count(QStringLiteral("hideRunning")), 1);
}

TEST_F(GameLaunchTest, EmulatorThatCrashesAtOnceLeavesNoScript)
{
    host.emulator = WriteExecutable(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("crash")),
                                    "#!/bin/sh\nkill -SEGV $$\n");
    QString file = game(QStringLiteral("Game.adf"));
    EXPECT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_FALSE(QFile::exists(profile.paths.launcherScript));
}

TEST_F(GameLaunchTest, MissingEmulatorOrGameIsReportedAndNothingStarts)
{
    host.emulator = dir.file(QStringLiteral("Emu/none"));
    QString file = game(QStringLiteral("Game.adf"));
    EXPECT_EQ(launcher.LaunchGame(file), GameLauncher::Result::EmulatorNotFound);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Emulator - File not found!"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("File not found:\r") + host.emulator);
    EXPECT_FALSE(monitor.isWatching());

    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
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
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    QString file = game(QStringLiteral("it's a game.adf"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_EQ(host.count(QStringLiteral("beep")), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Bat - Start-File not found: \r")));
    EXPECT_EQ(recordedArgs(WaitForRecord(record)), QStringList{file});
}

TEST_F(GameLaunchTest, WindowsEmulatorsGoThroughWineOrAreReportedWithoutIt)
{
    const QString wineLog = dir.file(QStringLiteral("wine.log"));
    const QString fakeBin = dir.mkdir(QStringLiteral("bin"));
    WriteExecutable(dir, QStringLiteral("bin/wine"),
                    "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$@\" > '" + QFile::encodeName(wineLog) + "'\n");
    host.emulator = WriteExecutable(dir, QStringLiteral("Win Emu/WinUAE.exe"), "MZ");
    QString file = game(QStringLiteral("Game $HOME.adf"));
    {
        ScopedEnv path{"PATH", QFile::encodeName(fakeBin)};
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    }
    const QList<QByteArray> rec = WaitForRecord(wineLog);
    ASSERT_EQ(rec.size(), 3);
    EXPECT_EQ(QString::fromUtf8(rec[0]), dir.file(QStringLiteral("Win Emu")));
    EXPECT_EQ(QString::fromUtf8(rec[1]), host.emulator);
    EXPECT_EQ(QString::fromUtf8(rec[2]), file);
    EXPECT_EQ(monitor.currentRunningApplication(), QStringLiteral("WinUAE.exe"));

    // A batch-file emulator is watched as the command interpreter.
    host.emulator = WriteExecutable(dir, QStringLiteral("Win Emu/start.bat"), "@echo off");
    {
        ScopedEnv path{"PATH", QFile::encodeName(fakeBin)};
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    }
    EXPECT_EQ(monitor.currentRunningApplication(), QStringLiteral("cmd.exe"));

    ScopedEnv noWine{"PATH", QFile::encodeName(dir.mkdir(QStringLiteral("empty")))};
    EXPECT_EQ(launcher.LaunchGame(file), GameLauncher::Result::EmulatorNotFound);
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Wine - File not found!"));
}

TEST_F(GameLaunchTest, JoystickStaysOnOnlyWithExitButtonAndNavigationBothOn)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    QString file = game(QStringLiteral("Game.adf"));
    struct Row { const char* exitButton; const char* use; bool switchedOff; };
    for (const Row& r : {Row{"1", "1", false}, Row{"0", "1", true}, Row{"2", "0", true}, Row{"0", "0", true}}) {
        profile.setGlobal(QStringLiteral("UseJoystickExitbutton"), QString::fromLatin1(r.exitButton));
        profile.setGlobal(QStringLiteral("UseJoystick"), QString::fromLatin1(r.use));
        host.events.clear();
        ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
        EXPECT_EQ(host.count(QStringLiteral("joystick:0")), r.switchedOff ? 1 : 0) << r.exitButton << r.use;
    }
}

TEST_F(GameLaunchTest, SplashTimerSetsTheCounterAndShowsTheLoadingScreen)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    QString file = game(QStringLiteral("Game.adf"));
    EXPECT_EQ(launcher.GetTimerTimer(), 4);
    profile.set(QStringLiteral("SplashTimer"), QStringLiteral("3"));
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_EQ(launcher.GetTimerTimer(), 3);
    EXPECT_EQ(host.count(QStringLiteral("loadingScreen")), 2);
    profile.set(QStringLiteral("SplashTimer"), QStringLiteral("-1"));
    host.events.clear();
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    EXPECT_EQ(host.count(QStringLiteral("loadingScreen")), 0);
}

TEST_F(GameLaunchTest, MountAndStartScriptRunDuringTheLaunch)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    const QString calls = dir.file(QStringLiteral("tool.log"));
    const QString tool = WriteExecutable(dir, QStringLiteral("Tools/dtlite"),
                                         "#!/bin/sh\nprintf '%s|' \"$@\" >> '" + QFile::encodeName(calls)
                                             + "'\necho >> '" + QFile::encodeName(calls) + "'\n");
    profile.setGlobal(QStringLiteral("DeamonToolPath"), QStringLiteral("./Tools/dtlite"));
    profile.set(QStringLiteral("AutoMountDeamonTool"), QStringLiteral("1"));
    profile.set(QStringLiteral("RunVBS_Script"), QStringLiteral("1"));
    const QString marker = dir.file(QStringLiteral("script ran"));
    dir.write(QStringLiteral("Config/Demo/Startscript.vbs"),
              "#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n");
    QString file = game(QStringLiteral("Disc Image.iso"));
    host.loadingText = QStringLiteral("before");

    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started);
    QFile log(calls);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "-unmount|0|\n-mount|0,|" + QFile::encodeName(file) + "|\n");
    EXPECT_FALSE(QFile::exists(profile.paths.startFolder + QStringLiteral("MountDeamon.sh")));
    EXPECT_TRUE(WaitFor([&] { return QFile::exists(marker); }, 3000));
    EXPECT_FALSE(QFile::exists(profile.paths.startScript + QStringLiteral(".sh")));
    const qsizetype mount = host.events.indexOf(QStringLiteral("loading:Deamon Tools.."));
    ASSERT_GE(mount, 0);
    EXPECT_EQ(host.events.at(mount + 1), QStringLiteral("loading:") + file + QStringLiteral("..."));
    EXPECT_TRUE(host.events.contains(QStringLiteral("loading:Running Startscript.vbs")));
}

TEST_F(GameLaunchTest, CommandLineModeShowsTheNoticeOrLaunchesTheArgument)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    EXPECT_FALSE(RunCommandLineMode({}, launcher));
    EXPECT_FALSE(RunCommandLineMode({QStringLiteral("  ")}, launcher));
    EXPECT_EQ(prompts.count(), 0);

    EXPECT_TRUE(RunCommandLineMode({QStringLiteral("/games/what?.adf")}, launcher));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Command Parameter: Not full supported yet!  *.adf Files should work!"));
    EXPECT_FALSE(QFile::exists(record));

    const QString file = game(QStringLiteral("Space Game.adf"));
    // Arguments split at the blank come back together as one file.
    EXPECT_TRUE(RunCommandLineMode(file.split(u' '), launcher));
    EXPECT_EQ(recordedArgs(WaitForRecord(record)), QStringList{file});
    EXPECT_EQ(launcher.runningApplicationName(), QStringLiteral("Space Game"));
}

TEST_F(GameLaunchTest, RunButtonEnablesTheComboAgainAfterTheLaunch)
{
    host.emulator = InstallDemoEmulator(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("demo")));
    ASSERT_EQ(launcher.LaunchBtn_Click(game(QStringLiteral("Game.adf"))), GameLauncher::Result::Started);
    EXPECT_EQ(host.events.first(), QStringLiteral("keepOnTopNormal"));
    EXPECT_EQ(host.events.last(), QStringLiteral("combo:1"));
    EXPECT_EQ(host.count(QStringLiteral("combo:0")), 2);
}

} // namespace
