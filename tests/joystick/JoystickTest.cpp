// The pad reader: real SDL devices (virtual) and scripted failures.
#include "FakePadSource.h"
#include "VirtualPads.h"
#include "support/ScriptedPrompt.h"

#include "config/AppEnvironment.h"
#include "joystick/SdlPadSource.h"

#include <gtest/gtest.h>

namespace {

class JoystickSdl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pads.ok()) << SDL_GetError(); }
    QStringList poll()
    {
        js.PollJoysticks();
        return owner.take();
    }
    VirtualPads pads;
    Joystick js{std::make_unique<SdlPadSource>()};
    RecordingOwner owner;
};

TEST_F(JoystickSdl, MainStickReportsTheDominantDirectionBeyondTheThreshold)
{
    struct Row {
        int x, y;
        Uint8 hat;
        QStringList expected;
    } rows[] = {
        {32767, 0, 0, {"R1/1"}},     {-32768, 0, 0, {"L1/1"}},   {0, 32767, 0, {"D1/1"}},
        {0, -32768, 0, {"U1/1"}},    {20000, -20000, 0, {"R1/1"}}, // tie: horizontal
        {-20000, 20000, 0, {"L1/1"}}, {1000, -5000, 0, {"U1/1"}},
        {2, 0, 0, {}},               {0, -2, 0, {}},               // exactly the threshold
        {3, 0, 0, {"R1/1"}},         {-3, 0, 0, {"L1/1"}},        {0, 3, 0, {"D1/1"}},
        {0, 0, SDL_HAT_RIGHT, {"R1/1"}}, {0, 0, SDL_HAT_UP, {"U1/1"}}, // D-pad: full deflection
        {0, 0, SDL_HAT_LEFTUP, {"L1/1"}}, {500, 0, SDL_HAT_DOWN, {"D1/1"}},
    };
    SDL_Joystick* pad = pads.attach("Test Pad");
    js.InitJoysticks(&owner, 2);
    for (const Row& r : rows) {
        VirtualPads::axis(pad, 0, r.x);
        VirtualPads::axis(pad, 1, r.y);
        VirtualPads::hat(pad, r.hat);
        EXPECT_EQ(poll(), r.expected) << r.x << "," << r.y << " hat " << int(r.hat);
    }
}

TEST_F(JoystickSdl, RightStickButtonsAndTwoPadsInDeviceOrder)
{
    SDL_Joystick* first = pads.attach("First", 6, 24, 0);
    SDL_Joystick* second = pads.attach("Second", 2, 8, 1);
    js.InitJoysticks(&owner, 2);
    for (int b : {18, 3, 1, 19, 24})
        VirtualPads::button(first, b, true);
    VirtualPads::axis(first, 3, -30000); // right stick: panel 2, after the main stick
    VirtualPads::axis(first, 1, 30000);
    VirtualPads::axis(first, 2, 30000); // triggers and right vertical are not read
    VirtualPads::axis(first, 4, 30000);
    VirtualPads::hat(second, SDL_HAT_UP);
    VirtualPads::button(second, 2, true);
    EXPECT_EQ(poll(), (QStringList{"D1/1", "L1/2", "B1:1", "B1:3", "B1:18", "U2/1", "B2:2"}));
    VirtualPads::axis(first, 3, 30000);
    VirtualPads::button(first, 3, false);
    EXPECT_EQ(poll(), (QStringList{"D1/1", "R1/2", "B1:1", "B1:18", "U2/1", "B2:2"})); // held: again
}

TEST_F(JoystickSdl, PositionAtSwitchOnIsRestUntilTheNextCalibration)
{
    SDL_Joystick* pad = pads.attach("Drifting");
    VirtualPads::axis(pad, 0, 20000);
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(poll(), QStringList{});
    VirtualPads::axis(pad, 0, 0);
    EXPECT_EQ(poll(), QStringList{"L1/1"});
    js.CalibrateJoysticks();
    EXPECT_EQ(poll(), QStringList{});
}

TEST_F(JoystickSdl, DevicesThatAreNoPadsAreListedButNeverRead)
{
    const char* names[] = {"Tastatur", "Maus", "Keyboard", "Mouse", "HID-Gerät", "C-Media USB",
                           "USB To PS2", "tastatur", "USB Tomcat", "Keyboard 2"};
    for (const char* n : names)
        VirtualPads::button(pads.attach(n, 2, 4, 0), 1, true);
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(js.DeviceCount(), 10);
    EXPECT_EQ(js.GetJoystickCount(), 3);
    EXPECT_EQ(js.DeviceNames(), (QStringList{"", "", "", "", "", "", "", "tastatur", "USB Tomcat",
                                             "Keyboard 2"}));
    EXPECT_EQ(poll(), (QStringList{"B8:1", "B9:1", "B10:1"}));
}

TEST_F(JoystickSdl, UnpluggedPadsAreSkippedAndNewOnesAppearOnReinitialisation)
{
    SDL_Joystick* first = pads.attach("Going");
    SDL_Joystick* second = pads.attach("Staying");
    js.InitJoysticks(&owner, 2);
    VirtualPads::button(first, 1, true);
    VirtualPads::button(second, 1, true);
    pads.detach(first);
    EXPECT_EQ(poll(), QStringList{"B2:1"});
    SDL_Joystick* late = pads.attach("Late");
    VirtualPads::button(late, 2, true);
    EXPECT_EQ(poll(), QStringList{"B2:1"}); // not known before the next initialisation
    js.ReleaseJoysticks();
    js.InitJoysticks(&owner, 2); // 1 = "Staying", 2 = "Late"
    // Unplugged by a handler in the middle of a poll.
    owner.onEvent = [&](const QString&) {
        if (late)
            pads.detach(std::exchange(late, nullptr));
    };
    EXPECT_EQ(poll(), QStringList{"B1:1"});
    EXPECT_EQ(poll(), QStringList{"B1:1"});
}

TEST_F(JoystickSdl, HandlersMayReleaseReopenOrPollWithoutHarm)
{
    SDL_Joystick* one = pads.attach("One");
    VirtualPads::button(one, 1, true);
    VirtualPads::button(one, 2, true);
    VirtualPads::button(pads.attach("Two"), 1, true);
    js.InitJoysticks(&owner, 2);
    owner.onEvent = [&](const QString&) { js.ReleaseJoysticks(); };
    EXPECT_EQ(poll(), QStringList{"B1:1"});
    EXPECT_EQ(poll(), QStringList{});
    js.InitJoysticks(&owner, 2);
    bool reopened = false;
    owner.onEvent = [&](const QString&) {
        if (!std::exchange(reopened, true))
            js.InitJoysticks(&owner, 2);
    };
    EXPECT_EQ(poll(), QStringList{"B1:1"});
    owner.onEvent = [&](const QString&) { js.PollJoysticks(); }; // re-entered: reads nothing
    EXPECT_EQ(poll(), (QStringList{"B1:1", "B1:2", "B2:1"}));
}

TEST(Joystick, StartAndOpenFailuresAreReportedInGermanAndEarlierPadsStayUsable)
{
    AppEnvironment::setOverrides({}, QStringLiteral("arvex"));
    ScriptedPrompt prompt;
    RecordingOwner owner;
    auto s = std::make_unique<FakePadSource>();
    FakePadSource* source = s.get();
    Joystick js(std::move(s));
    source->pads.resize(3);
    for (FakePad& p : source->pads)
        p.state.buttons.fill(1);
    source->pads[0].buttons = 2;
    source->pads[1].failOpen = true;
    QString captionWhileStarting;
    source->onStart = [&] { captionWhileStarting = owner.caption; };

    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(captionWhileStarting, "Init Joysticks...");
    EXPECT_EQ(owner.caption, "old caption");
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.lastText(),
              "Direct Input konnte nicht initialisiert werden!\rJoystick initialisierung fehlgeschlagen.");
    EXPECT_EQ(prompt.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(js.GetJoystickCount(), 1);
    js.PollJoysticks();
    EXPECT_EQ(owner.take(), (QStringList{"B1:1", "B1:2"})); // not beyond its 2 buttons

    source->failStart = true;
    js.InitJoysticks(&owner, 2);
    EXPECT_EQ(prompt.count(), 2);
    EXPECT_EQ(owner.caption, "old caption");
    js.PollJoysticks();
    EXPECT_EQ(owner.take(), QStringList{});

    // Extreme rest positions and thresholds beyond 16 bits.
    source->failStart = false;
    source->pads.resize(1);
    source->pads[0].state.buttons.fill(0);
    source->pads[0].state.x = 0;
    js.InitJoysticks(&owner, 100000);
    source->pads[0].state.x = 65535;
    js.PollJoysticks();
    EXPECT_EQ(owner.take(), QStringList{"R1/1"});
}

} // namespace
