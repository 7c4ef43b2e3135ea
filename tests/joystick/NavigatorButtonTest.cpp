// Button functions, scrolling, the exit button and the assignment hand-off.
#include "NavigatorTestSupport.h"

#include "config/Ini.h"

#include <gtest/gtest.h>

namespace {

struct SlotCase {
    int button; // with the default assignment button n runs slot n + 1
    int focus;
    QStringList expected;
};

const SlotCase kSlots[] = {
    {0, 1, {"ExitBtn_Click"}},
    // select
    {1, 1, {"listClick(1)"}},
    {1, 2, {"listClick(2)"}},
    {1, 3, {"toggleCompleteListMark"}},
    {1, 4, {"listClick(4)"}},
    {1, 5, {"emulatorBoxClick", "setFocusArea(5)", "focusEmulatorBox"}},
    {1, 7, {}},
    // start: the focus area is restored after the list's action
    {2, 1, {"startSelectedGame(1)", "setFocusArea(1)"}},
    {2, 2, {"startSelectedGame(2)", "setFocusArea(2)"}},
    {2, 3, {"startSelectedGame(3)", "setFocusArea(3)"}},
    {2, 4, {"startSelectedGame(4)", "setFocusArea(4)"}},
    {2, 5, {"SelectEmulator"}},
    {2, 8, {}},
    // switch emulator
    {3, 1, {"ShowEmulatorList(1)", "emulatorBoxFocusHandling", "focusEmulatorBox"}},
    {3, 4, {"ShowEmulatorList(1)", "emulatorBoxFocusHandling", "focusEmulatorBox"}},
    {3, 5, {"LeaveEmulatorBox"}},
    {3, 10, {"LeaveEmulatorBox"}},
    // window / full screen
    {4, 1, {"setMaximized(1)"}},
    // jump to top / to the end of the active game list only
    {9, 1, {"setListIndex(1,0)"}},
    {9, 3, {"setListIndex(3,0)"}},
    {10, 2, {"setListIndex(2,9)"}},
    {9, 4, {}},
    {10, 5, {}},
    // add favourite
    {11, 2, {"addFavouriteClick"}},
    // no function assigned
    {12, 1, {}},
    {18, 3, {}},
    {-2, 1, {}},
};

TEST(NavigatorButtons, EveryFunctionSlotWithTheDefaultAssignment)
{
    for (const SlotCase& c : kSlots) {
        NavigatorRig rig;
        rig.host.focusArea = c.focus;
        rig.nav->JoystickButtonClick(c.button);
        EXPECT_EQ(rig.host.actions, c.expected) << "button " << c.button << " focus " << c.focus;
    }
}

TEST(NavigatorButtons, WindowButtonTogglesAndAddFavouriteNeedsItsButton)
{
    NavigatorRig rig;
    rig.nav->JoystickButtonClick(4);
    rig.nav->JoystickButtonClick(4);
    rig.nav->JoystickButtonClick(4);
    EXPECT_EQ(rig.host.take(), (QStringList{"setMaximized(1)", "setMaximized(0)", "setMaximized(1)"}));
    rig.host.addFavVisible = false;
    rig.nav->JoystickButtonClick(11);
    EXPECT_EQ(rig.host.take(), QStringList{});
    // Jumps in an empty list do nothing; at the target already, nothing either.
    rig.host.focusArea = Focus::Favourites;
    rig.host.counts[1] = 0;
    rig.host.indexes[1] = -1;
    rig.nav->JoystickButtonClick(9);
    rig.nav->JoystickButtonClick(10);
    rig.host.focusArea = Focus::Complete;
    rig.host.indexes[3] = 0;
    rig.nav->JoystickButtonClick(9);
    EXPECT_EQ(rig.host.take(), QStringList{});
}

struct ScrollCase {
    const char* label;
    int button;
    int focus;
    std::array<int, 5> counts;
    std::array<int, 5> indexes;
    std::array<int, 5> indexesAfter;
};

// Buttons 5 .. 8: down 10, up 10, down 100, up 100.
const ScrollCase kScrolls[] = {
    {"down 10 in the middle", 5, 3, {0, 50, 50, 50, 50}, {0, 20, 20, 20, 20}, {0, 20, 20, 30, 20}},
    {"down 10 with 5 left below lands on the last", 5, 2, {0, 50, 20, 50, 50},
     {0, 20, 14, 20, 20}, {0, 20, 19, 20, 20}},
    {"up 10 on entry 3 lands on the first", 6, 3, {0, 50, 50, 50, 50}, {0, 20, 20, 3, 20},
     {0, 20, 20, 0, 20}},
    {"up 10 exactly to the first", 6, 1, {0, 50, 50, 50, 50}, {0, 10, 20, 20, 20}, {0, 0, 20, 20, 20}},
    {"down 100, a short list follows", 7, 3, {0, 50, 500, 500, 50}, {0, 20, 200, 200, 20},
     {0, 49, 200, 300, 20}},
    {"up 100", 8, 2, {0, 500, 500, 500, 500}, {0, 400, 150, 50, 400}, {0, 400, 50, 0, 400}},
    // Lists near their end follow even when not active; the search results never do.
    {"other lists near the end follow", 5, 3, {0, 3, 12, 50, 3}, {0, 0, 5, 20, 0},
     {0, 2, 11, 30, 0}},
    {"search results focused: only the other lists move", 5, 4, {0, 50, 50, 50, 50},
     {0, 45, 20, 41, 45}, {0, 49, 20, 49, 45}},
    {"emulator box focused", 6, 5, {0, 50, 50, 50, 50}, {0, 5, 20, 9, 20}, {0, 0, 20, 0, 20}},
    {"down: exactly ten below is not near the end", 5, 3, {0, 21, 20, 50, 50}, {0, 10, 10, 20, 20},
     {0, 10, 19, 30, 20}},
    {"up: exactly ten above is not near the start", 6, 3, {0, 50, 50, 50, 50}, {0, 10, 9, 20, 20},
     {0, 10, 0, 10, 20}},
    {"empty lists are left alone", 5, 2, {0, 0, 0, 0, 0}, {0, -1, -1, -1, -1}, {0, -1, -1, -1, -1}},
};

TEST(NavigatorButtons, ScrollingByTenAndByHundred)
{
    for (const ScrollCase& c : kScrolls) {
        NavigatorRig rig;
        rig.host.focusArea = c.focus;
        rig.host.counts = c.counts;
        rig.host.indexes = c.indexes;
        rig.nav->JoystickButtonClick(c.button);
        EXPECT_EQ(rig.host.indexes, c.indexesAfter) << c.label;
    }
}

TEST(NavigatorButtons, OwnAssignmentsFromTheSettingsFileAndSkippedFunctions)
{
    NavigatorRig rig(1);
    WriteIniValue("Settings", "Button1", "7", rig.ini, true);  // quit
    WriteIniValue("Settings", "Button3", "-2", rig.ini, true); // start skipped
    WriteIniValue("Settings", "Button5", "3", rig.ini, true);  // window
    WriteIniValue("Settings", "Button4", "3", rig.ini, true);  // same button: first slot wins
    rig.nav->LoadJoystickSettings(rig.ini);
    EXPECT_EQ(rig.nav->ButtonMap()[0], 7);
    EXPECT_EQ(rig.nav->ButtonMap()[2], -2);
    rig.nav->JoystickButtonClick(7);
    rig.nav->JoystickButtonClick(3);
    rig.nav->JoystickButtonClick(2); // was start, now nothing
    EXPECT_EQ(rig.host.take(), (QStringList{"ExitBtn_Click", "ShowEmulatorList(1)",
                                            "emulatorBoxFocusHandling", "focusEmulatorBox"}));
    // Missing keys were written with their defaults.
    EXPECT_EQ(GetPrivateProfileString("Settings", "Button12", rig.ini), "11");
    EXPECT_EQ(GetPrivateProfileString("Settings", "UseJoystick", rig.ini), "1");
    EXPECT_EQ(GetPrivateProfileString("Settings", "UseJoystickExitbutton", rig.ini), "0");
}

TEST(NavigatorButtons, WhileCollectingAssignmentsButtonsRunNoFunction)
{
    NavigatorRig rig;
    QList<int> forwarded;
    QObject::connect(rig.nav.get(), &Navigator::buttonForSetup,
                     [&](int b) { forwarded << b; });
    rig.nav->SetJoystickButtonSetupModus(true);
    rig.nav->JoystickButtonClick(0);
    rig.nav->JoystickButtonClick(2);
    rig.nav->JoystickButtonClick(15);
    EXPECT_EQ(rig.host.take(), QStringList{});
    EXPECT_EQ(forwarded, (QList<int>{0, 2, 15}));
    rig.nav->SetJoystickButtonSetupModus(false);
    rig.nav->JoystickButtonClick(0);
    EXPECT_EQ(rig.host.take(), QStringList{"ExitBtn_Click"});
    EXPECT_EQ(forwarded.size(), 3);
}

TEST(NavigatorButtons, DuringAGameOnlyTheExitButtonActs)
{
    NavigatorRig rig(1);
    WriteIniValue("Settings", "UseJoystickExitbutton", "6", rig.ini, true);
    rig.nav->LoadJoystickSettings(rig.ini);
    rig.nav->setGameRunning(true);
    for (int b : {1, 2, 3, 5, 12})
        rig.pressForOneTick(b);
    rig.source->pads[0].state.y = 65535;
    rig.nav->JoystickTimer_Timer();
    rig.source->pads[0].state.y = PadState::kCentre;
    EXPECT_EQ(rig.host.take(), QStringList{});
    rig.pressForOneTick(6);
    EXPECT_EQ(rig.host.take(), QStringList{"killRunningGame"});
    // After the game the same button scrolls again.
    rig.nav->setGameRunning(false);
    rig.host.focusArea = Focus::Complete;
    rig.pressForOneTick(6);
    EXPECT_EQ(rig.host.take(),
              (QStringList{"setListIndex(2,0)", "setListIndex(3,0)", "setListIndex(1,0)"}));
}

TEST(NavigatorButtons, WithoutAnExitButtonAGameSuspendsPolling)
{
    NavigatorRig rig(1);
    rig.nav->LoadJoystickSettings(rig.ini);
    ASSERT_TRUE(rig.nav->isEnabled());
    rig.nav->setGameRunning(true);
    const int reads = rig.source->readCount;
    rig.pressForOneTick(1);
    EXPECT_EQ(rig.source->readCount, reads);
    rig.nav->setGameRunning(false);
    rig.pressForOneTick(1);
    EXPECT_EQ(rig.host.take(), QStringList{"listClick(1)"});
}

TEST(NavigatorButtons, StartThatLaunchesNothingLeavesPollingOn)
{
    NavigatorRig rig(1);
    rig.nav->LoadJoystickSettings(rig.ini);
    rig.host.focusArea = Focus::Favourites;
    rig.host.startResult = false;
    rig.pressForOneTick(2);
    EXPECT_FALSE(rig.nav->gameRunning());
    rig.pressForOneTick(1);
    EXPECT_EQ(rig.host.take(),
              (QStringList{"startSelectedGame(1)", "setFocusArea(1)", "listClick(1)"}));

    // A real start holds polling while it launches and until the game ends.
    rig.host.startResult = true;
    bool runningDuringLaunch = false;
    rig.host.onStart = [&](GameList) { runningDuringLaunch = rig.nav->gameRunning(); };
    rig.pressForOneTick(2);
    EXPECT_TRUE(runningDuringLaunch);
    EXPECT_TRUE(rig.nav->gameRunning());
    // Switching to the emulator box's choice clears it.
    rig.host.focusArea = Focus::EmulatorBox;
    rig.nav->setGameRunning(false);
    rig.nav->JoystickButtonClick(2);
    EXPECT_FALSE(rig.nav->gameRunning());
}

TEST(NavigatorButtons, LaunchThatSwitchesNavigationOffInsideThePollIsSafe)
{
    NavigatorRig rig(2);
    rig.nav->LoadJoystickSettings(rig.ini);
    rig.host.focusArea = Focus::Complete;
    // The launch sequence switches navigation off while the poll runs.
    rig.host.onStart = [&](GameList) { rig.nav->JoystickEnable(false); };
    rig.source->pads[0].state.buttons[1] = 1; // start on pad 1
    rig.source->pads[1].state.buttons[1] = 1; // and on pad 2 in the same poll
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), (QStringList{"startSelectedGame(3)", "setFocusArea(3)"}));
    EXPECT_FALSE(rig.nav->isEnabled());
    EXPECT_FALSE(rig.source->anyOpen());
    // The running-game watch ends the game and switches navigation on again.
    rig.host.onStart = nullptr;
    rig.nav->setGameRunning(false);
    rig.nav->JoystickEnable(true);
    EXPECT_TRUE(rig.nav->isEnabled());
    rig.source->pads[1].state.buttons[1] = 0;
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), (QStringList{"startSelectedGame(3)", "setFocusArea(3)"}));
}

} // namespace
