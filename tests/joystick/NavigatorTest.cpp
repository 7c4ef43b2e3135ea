// Navigation: directions x focus areas, button functions, switching on/off.
#define ARVEX_NAVIGATOR_RIG
#include "FakeNavigationHost.h"
#include "VirtualPads.h"

#include "config/Ini.h"
#include "joystick/SdlPadSource.h"

#include <gtest/gtest.h>

namespace {

constexpr int L = Navigator::kLeft, R = Navigator::kRight, U = Navigator::kUp, D = Navigator::kDown;

TEST(Navigator, EveryArrowAgainstEveryFocusArea)
{
    struct Row {
        int focus;
        bool longList;
        int key;
        QStringList expected;
        int focusAfter;
    } rows[] = {
        {1, false, L, {"focusList(4)"}, 4},       {2, false, L, {"focusList(1,clear)"}, 1},
        {3, false, L, {"focusList(2)"}, 2},       {4, false, L, {"focusList(3)"}, 3},
        {1, false, R, {"focusList(2)"}, 2},       {2, false, R, {"focusList(3)"}, 3},
        {3, false, R, {"focusList(4)"}, 4},       {4, false, R, {"focusList(1,clear)"}, 1},
        {5, false, L, {}, 5},                     {5, false, R, {}, 5},
        {1, false, U, {"setListIndex(1,4)"}, 1},  {4, false, U, {"setListIndex(4,4)"}, 4},
        {2, false, D, {"setListIndex(2,6)"}, 2},  {3, false, D, {"setListIndex(3,6)"}, 3},
        {5, false, U, {"emuIndex(0)", "focusEmuBox", "setFocusArea(5)"}, 5},
        {5, false, D, {"emuIndex(2)", "emuBoxGotFocus", "setFocusArea(5)"}, 5},
        // An open long list means the emulator box; 7, 8, 10 otherwise mean the favourites.
        {2, true, L, {"setFocusArea(5)"}, 5},
        {10, true, D, {"setFocusArea(5)", "emuIndex(2)", "emuBoxGotFocus", "setFocusArea(5)"}, 5},
        {7, false, L, {"setFocusArea(1)", "focusList(4)"}, 4},
        {8, false, R, {"setFocusArea(1)", "focusList(2)"}, 2},
        {10, false, D, {"setFocusArea(1)", "setListIndex(1,6)"}, 1},
        {0, false, R, {}, 0}, {6, false, D, {}, 6}, {-1, false, L, {}, -1}, {1, false, 13, {}, 1},
    };
    for (const Row& r : rows) {
        NavigatorRig rig;
        rig.host.focusArea = r.focus;
        rig.host.longListVisible = r.longList;
        rig.nav->JoystickDirection(r.key);
        EXPECT_EQ(rig.host.actions, r.expected) << "focus " << r.focus << " key " << r.key;
        EXPECT_EQ(rig.host.focusArea, r.focusAfter) << "focus " << r.focus << " key " << r.key;
        // The search box is off during the step, everything on after it.
        const QStringList& c = rig.host.chores;
        if (r.focus < 0)
            EXPECT_TRUE(c.isEmpty());
        else
            EXPECT_TRUE(c.size() >= 4 && c.first() == "searchEnabled(0)"
                        && c.mid(c.size() - 3)
                               == QStringList({"clearEmuSelection", "searchEnabled(1)", "emuBoxEnabled(1)"}))
                << c.join(' ').toStdString();
    }
}

TEST(Navigator, SelectionStopsAtTheEndsOfListsAndEmulatorBox)
{
    struct Row {
        int focus, key, count, index;
        QStringList expected;
    } rows[] = {
        {2, U, 10, 0, {}}, {2, D, 10, 9, {}}, {2, U, 10, 1, {"setListIndex(2,0)"}},
        {2, D, 0, -1, {}}, {2, D, 3, -1, {"setListIndex(2,0)"}}, {2, U, 3, -1, {}},
        {5, U, 4, 0, {"setFocusArea(5)"}}, {5, D, 4, 3, {"setFocusArea(5)"}},
    };
    for (const Row& r : rows) {
        NavigatorRig rig;
        rig.host.focusArea = r.focus;
        rig.host.counts[2] = rig.host.emuCount = r.count;
        rig.host.indexes[2] = rig.host.emuIndex = r.index;
        rig.nav->JoystickDirection(r.key);
        EXPECT_EQ(rig.host.actions, r.expected) << r.focus << " " << r.key << " " << r.index;
    }
}

TEST(Navigator, EveryButtonFunctionWithTheDefaultAssignment)
{
    // Button n runs slot n + 1: 0 quit, 1 select, 2 start, 3 emulator,
    // 4 window, 5..8 scrolling, 9 top, 10 end, 11 favourite; others nothing.
    struct Row {
        int button, focus;
        QStringList expected;
    } rows[] = {
        {0, 1, {"ExitBtn_Click"}},
        {1, 1, {"listClick(1)"}}, {1, 2, {"listClick(2)"}}, {1, 4, {"listClick(4)"}},
        {1, 3, {"toggleCompleteListMark"}}, {1, 5, {"emuBoxClick", "setFocusArea(5)", "focusEmuBox"}},
        {1, 7, {}},
        {2, 1, {"startSelectedGame(1)", "setFocusArea(1)"}}, {2, 4, {"startSelectedGame(4)", "setFocusArea(4)"}},
        {2, 5, {"SelectEmulator"}}, {2, 8, {}},
        {3, 3, {"ShowEmulatorList(1)", "emuBoxGotFocus", "focusEmuBox"}},
        {3, 5, {"LeaveEmulatorBox"}}, {3, 10, {"LeaveEmulatorBox"}},
        {4, 1, {"setMaximized(1)"}},
        {9, 1, {"setListIndex(1,0)"}}, {10, 3, {"setListIndex(3,9)"}}, {9, 4, {}}, {10, 5, {}},
        {11, 2, {"addFavouriteClick"}},
        {12, 1, {}}, {18, 3, {}}, {-2, 1, {}},
    };
    for (const Row& r : rows) {
        NavigatorRig rig;
        rig.host.focusArea = r.focus;
        rig.nav->JoystickButtonClick(r.button);
        EXPECT_EQ(rig.host.actions, r.expected) << "button " << r.button << " focus " << r.focus;
    }
    NavigatorRig rig;
    for (int i = 0; i < 3; ++i)
        rig.nav->JoystickButtonClick(4);
    rig.host.addFavVisible = false;
    rig.nav->JoystickButtonClick(11);
    rig.host.indexes[1] = 0;
    rig.nav->JoystickButtonClick(9); // already at the top
    EXPECT_EQ(rig.host.take(), (QStringList{"setMaximized(1)", "setMaximized(0)", "setMaximized(1)"}));
}

TEST(Navigator, ScrollingByTenAndByHundred)
{
    // Buttons 5 .. 8: down 10, up 10, down 100, up 100. Lists near their end
    // (start) go there first, active or not; then the active list moves.
    struct Row {
        int button, focus;
        std::array<int, 5> counts, indexes, after;
    } rows[] = {
        {5, 3, {0, 50, 50, 50, 50}, {0, 20, 20, 20, 20}, {0, 20, 20, 30, 20}},
        {5, 2, {0, 50, 20, 50, 50}, {0, 20, 14, 20, 20}, {0, 20, 19, 20, 20}}, // 5 left: last
        {5, 3, {0, 21, 20, 50, 50}, {0, 10, 10, 20, 20}, {0, 10, 19, 30, 20}}, // exactly 10 left
        {6, 3, {0, 50, 50, 50, 50}, {0, 10, 9, 3, 20}, {0, 10, 0, 0, 20}},     // entry 3: first
        {6, 1, {0, 50, 50, 50, 50}, {0, 10, 20, 20, 20}, {0, 0, 20, 20, 20}},
        {7, 3, {0, 50, 500, 500, 50}, {0, 20, 200, 200, 20}, {0, 49, 200, 300, 20}},
        {8, 2, {0, 500, 500, 500, 500}, {0, 400, 150, 50, 400}, {0, 400, 50, 0, 400}},
        {5, 4, {0, 50, 50, 50, 50}, {0, 45, 20, 41, 45}, {0, 49, 20, 49, 45}}, // results: step 1 only
        {6, 5, {0, 50, 50, 50, 50}, {0, 5, 20, 9, 20}, {0, 0, 20, 0, 20}},
        {5, 2, {0, 0, 0, 0, 0}, {0, -1, -1, -1, -1}, {0, -1, -1, -1, -1}},
    };
    for (const Row& r : rows) {
        NavigatorRig rig;
        rig.host.focusArea = r.focus;
        rig.host.counts = r.counts;
        rig.host.indexes = r.indexes;
        rig.nav->JoystickButtonClick(r.button);
        EXPECT_EQ(rig.host.indexes, r.after) << "button " << r.button << " focus " << r.focus;
    }
}

TEST(Navigator, OwnAssignmentsExitButtonAndSetupMode)
{
    NavigatorRig rig(1);
    WriteIniValue("Settings", "Button1", "7", rig.ini, true);  // quit
    WriteIniValue("Settings", "Button3", "-2", rig.ini, true); // start: skipped
    WriteIniValue("Settings", "Button4", "3", rig.ini, true);  // same button twice:
    WriteIniValue("Settings", "Button5", "3", rig.ini, true);  // the first slot wins
    WriteIniValue("Settings", "UseJoystickExitbutton", "6", rig.ini, true);
    rig.nav->LoadJoystickSettings(rig.ini);
    EXPECT_EQ(GetPrivateProfileString("Settings", "Button12", rig.ini), "11"); // defaults stored
    for (int b : {7, 3, 2})
        rig.nav->JoystickButtonClick(b);
    EXPECT_EQ(rig.host.take(), (QStringList{"ExitBtn_Click", "ShowEmulatorList(1)", "emuBoxGotFocus",
                                            "focusEmuBox"}));
    // During a game only the exit button's slot acts, and it ends the game.
    rig.nav->setGameRunning(true);
    for (int b : {1, 3, 7, 12})
        rig.pressForOneTick(b);
    rig.source->pads[0].state.y = 65535;
    rig.pressForOneTick(6);
    EXPECT_EQ(rig.host.take(), QStringList{"killRunningGame"});
    rig.nav->setGameRunning(false);
    rig.host.focusArea = Focus::Favourites;
    rig.pressForOneTick(6);
    EXPECT_EQ(rig.host.take().first(), "setListIndex(1,6)");
    // While assignments are collected buttons go to the window only.
    QList<int> forwarded;
    QObject::connect(rig.nav.get(), &Navigator::buttonForSetup, [&](int b) { forwarded << b; });
    rig.nav->SetJoystickButtonSetupModus(true);
    rig.nav->JoystickButtonClick(7);
    rig.nav->JoystickButtonClick(15);
    EXPECT_EQ(rig.host.take(), QStringList{});
    EXPECT_EQ(forwarded, (QList<int>{7, 15}));
}

TEST(Navigator, GamesSuspendPollingOnlyWhileTheyRun)
{
    NavigatorRig rig(2);
    rig.nav->LoadJoystickSettings(rig.ini); // no exit button
    rig.nav->setGameRunning(true);
    const int reads = rig.source->readCount;
    rig.pressForOneTick(1);
    EXPECT_EQ(rig.source->readCount, reads);
    rig.nav->setGameRunning(false);

    // A start that launches nothing leaves polling on.
    rig.host.startResult = false;
    rig.pressForOneTick(2);
    EXPECT_FALSE(rig.nav->gameRunning());
    rig.pressForOneTick(1);
    EXPECT_EQ(rig.host.take(), (QStringList{"startSelectedGame(1)", "setFocusArea(1)", "listClick(1)"}));

    // A real start marks the game before launching; the launch switches
    // navigation off inside the poll (the second pad's start is not read).
    rig.host.startResult = true;
    rig.host.onStart = [&](GameList) {
        EXPECT_TRUE(rig.nav->gameRunning());
        rig.nav->JoystickEnable(false);
    };
    rig.source->pads[1].state.buttons[1] = 1;
    rig.pressForOneTick(2);
    EXPECT_EQ(rig.host.take(), (QStringList{"startSelectedGame(1)", "setFocusArea(1)"}));
    EXPECT_TRUE(rig.nav->gameRunning());
    EXPECT_FALSE(rig.source->anyOpen());
    // The game ends: navigation comes back.
    rig.host.onStart = nullptr;
    rig.nav->setGameRunning(false);
    rig.nav->JoystickEnable(true);
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), (QStringList{"startSelectedGame(1)", "setFocusArea(1)"}));
}

TEST(Navigator, SwitchingOnShowsThePadsOrAsksOnce)
{
    NavigatorRig rig(2);
    rig.nav->JoystickEnable(true);
    rig.nav->JoystickEnable(true); // already on: not opened again
    EXPECT_EQ(rig.source->startCount, 1);
    EXPECT_EQ(rig.nav->JoystickTimer().interval(), 140);
    EXPECT_EQ(rig.host.captionLabel, "Joysticks: 2");
    EXPECT_TRUE(rig.host.iconVisible && rig.nav->isEnabled());
    rig.nav->JoystickEnable(false);
    EXPECT_FALSE(rig.host.iconVisible || rig.nav->isEnabled() || rig.source->anyOpen());

    struct Row {
        int language;
        PromptAnswer answer;
        const char* text;
        const char* stored;
    } rows[] = {
        {kLanguageEnglish, PromptAnswer::Yes,
         "No Joysticks or Gampads found!\r\rDo you want to disable the Joystick-Navigation? ", "0"},
        {kLanguageGerman, PromptAnswer::No, "Es wurden keine Joysticks oder Gampads gefunden!\r\r"
                                            "Soll die Joystick-Bedienung den Optionen ausgeschaltet werden?", "1"},
    };
    for (const Row& r : rows) {
        NavigatorRig none(1);
        none.source->pads[0].name = QStringLiteral("Tastatur"); // no pad
        setCurrentLanguage(r.language);
        none.prompt.queue(r.answer);
        none.nav->LoadJoystickSettings(none.ini);
        ASSERT_EQ(none.prompt.count(), 1); // asked once
        EXPECT_EQ(none.prompt.lastTitle(), "Joysticks / Gamepads = 0)");
        EXPECT_EQ(none.prompt.lastText(), QString::fromUtf8(r.text));
        EXPECT_EQ(none.prompt.asked()[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(none.prompt.asked()[0].icon, PromptIcon::Information);
        EXPECT_FALSE(none.nav->isEnabled() || none.pads->isOpen());
        EXPECT_EQ(GetPrivateProfileString("Settings", "UseJoystick", none.ini), r.stored);
        // Switched off in the settings: no question, no pads opened.
        none.nav->LoadJoystickSettings(none.ini);
        EXPECT_EQ(none.prompt.count(), r.stored[0] == '0' ? 1 : 2);
    }
    setCurrentLanguage(kLanguageEnglish);
}

TEST(Navigator, IconClickRecalibratesAndLeavesSetupMode)
{
    NavigatorRig rig(1);
    rig.nav->JoystickEnable(true);
    rig.nav->SetJoystickButtonSetupModus(true);
    rig.source->pads[0].state.x = 60000; // held while clicking: the new rest
    rig.nav->JoystickIcon_Click();
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{"beep"});
    EXPECT_EQ(rig.source->startCount, 2);
    EXPECT_FALSE(rig.nav->buttonSetupMode());
    EXPECT_TRUE(rig.host.iconVisible && rig.nav->isEnabled());
    rig.nav.reset(); // gives the pads back
    EXPECT_FALSE(rig.pads->isOpen());
}

TEST(Navigator, HeldDigitalOrAnalogueDirectionMovesOneEntryPerTickOverSdl)
{
    VirtualPads vpads;
    ASSERT_TRUE(vpads.ok());
    SDL_Joystick* digital = vpads.attach("Digital Pad", 0, 10, 1);
    SDL_Joystick* analogue = vpads.attach("Analogue Stick", 2, 10, 0);
    FakeNavigationHost host;
    Joystick pads(std::make_unique<SdlPadSource>());
    Navigator nav(host, pads);
    nav.JoystickEnable(true);
    host.focusArea = Focus::Complete;
    host.counts[3] = 100;
    VirtualPads::hat(digital, SDL_HAT_DOWN);
    for (int tick = 0; tick < 5; ++tick)
        nav.JoystickTimer_Timer();
    EXPECT_EQ(host.indexes[3], 10);
    VirtualPads::hat(digital, SDL_HAT_CENTERED);
    VirtualPads::axis(analogue, 1, -12000);
    for (int tick = 0; tick < 3; ++tick)
        nav.JoystickTimer_Timer();
    EXPECT_EQ(host.indexes[3], 7);
    VirtualPads::hat(digital, SDL_HAT_DOWN); // both pads: device order
    host.take();
    nav.JoystickTimer_Timer();
    EXPECT_EQ(host.take(), (QStringList{"setListIndex(3,8)", "setListIndex(3,7)"}));
    nav.JoystickEnable(false); // the emulator gets the pads
    EXPECT_EQ(pads.DeviceCount(), 0);
}

} // namespace
