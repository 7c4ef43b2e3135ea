// The pad reader's start-up and failure handling, over a scripted source.
#include "FakePadSource.h"
#include "RecordingOwner.h"
#include "support/ScriptedPrompt.h"

#include "config/AppEnvironment.h"

#include <gtest/gtest.h>

namespace {

const QString kInitFailure = QStringLiteral(
    "Direct Input konnte nicht initialisiert werden!\rJoystick initialisierung fehlgeschlagen.");

struct Fixture {
    Fixture()
    {
        auto s = std::make_unique<FakePadSource>();
        source = s.get();
        js = std::make_unique<Joystick>(std::move(s));
        AppEnvironment::setOverrides({}, QStringLiteral("arvex"));
    }
    FakePadSource* source;
    std::unique_ptr<Joystick> js;
    RecordingOwner owner;
    ScriptedPrompt prompt;
};

TEST(Joystick, InputSystemThatCannotStartIsReportedInGermanAndLeavesNoDevices)
{
    Fixture f;
    f.source->failStart = true;
    f.source->pads.resize(2);
    f.js->InitJoysticks(&f.owner, 2);
    ASSERT_EQ(f.prompt.count(), 1);
    EXPECT_EQ(f.prompt.lastText(), kInitFailure);
    EXPECT_EQ(f.prompt.asked()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(f.prompt.asked()[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(f.js->GetJoystickCount(), 0);
    f.js->PollJoysticks();
    EXPECT_EQ(f.source->readCount, 0);
    EXPECT_TRUE(f.owner.events.isEmpty());
}

TEST(Joystick, ADeviceThatCannotBeOpenedStopsTheOpeningButKeepsEarlierPads)
{
    Fixture f;
    f.source->pads.resize(3);
    f.source->pads[1].failOpen = true;
    for (FakePad& p : f.source->pads)
        p.state.buttons[0] = 1;
    f.js->InitJoysticks(&f.owner, 2);
    ASSERT_EQ(f.prompt.count(), 1);
    EXPECT_EQ(f.prompt.lastText(), kInitFailure);
    EXPECT_EQ(f.js->DeviceCount(), 3);
    EXPECT_EQ(f.js->GetJoystickCount(), 1);
    f.js->PollJoysticks();
    EXPECT_EQ(f.owner.events, QStringList{"B1:1"});
}

TEST(Joystick, StatusLabelShowsInitWhileStartingAndGetsItsCaptionBack)
{
    Fixture f;
    f.source->pads.resize(1);
    QString captionDuringStart;
    f.source->onStart = [&] { captionDuringStart = f.owner.caption; };
    f.js->InitJoysticks(&f.owner, 2);
    EXPECT_TRUE(f.owner.labelShown);
    EXPECT_EQ(captionDuringStart, "Init Joysticks...");
    EXPECT_EQ(f.owner.caption, "old caption");
    // Also when starting fails.
    f.js->ReleaseJoysticks();
    f.source->failStart = true;
    f.js->InitJoysticks(&f.owner, 2);
    EXPECT_EQ(f.owner.caption, "old caption");
}

TEST(Joystick, ButtonsBeyondTheDeviceButtonCountAreNotReported)
{
    Fixture f;
    f.source->pads.resize(1);
    f.source->pads[0].buttons = 4;
    f.source->pads[0].state.buttons.fill(1);
    f.js->InitJoysticks(&f.owner, 2);
    f.js->PollJoysticks();
    EXPECT_EQ(f.owner.events, (QStringList{"B1:1", "B1:2", "B1:3", "B1:4"}));
}

TEST(Joystick, ExtremeAxisValuesAndLargeThresholdsAreHandled)
{
    Fixture f;
    f.source->pads.resize(1);
    PadState& s = f.source->pads[0].state;
    s.x = 0; // rest at the far left edge
    f.js->InitJoysticks(&f.owner, 100000); // cut to the 16-bit range
    s.x = 65535;
    f.js->PollJoysticks();
    EXPECT_EQ(f.owner.take(), QStringList{"R1/1"});
    f.js->InitJoysticks(&f.owner, 40000);
    s.x = 0;
    f.js->PollJoysticks();
    EXPECT_EQ(f.owner.take(), QStringList{"L1/1"});
}

TEST(Joystick, NoOwnerMeansNoPoll)
{
    Fixture f;
    f.source->pads.resize(1);
    f.source->pads[0].state.buttons[0] = 1;
    f.js->InitJoysticks(nullptr, 2);
    f.js->PollJoysticks();
    EXPECT_EQ(f.source->readCount, 1); // the calibration read only
}

TEST(Joystick, NameFilterIsExactAndCaseSensitive)
{
    struct Row {
        const char* name;
        bool filtered;
    } rows[] = {
        {"Maus", true},          {"Tastatur", true},       {"Mouse", true},
        {"Keyboard", true},      {"HID-Gerät", true},      {"C-Media Audio", true},
        {"USB To PS2", true},    {"USB Tomahawk", false},  {"USB To", false},
        {"Mäuse", false},        {"keyboard", false},      {"Keyboard 2", false},
        {"My HID-Pad", false},   {"", false},              {"Xbox 360 Controller", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(Joystick::isFilteredName(QString::fromUtf8(r.name)), r.filtered) << r.name;
}

} // namespace
