// The running-game monitor over a process table double: grace ticks, the
// running caption, the end-of-game steps, the kill actions and the history.
#include "config/Language.h"
#include "launch/GameMonitor.h"
#include "launch/LaunchTestSupport.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace {

class FakeDisplay : public DisplayModes {
public:
    DisplayMode now{1920, 1080, 24, 60};
    bool current(DisplayMode& m) override { return m = now, true; }
    bool apply(const DisplayMode& m) override { return now = m, true; }
};

// A table whose walks within a time budget can run out of time: the first
// `unfinishedWalks` of them see only the first `seen` processes of the list.
class PartialWalkTable : public FakeProcessTable {
public:
    int unfinishedWalks = 0;
    int seen = 0;
    bool prepared = false;
    bool forEachWithin(const std::function<bool(const ProcessInfo&)>& visit,
                       std::chrono::microseconds) const override
    {
        if (m_walks++ >= unfinishedWalks) {
            forEach(visit);
            return true;
        }
        for (int i = 0; i < seen && i < list.size(); ++i)
            if (visit(list[i]))
                break;
        return false;
    }
    void prepare() override { prepared = true; }

private:
    mutable int m_walks = 0;
};

class MonitorTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    RecordingHost host;
    PartialWalkTable table;
    FakeDisplay display;
    ScreenResolution screen{display};
    GameMonitor monitor{host, table, &screen};
    ScriptedPrompt prompts;

    void SetUp() override
    {
        host.launchPaths = profile.paths;
        monitor.timer().setInterval(3600 * 1000); // the tests tick the monitor themselves
        monitor.SetCurrentRunninApplication(QStringLiteral("/emus/WinUAE"));
    }
    void TearDown() override { setCurrentLanguage(kLanguageEnglish); }
    void emulatorRuns(bool on)
    {
        table.list.clear();
        if (on)
            table.list << ProcessInfo{77, QStringLiteral("/usr/bin/winuae"), {}, {}, {}};
    }
};

TEST_F(MonitorTest, ProgramSlowerThanTheGraceTicksCountsAsEnded)
{
    struct Tick { bool present; bool watching; };
    const struct { const char* what; QList<Tick> ticks; } cases[] = {
        {"never starts", {{false, true}, {false, true}, {false, false}}},
        {"starts on the third tick", {{false, true}, {false, true}, {true, true}, {true, true}, {false, false}}},
        {"ends during the grace ticks", {{true, true}, {false, true}, {false, false}}},
    };
    for (const auto& c : cases) {
        monitor.startWatching(3);
        for (int i = 0; i < c.ticks.size(); ++i) {
            emulatorRuns(c.ticks[i].present);
            host.events.clear();
            monitor.EmuActiveTimer_Timer();
            EXPECT_EQ(monitor.isWatching(), c.ticks[i].watching) << c.what << " tick " << i;
            EXPECT_EQ(host.events.contains(QStringLiteral("running:Running: /emus/WinUAE")), c.ticks[i].present)
                << c.what << " tick " << i;
        }
        EXPECT_FALSE(monitor.gameRunning()) << c.what;
    }
    setCurrentLanguage(kLanguageGerman);
    emulatorRuns(true);
    monitor.EmuActiveTimer_Timer();
    EXPECT_EQ(host.events.last(), QStringLiteral("running:Gestartet: /emus/WinUAE"));
}

TEST_F(MonitorTest, WalkThatRanOutOfTimeNeverEndsTheWatch)
{
    EXPECT_TRUE(table.prepared);
    // The program has ended, but the first five walks cannot see every
    // process: the watch goes on past its grace tick until a walk is whole.
    table.unfinishedWalks = 5;
    table.list = {ProcessInfo{12, QStringLiteral("/usr/bin/mame"), {}, {}, {}}};
    table.seen = 1;
    monitor.startWatching(1);
    for (int i = 0; i < 5; ++i) {
        monitor.EmuActiveTimer_Timer();
        EXPECT_TRUE(monitor.isWatching()) << "tick " << i;
    }
    monitor.EmuActiveTimer_Timer();
    EXPECT_FALSE(monitor.isWatching());

    // Found within the part a short walk saw: shown running at once.
    table.list << ProcessInfo{77, QStringLiteral("/usr/bin/winuae"), {}, {}, {}};
    table.unfinishedWalks = 1000;
    table.seen = 2;
    host.events.clear();
    monitor.startWatching(0);
    monitor.EmuActiveTimer_Timer();
    EXPECT_TRUE(monitor.runningShown());
    EXPECT_TRUE(host.events.contains(QStringLiteral("running:Running: /emus/WinUAE")));
}

TEST_F(MonitorTest, EndOfGameRestoresTheLauncherInOrder)
{
    profile.setGlobal(QStringLiteral("UseJoystick"), QStringLiteral("1"));
    monitor.startWatching(0);
    monitor.EmuActiveTimer_Timer();
    EXPECT_EQ(host.events, (QStringList{QStringLiteral("refreshAfterGame"), QStringLiteral("combo:1"),
                                         QStringLiteral("hideRunning"), QStringLiteral("showPanelsIfCollapsed"),
                                         QStringLiteral("joystick:1"), QStringLiteral("keepOnTopNormal")}));
    profile.setGlobal(QStringLiteral("UseJoystick"), QStringLiteral("0"));
    host.events.clear();
    monitor.armTimer(); // a setup start: no grace ticks
    monitor.EmuActiveTimer_Timer();
    EXPECT_FALSE(host.events.contains(QStringLiteral("joystick:1")));
    EXPECT_FALSE(monitor.isWatching());
}

TEST_F(MonitorTest, RunningPictureEndsTheGameAndRestoresTheDisplayOnlyWhenAsked)
{
    screen.SaveModeAndSwitch();
    monitor.startWatching(3);
    emulatorRuns(true);
    monitor.AppRunningPicture_Click();
    EXPECT_EQ(table.terminated, QList<qint64>{77});
    EXPECT_EQ(display.now.width, 800); // ResetScreenResolution is off
    EXPECT_EQ(host.events, (QStringList{QStringLiteral("loading:Killing process.."), QStringLiteral("indicator:0"),
                                         QStringLiteral("focusAfterKill")}));
    profile.setGlobal(QStringLiteral("ResetScreenResolution"), QStringLiteral("1"));
    monitor.AppRunningPicture_Click();
    EXPECT_EQ(display.now, (DisplayMode{1920, 1080, 24, 60}));

    host.events.clear();
    emulatorRuns(false);
    monitor.AppRunningPicture_Click();
    monitor.SetCurrentRunninApplication(QString());
    monitor.AppRunningPicture_Click();
    EXPECT_TRUE(host.events.isEmpty());
    EXPECT_EQ(table.terminated.size(), 2);
}

TEST_F(MonitorTest, LoadingButtonAsksBeforeEndingTheProfilesEmulator)
{
    emulatorRuns(true);
    monitor.LoadingBtn_Click(); // no EmulatorPath: its default "*.exe" is stored, nothing matches
    EXPECT_EQ(prompts.count(), 0);
    EXPECT_EQ(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("EmulatorPath"), profile.paths.settingsFile, {}, false),
              QStringLiteral("*.exe"));

    profile.set(QStringLiteral("EmulatorPath"), QStringLiteral("./Emulators/winuae"));
    prompts.queue(PromptAnswer::No);
    monitor.LoadingBtn_Click();
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Kill Task?"));
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Kill Emulator - Program?\r") + dir.path() + QStringLiteral("winuae"));
    EXPECT_EQ(prompts.asked().last().buttons, PromptButtons::YesNo);
    EXPECT_TRUE(table.terminated.isEmpty());

    setCurrentLanguage(kLanguageGerman);
    prompts.queue(PromptAnswer::Yes);
    monitor.LoadingBtn_Click();
    EXPECT_EQ(prompts.lastTitle(), QStringLiteral("Programm killen?"));
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Emulator beenden?\r")));
    EXPECT_EQ(table.terminated, QList<qint64>{77});

    // Shown running: ends it without asking.
    monitor.startWatching(3);
    monitor.EmuActiveTimer_Timer();
    monitor.LoadingBtn_Click();
    EXPECT_EQ(prompts.count(), 2);
    EXPECT_EQ(table.terminated.size(), 2);
}

TEST(StartHistory, FirstLineWholeLaterLinesCutAt29)
{
    RecordingHost host;
    FakeProcessTable table;
    GameMonitor monitor(host, table);
    QString first = QStringLiteral("/g/A Very Long Game Name That Goes On (1991)(Publisher)(Disk 1 of 3).adf");
    monitor.Add_CURRENT_PROGRAM_STARTED(first);
    EXPECT_EQ(first, QStringLiteral("A Very Long Game Name That Goes On (1991)(Publisher)"));
    QString second = QStringLiteral("/g/A Very Long Game Name That Goes On (1991)(Publisher)(Disk 2 of 3).adf");
    monitor.Add_CURRENT_PROGRAM_STARTED(second);
    EXPECT_EQ(second, first); // the argument gets the whole form
    QString shortName = QStringLiteral("\"/g/Tetris.adf\"");
    monitor.Add_CURRENT_PROGRAM_STARTED(shortName);
    EXPECT_EQ(monitor.Get_CURRENT_PROGRAM_STARTED(), first + QStringLiteral("\rA Very Long Game Name That Go\rTetris"));

    const struct { const char* path; const char* name; } rows[] = {
        {"/g/Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)[cr].adf", "Turrican II (1991)(Rainbow Arts)"},
        {"/g/Sim (1990).adf", "Sim (1990)"},
        {"/g/ab)cdefg.adf", "ab)cdefg"},
        {" /g/a.ad ", "/g/a.ad"},
        {"C:\\Games\\Lotus (1990)(Gremlin).adf", "Lotus (1990)(Gremlin)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(StartedDisplayName(QString::fromUtf8(r.path)), QString::fromUtf8(r.name)) << r.path;
}

TEST(ScreenResolution, TwoSwitchesInARowRestore800x600)
{
    FakeDisplay display;
    ScreenResolution screen(display);
    screen.RestoreMode();
    EXPECT_EQ(display.now.width, 1920); // nothing remembered yet
    screen.SaveModeAndSwitch();
    EXPECT_EQ(display.now, (DisplayMode{800, 600, 16, 60}));
    screen.SaveModeAndSwitch();
    screen.RestoreMode();
    EXPECT_EQ(display.now, (DisplayMode{800, 600, 16, 60}));
}

} // namespace
