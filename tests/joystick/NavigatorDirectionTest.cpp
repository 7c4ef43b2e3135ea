// Stick directions and arrow keys: every key against every focus area.
#include "NavigatorTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int L = Navigator::kLeft, R = Navigator::kRight, U = Navigator::kUp, D = Navigator::kDown;

struct DirectionCase {
    int focus;
    bool longListOpen;
    int key;
    QStringList expected;
    int focusAfter;
};

// Lists hold 10 entries with entry 5 selected; the emulator box holds 4
// profiles with profile 1 chosen.
const DirectionCase kTable[] = {
    // Left cycles 1 -> 4 -> 3 -> 2 -> 1; the favourites' active flag is cleared.
    {1, false, L, {"focusList(4)"}, 4},
    {2, false, L, {"focusList(1,clear)"}, 1},
    {3, false, L, {"focusList(2)"}, 2},
    {4, false, L, {"focusList(3)"}, 3},
    {5, false, L, {}, 5},
    // Right cycles 1 -> 2 -> 3 -> 4 -> 1.
    {1, false, R, {"focusList(2)"}, 2},
    {2, false, R, {"focusList(3)"}, 3},
    {3, false, R, {"focusList(4)"}, 4},
    {4, false, R, {"focusList(1,clear)"}, 1},
    {5, false, R, {}, 5},
    // Up and Down move the active list's selection by one.
    {1, false, U, {"setListIndex(1,4)"}, 1},
    {2, false, U, {"setListIndex(2,4)"}, 2},
    {3, false, U, {"setListIndex(3,4)"}, 3},
    {4, false, U, {"setListIndex(4,4)"}, 4},
    {1, false, D, {"setListIndex(1,6)"}, 1},
    {2, false, D, {"setListIndex(2,6)"}, 2},
    {3, false, D, {"setListIndex(3,6)"}, 3},
    {4, false, D, {"setListIndex(4,6)"}, 4},
    // ... and the emulator box's choice without loading it.
    {5, false, U, {"setEmulatorIndexQuietly(0)", "focusEmulatorBox", "setFocusArea(5)"}, 5},
    {5, false, D, {"setEmulatorIndexQuietly(2)", "emulatorBoxFocusHandling", "setFocusArea(5)"}, 5},
    // An open long list means the emulator box, whatever had the focus.
    {2, true, L, {"setFocusArea(5)"}, 5},
    {10, true, D, {"setFocusArea(5)", "setEmulatorIndexQuietly(2)", "emulatorBoxFocusHandling",
                   "setFocusArea(5)"}, 5},
    // Search box, options button, closed long list: treated as the favourites.
    {7, false, L, {"setFocusArea(1)", "focusList(4)"}, 4},
    {8, false, R, {"setFocusArea(1)", "focusList(2)"}, 2},
    {10, false, D, {"setFocusArea(1)", "setListIndex(1,6)"}, 1},
    // Codes without a panel do nothing.
    {0, false, R, {}, 0},
    {6, false, D, {}, 6},
    {-1, false, L, {}, -1},
    // Keys other than the arrows do nothing.
    {1, false, 13, {}, 1},
};

TEST(NavigatorDirection, EveryArrowAgainstEveryFocusArea)
{
    for (const DirectionCase& c : kTable) {
        NavigatorRig rig;
        rig.host.focusArea = c.focus;
        rig.host.longListVisible = c.longListOpen;
        rig.nav->JoystickDirection(c.key);
        EXPECT_EQ(rig.host.actions, c.expected) << "focus " << c.focus << " key " << c.key;
        EXPECT_EQ(rig.host.focusArea, c.focusAfter) << "focus " << c.focus << " key " << c.key;
    }
}

TEST(NavigatorDirection, SelectionStopsAtBothEndsOfTheList)
{
    struct Row {
        int key, count, index;
        QStringList expected;
    } rows[] = {
        {U, 10, 0, {}},
        {D, 10, 9, {}},
        {U, 10, 1, {"setListIndex(2,0)"}},
        {D, 10, 8, {"setListIndex(2,9)"}},
        {D, 0, -1, {}},                   // empty list
        {U, 0, -1, {}},
        {D, 3, -1, {"setListIndex(2,0)"}}, // nothing selected yet
        {U, 3, -1, {}},
    };
    for (const Row& r : rows) {
        NavigatorRig rig;
        rig.host.focusArea = Focus::WithoutDuplicates;
        rig.host.counts[2] = r.count;
        rig.host.indexes[2] = r.index;
        rig.nav->JoystickDirection(r.key);
        EXPECT_EQ(rig.host.actions, r.expected) << r.key << " " << r.count << " " << r.index;
    }
}

TEST(NavigatorDirection, EmulatorBoxStopsAtItsFirstAndLastProfile)
{
    NavigatorRig rig;
    rig.host.focusArea = Focus::EmulatorBox;
    rig.host.emuIndex = 0;
    rig.nav->JoystickDirection(U);
    EXPECT_EQ(rig.host.take(), QStringList{"setFocusArea(5)"});
    rig.host.emuIndex = 3;
    rig.nav->JoystickDirection(D);
    EXPECT_EQ(rig.host.take(), QStringList{"setFocusArea(5)"});
}

TEST(NavigatorDirection, SearchBoxIsDisabledDuringTheStepAndEverythingIsEnabledAfter)
{
    NavigatorRig rig;
    rig.host.focusArea = Focus::Complete;
    rig.nav->JoystickDirection(R);
    EXPECT_EQ(rig.host.housekeeping,
              (QStringList{"searchEnabled(0)", "clearEmuSelection", "searchEnabled(1)", "emuBoxEnabled(1)"}));
    // Nothing at all happens for a negative focus area.
    rig.host.take();
    rig.host.focusArea = -1;
    rig.nav->JoystickDirection(R);
    EXPECT_TRUE(rig.host.housekeeping.isEmpty());
}

TEST(NavigatorDirection, PadDirectionsArriveAsArrowKeysAndAreIgnoredWhileAGameRuns)
{
    NavigatorRig rig(1);
    rig.host.focusArea = Focus::Complete;
    rig.nav->JoystickEnable(true);
    PadState& s = rig.source->pads[0].state;
    s.y = 65535;
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{"setListIndex(3,6)"});
    s.y = 0;
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{"setListIndex(3,5)"});
    s.y = PadState::kCentre;
    s.x = 0;
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{"focusList(2)"});
    s.x = PadState::kCentre;
    s.rz = 65535; // right stick: panel 2, same routine
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{"focusList(3)"});

    rig.nav->setGameRunning(true);
    rig.nav->JoystickDirection(Navigator::kLeft); // the keyboard still navigates
    EXPECT_EQ(rig.host.take(), QStringList{"focusList(2)"});
    rig.nav->Joystick_Left(0, 1, 1);
    rig.nav->Joystick_Down(0, 1, 1);
    EXPECT_EQ(rig.host.take(), QStringList{});
}

} // namespace
