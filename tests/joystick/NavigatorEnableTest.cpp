// Switching navigation on and off, the poll timer and held directions.
#include "NavigatorTestSupport.h"
#include "VirtualPads.h"

#include "config/Ini.h"
#include "joystick/SdlPadSource.h"

#include <gtest/gtest.h>

namespace {

const QString kNoPadsTitle = QStringLiteral("Joysticks / Gamepads = 0)");

TEST(NavigatorEnable, WithPadsShowsTheCountStartsTheTimerAndShowsTheIcon)
{
    NavigatorRig rig(2);
    rig.nav->JoystickEnable(true);
    EXPECT_TRUE(rig.nav->isEnabled());
    EXPECT_EQ(rig.nav->JoystickTimer().interval(), 140);
    EXPECT_EQ(rig.host.captionLabel, "Joysticks: 2");
    EXPECT_TRUE(rig.host.iconVisible);
    EXPECT_EQ(rig.prompt.count(), 0);
    // Already on: the pads are not opened again.
    rig.nav->JoystickEnable(true);
    EXPECT_EQ(rig.source->startCount, 1);

    rig.nav->JoystickEnable(false);
    EXPECT_FALSE(rig.nav->isEnabled());
    EXPECT_FALSE(rig.host.iconVisible);
    EXPECT_FALSE(rig.source->anyOpen());
    EXPECT_FALSE(rig.pads->isOpen());
}

TEST(NavigatorEnable, WithoutPadsAsksAndYesSwitchesNavigationOffInTheSettings)
{
    struct Row {
        int language;
        PromptAnswer answer;
        const char* text;
        const char* stored;
    } rows[] = {
        {kLanguageEnglish, PromptAnswer::Yes,
         "No Joysticks or Gampads found!\r\rDo you want to disable the Joystick-Navigation? ", "0"},
        {kLanguageGerman, PromptAnswer::No,
         "Es wurden keine Joysticks oder Gampads gefunden!\r\r"
         "Soll die Joystick-Bedienung den Optionen ausgeschaltet werden?", "1"},
    };
    for (const Row& r : rows) {
        NavigatorRig rig(0);
        setCurrentLanguage(r.language);
        WriteIniValue("Settings", "UseJoystick", "1", rig.ini, true);
        rig.prompt.queue(r.answer);
        rig.nav->JoystickEnable(true);
        ASSERT_EQ(rig.prompt.count(), 1);
        EXPECT_EQ(rig.prompt.lastTitle(), kNoPadsTitle);
        EXPECT_EQ(rig.prompt.lastText(), QString::fromUtf8(r.text));
        EXPECT_EQ(rig.prompt.asked()[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(rig.prompt.asked()[0].icon, PromptIcon::Information);
        EXPECT_FALSE(rig.nav->isEnabled());
        EXPECT_FALSE(rig.pads->isOpen());
        EXPECT_EQ(GetPrivateProfileString("Settings", "UseJoystick", rig.ini), r.stored);
    }
    setCurrentLanguage(kLanguageEnglish);
}

TEST(NavigatorEnable, OnlyFilteredDevicesCountAsNoPads)
{
    NavigatorRig rig(2);
    rig.source->pads[0].name = QStringLiteral("Tastatur");
    rig.source->pads[1].name = QStringLiteral("Maus");
    rig.nav->JoystickEnable(true);
    EXPECT_EQ(rig.prompt.count(), 1);
    EXPECT_FALSE(rig.nav->isEnabled());
}

TEST(NavigatorEnable, LoadingSettingsAsksAboutMissingPadsOnlyOnce)
{
    NavigatorRig rig(0);
    rig.prompt.queue(PromptAnswer::No);
    rig.nav->LoadJoystickSettings(rig.ini);
    EXPECT_EQ(rig.prompt.count(), 1);
    EXPECT_FALSE(rig.nav->isEnabled());

    // Switched off in the settings: no question, pads closed.
    NavigatorRig off(1);
    WriteIniValue("Settings", "UseJoystick", "0", off.ini, true);
    off.nav->LoadJoystickSettings(off.ini);
    EXPECT_EQ(off.prompt.count(), 0);
    EXPECT_FALSE(off.nav->isEnabled());
    EXPECT_EQ(off.source->startCount, 0);
}

TEST(NavigatorEnable, IconClickFindsThePadsAgainAndLeavesSetupMode)
{
    NavigatorRig rig(1);
    rig.nav->JoystickEnable(true);
    rig.nav->SetJoystickButtonSetupModus(true);
    PadState& s = rig.source->pads[0].state;
    s.x = 60000; // held while the icon is clicked: becomes the rest position
    rig.nav->JoystickIcon_Click();
    EXPECT_EQ(rig.source->startCount, 2);
    EXPECT_FALSE(rig.nav->buttonSetupMode());
    EXPECT_TRUE(rig.host.iconVisible);
    EXPECT_TRUE(rig.nav->isEnabled());
    EXPECT_EQ(rig.host.take(), QStringList{"beep"});
    rig.nav->JoystickTimer_Timer();
    EXPECT_EQ(rig.host.take(), QStringList{});
}

TEST(NavigatorEnable, DestroyingTheNavigatorGivesThePadsBack)
{
    NavigatorRig rig(1);
    rig.nav->JoystickEnable(true);
    ASSERT_TRUE(rig.pads->isOpen());
    rig.nav.reset();
    EXPECT_FALSE(rig.pads->isOpen());
}

// Over real SDL devices: a held stick or D-pad repeats with the timer and
// moves exactly one entry per tick.
class NavigatorSdl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(vpads.ok()); }
    VirtualPads vpads;
    FakeNavigationHost host;
    ScriptedPrompt prompt;
    Joystick pads{std::make_unique<SdlPadSource>()};
};

TEST_F(NavigatorSdl, HeldDirectionMovesOneEntryPerTick)
{
    SDL_Joystick* digital = vpads.attach("Digital Pad", 0, 10, 1);
    SDL_Joystick* analogue = vpads.attach("Analogue Stick", 2, 10, 0);
    Navigator nav(host, pads);
    nav.JoystickEnable(true);
    ASSERT_TRUE(nav.isEnabled());
    EXPECT_EQ(host.captionLabel, "Joysticks: 2");
    host.focusArea = Focus::Complete;
    host.counts[3] = 100;
    host.indexes[3] = 10;

    VirtualPads::hat(digital, SDL_HAT_DOWN);
    for (int tick = 0; tick < 5; ++tick)
        nav.JoystickTimer_Timer();
    EXPECT_EQ(host.indexes[3], 15);
    VirtualPads::hat(digital, SDL_HAT_CENTERED);
    nav.JoystickTimer_Timer();
    EXPECT_EQ(host.indexes[3], 15);

    VirtualPads::axis(analogue, 1, -12000); // half way up
    for (int tick = 0; tick < 3; ++tick)
        nav.JoystickTimer_Timer();
    EXPECT_EQ(host.indexes[3], 12);

    // Both pads held at once: both deliver, in device order.
    VirtualPads::hat(digital, SDL_HAT_DOWN);
    host.take();
    nav.JoystickTimer_Timer();
    EXPECT_EQ(host.take(), (QStringList{"setListIndex(3,13)", "setListIndex(3,12)"}));
}

TEST_F(NavigatorSdl, NavigationOffReleasesThePadsForTheEmulator)
{
    vpads.attach("Pad");
    Navigator nav(host, pads);
    nav.JoystickEnable(true);
    EXPECT_TRUE(pads.isOpen());
    nav.JoystickEnable(false);
    EXPECT_FALSE(pads.isOpen());
    EXPECT_EQ(pads.DeviceCount(), 0);
}

} // namespace
