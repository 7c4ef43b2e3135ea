// The pad reader over real SDL joysticks (virtual devices).
#include "RecordingOwner.h"
#include "VirtualPads.h"
#include "joystick/SdlPadSource.h"

#include <gtest/gtest.h>

namespace {

class JoystickSdl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pads.ok()) << SDL_GetError(); }

    QStringList pollOnce()
    {
        js.PollJoysticks();
        return owner.take();
    }

    VirtualPads pads;
    Joystick js{std::make_unique<SdlPadSource>()};
    RecordingOwner owner;
};

struct StickCase {
    const char* label;
    int x, y;      // SDL axis values (rest is 0)
    Uint8 hat;     // SDL hat value
    const char* expected;
};

TEST_F(JoystickSdl, MainStickReportsOnlyTheDominantDirectionBeyondTheThreshold)
{
    const StickCase cases[] = {
        {"full right", 32767, 0, SDL_HAT_CENTERED, "R1/1"},
        {"full left", -32768, 0, SDL_HAT_CENTERED, "L1/1"},
        {"full down", 0, 32767, SDL_HAT_CENTERED, "D1/1"},
        {"full up", 0, -32768, SDL_HAT_CENTERED, "U1/1"},
        {"upper right, equal deflection: horizontal wins", 20000, -20000, SDL_HAT_CENTERED, "R1/1"},
        {"lower left, equal deflection", -20000, 20000, SDL_HAT_CENTERED, "L1/1"},
        {"mostly up, a little right", 1000, -5000, SDL_HAT_CENTERED, "U1/1"},
        {"exactly the threshold right", 2, 0, SDL_HAT_CENTERED, ""},
        {"exactly the threshold left", -2, 0, SDL_HAT_CENTERED, ""},
        {"exactly the threshold down", 0, 2, SDL_HAT_CENTERED, ""},
        {"one over the threshold right", 3, 0, SDL_HAT_CENTERED, "R1/1"},
        {"one over the threshold left", -3, 0, SDL_HAT_CENTERED, "L1/1"},
        {"one over the threshold up", 0, -3, SDL_HAT_CENTERED, "U1/1"},
        {"D-pad right", 0, 0, SDL_HAT_RIGHT, "R1/1"},
        {"D-pad left", 0, 0, SDL_HAT_LEFT, "L1/1"},
        {"D-pad up", 0, 0, SDL_HAT_UP, "U1/1"},
        {"D-pad down", 0, 0, SDL_HAT_DOWN, "D1/1"},
        {"D-pad diagonal", 0, 0, SDL_HAT_LEFTUP, "L1/1"},
        {"D-pad wins over a small stick deflection", 500, 0, SDL_HAT_DOWN, "D1/1"},
    };
    SDL_Joystick* pad = pads.attach("Test Pad");
    js.InitJoysticks(&owner, 2);
    for (const StickCase& c : cases) {
        VirtualPads::axis(pad, 0, c.x);
        VirtualPads::axis(pad, 1, c.y);
        VirtualPads::hat(pad, c.hat);
        const QStringList expected =
            *c.expected ? QStringList{QString::fromLatin1(c.expected)} : QStringList{};
        EXPECT_EQ(pollOnce(), expected) << c.label;
    }
}

TEST_F(JoystickSdl, RightStickHorizontalIsPanelTwoAndComesAfterTheMainStick)
{
    SDL_Joystick* pad = pads.attach("Twin Stick", 6);
    js.InitJoysticks(&owner, 2);
    VirtualPads::axis(pad, 3, 30000);
    EXPECT_EQ(pollOnce(), QStringList{"R1/2"});
    VirtualPads::axis(pad, 3, -30000);
    VirtualPads::axis(pad, 1, 30000);
    EXPECT_EQ(pollOnce(), (QStringList{"D1/1", "L1/2"}));
    // Axes other than X, Y and the right stick's horizontal one are not read.
    VirtualPads::axis(pad, 3, 0);
    VirtualPads::axis(pad, 1, 0);
    VirtualPads::axis(pad, 2, 30000);
    VirtualPads::axis(pad, 4, 30000);
    VirtualPads::axis(pad, 5, 30000);
    EXPECT_EQ(pollOnce(), QStringList{});
}

TEST_F(JoystickSdl, PressedButtonsUpToEighteenAreReportedInAscendingOrder)
{
    SDL_Joystick* pad = pads.attach("Many Buttons", 2, 24, 0);
    js.InitJoysticks(&owner, 2);
    for (int b : {18, 3, 1, 19, 24})
        VirtualPads::button(pad, b, true);
    EXPECT_EQ(pollOnce(), (QStringList{"B1:1", "B1:3", "B1:18"}));
    // Held buttons are reported again on every poll; released ones are not.
    VirtualPads::button(pad, 3, false);
    EXPECT_EQ(pollOnce(), (QStringList{"B1:1", "B1:18"}));
}

TEST_F(JoystickSdl, TwoPadsReportInDeviceOrderWithTheirOwnNumbers)
{
    SDL_Joystick* first = pads.attach("First Pad");
    SDL_Joystick* second = pads.attach("Second Pad", 2, 8, 1);
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(js.GetJoystickCount(), 2);
    VirtualPads::hat(second, SDL_HAT_UP);
    VirtualPads::button(second, 2, true);
    VirtualPads::axis(first, 0, 32767);
    VirtualPads::button(first, 5, true);
    EXPECT_EQ(pollOnce(), (QStringList{"R1/1", "B1:5", "U2/1", "B2:2"}));
}

TEST_F(JoystickSdl, PositionAtSwitchOnIsTheRestPositionUntilTheNextCalibration)
{
    SDL_Joystick* pad = pads.attach("Drifting Pad");
    VirtualPads::axis(pad, 0, 20000); // held right while navigation starts
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(pollOnce(), QStringList{});
    VirtualPads::axis(pad, 0, 0); // released
    EXPECT_EQ(pollOnce(), QStringList{"L1/1"});
    js.CalibrateJoysticks();
    EXPECT_EQ(pollOnce(), QStringList{});
    // Releasing and re-opening records the rest position anew as well.
    VirtualPads::axis(pad, 1, -9000);
    js.ReleaseJoysticks();
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(pollOnce(), QStringList{});
}

TEST_F(JoystickSdl, DevicesThatAreNoPadsAreListedButNeverRead)
{
    const char* names[] = {"Tastatur", "Maus", "Keyboard", "Mouse", "HID-compliant game controller",
                           "C-Media USB Audio", "USB To Serial", "tastatur", "USB Tomcat Pad"};
    std::vector<SDL_Joystick*> handles;
    for (const char* n : names)
        handles.push_back(pads.attach(n, 2, 4, 0));
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(js.DeviceCount(), 9);
    EXPECT_EQ(js.GetJoystickCount(), 2);
    EXPECT_EQ(js.DeviceNames(),
              (QStringList{"", "", "", "", "", "", "", "tastatur", "USB Tomcat Pad"}));
    for (SDL_Joystick* h : handles)
        VirtualPads::button(h, 1, true);
    EXPECT_EQ(pollOnce(), (QStringList{"B8:1", "B9:1"}));
}

TEST_F(JoystickSdl, AnUnpluggedPadIsSkippedAndTheOthersStillReport)
{
    SDL_Joystick* first = pads.attach("Going Away");
    SDL_Joystick* second = pads.attach("Staying");
    js.InitJoysticks(&owner, 2);
    VirtualPads::button(first, 1, true);
    VirtualPads::button(second, 1, true);
    EXPECT_EQ(pollOnce(), (QStringList{"B1:1", "B2:1"}));
    pads.detach(first);
    EXPECT_EQ(pollOnce(), QStringList{"B2:1"});
    // Unplugged from inside an event handler, in the middle of a poll.
    SDL_Joystick* third = pads.attach("Late");
    js.ReleaseJoysticks();
    js.InitJoysticks(&owner, 2); // now 1 = "Staying", 2 = "Late"
    VirtualPads::button(third, 1, true);
    owner.onEvent = [&](const QString& e) {
        if (e == "B1:1" && third) {
            pads.detach(third);
            third = nullptr;
        }
    };
    EXPECT_EQ(pollOnce(), QStringList{"B1:1"});
    EXPECT_EQ(pollOnce(), QStringList{"B1:1"});
    EXPECT_EQ(js.GetJoystickCount(), 2); // counted until the next initialisation
}

TEST_F(JoystickSdl, PadsAttachedLaterAppearWithTheNextInitialisation)
{
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(js.GetJoystickCount(), 0);
    SDL_Joystick* pad = pads.attach("Hot Plugged");
    VirtualPads::button(pad, 2, true);
    EXPECT_EQ(pollOnce(), QStringList{});
    js.ReleaseJoysticks();
    EXPECT_EQ(js.DeviceCount(), 0);
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(js.GetJoystickCount(), 1);
    EXPECT_EQ(pollOnce(), QStringList{"B1:2"});
}

TEST_F(JoystickSdl, AHandlerThatReleasesOrReopensThePadsEndsThePollSafely)
{
    SDL_Joystick* first = pads.attach("One");
    SDL_Joystick* second = pads.attach("Two");
    js.InitJoysticks(&owner, 2);
    VirtualPads::button(first, 1, true);
    VirtualPads::button(first, 2, true);
    VirtualPads::button(second, 1, true);

    owner.onEvent = [&](const QString&) { js.ReleaseJoysticks(); };
    EXPECT_EQ(pollOnce(), QStringList{"B1:1"});
    EXPECT_FALSE(js.isOpen());
    EXPECT_EQ(pollOnce(), QStringList{}); // no owner, nothing read

    js.InitJoysticks(&owner, 2);
    int reopened = 0;
    owner.onEvent = [&](const QString&) {
        if (reopened++ == 0)
            js.InitJoysticks(&owner, 2);
    };
    EXPECT_EQ(pollOnce(), QStringList{"B1:1"});
    EXPECT_TRUE(js.isOpen());
    owner.onEvent = nullptr;
    EXPECT_EQ(pollOnce(), (QStringList{"B1:1", "B1:2", "B2:1"}));
}

TEST_F(JoystickSdl, APollStartedFromInsideAHandlerReadsNothing)
{
    SDL_Joystick* pad = pads.attach("Held");
    js.InitJoysticks(&owner, 2);
    VirtualPads::button(pad, 4, true);
    owner.onEvent = [&](const QString&) { js.PollJoysticks(); };
    EXPECT_EQ(pollOnce(), QStringList{"B1:4"});
}

} // namespace
