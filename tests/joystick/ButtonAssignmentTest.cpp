// Assigning buttons: the collection rules and the window around them.
#define ARVEX_NAVIGATOR_RIG
#include "FakeNavigationHost.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "joystick/ButtonAssignment.h"
#include "joystick/SetJoystickButtons.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QString key(const QString& ini, int n)
{
    return GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(n), ini);
}

TEST(ButtonAssignment, PromptsInBothLanguages)
{
    const QStringList en = ButtonAssignment::Prompts(false, "arvex");
    const QStringList de = ButtonAssignment::Prompts(true, "arvex");
    ASSERT_EQ(en.size(), 12);
    ASSERT_EQ(de.size(), 12);
    EXPECT_EQ(en[0], "Press Button 1\r\r Quit arvex");
    EXPECT_EQ(en[7], "Press Button 8\r\r  scroll down (+100)\"");
    EXPECT_EQ(en[11], "Press Button 12\r\r add favorite");
    EXPECT_EQ(de[0], QStringLiteral("Drücke Button Nr.1\r\r arvex beenden"));
    EXPECT_EQ(de[11], QStringLiteral("Drücke Button Nr.12\r\rFavoriten hinzufügen"));
}

TEST(ButtonAssignment, RepeatsAreIgnoredSkipsAlwaysCountAndOnlyCompleteIsSaved)
{
    TempDir dir;
    const QString ini = dir.file("arvex.ini");
    using O = ButtonAssignment::Outcome;
    ButtonAssignment a;
    a.start();
    EXPECT_EQ(a.counterText(), "1 / 12");
    const std::pair<int, O> steps[] = {{3, O::Stored},  {3, O::Ignored}, {-2, O::Stored},
                                       {-2, O::Stored}, {1, O::Stored},  {3, O::Ignored}};
    for (auto [button, outcome] : steps)
        EXPECT_EQ(a.SetNextButton(button), outcome) << button;
    EXPECT_EQ(a.counterText(), "5 / 12");
    EXPECT_FALSE(a.save(ini));
    EXPECT_FALSE(QFile::exists(ini));
    for (int b = 10; b < 17; ++b)
        a.SetNextButton(b);
    EXPECT_EQ(a.counterText(), "12 / 12");
    EXPECT_EQ(a.SetNextButton(17), O::Complete);
    EXPECT_EQ(a.SetNextButton(18), O::Ignored);
    EXPECT_EQ(a.AssignedButtons(), (std::array<qint16, 13>{3, -2, -2, 1, 10, 11, 12, 13, 14, 15, 16, 17, 0}));
    ASSERT_TRUE(a.save(ini));
    EXPECT_EQ(key(ini, 1), "3");
    EXPECT_EQ(key(ini, 2), "-2");
    EXPECT_EQ(key(ini, 12), "17");
}

// The window, offscreen, fed through the navigator as the main window does.
struct WindowRig : NavigatorRig {
    explicit WindowRig(int language = kLanguageEnglish) : NavigatorRig(1), language(language)
    {
        AppEnvironment::setOverrides({}, QStringLiteral("arvex"));
        for (int n = 1; n <= 12; ++n)
            WriteIniValue("Settings", QStringLiteral("Button%1").arg(n), QString::number(n - 1), ini, true);
        original = dir.read("arvex.ini");
        QObject::connect(&window, &SetJoystickButtons::closed, [this] { ++closed; });
        window.show();
        QApplication::processEvents();
    }
    void type(int qtKey, const QString& text)
    {
        QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(&window, &e);
    }
    QByteArray original;
    int closed = 0;
    int language; // set before the window reads it
    bool languageSet = (setCurrentLanguage(language), true);
    SetJoystickButtons window{*nav, *pads, ini};
};

TEST(SetJoystickButtons, KeysSkipAndTwelveSkipsAreSaved)
{
    WindowRig rig;
    EXPECT_EQ(rig.window.windowTitle(), "Joystick / Gamepad");
    EXPECT_EQ(rig.window.hintText(), "Press keyboard to skip button");
    EXPECT_EQ(rig.window.infoText(), "Press Button 1\n\n Quit arvex\n\n1 / 12");
    EXPECT_TRUE(rig.nav->buttonSetupMode());
    for (int i = 0; i < 11; ++i)
        rig.type(Qt::Key_A + i, QString(QChar('a' + i)));
    rig.type(Qt::Key_Shift, QString()); // types nothing: no skip
    EXPECT_EQ(rig.window.infoText(), "Press Button 12\n\n add favorite\n\n12 / 12");
    rig.type(Qt::Key_Space, " ");
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_EQ(rig.closed, 1);
    EXPECT_FALSE(rig.nav->buttonSetupMode());
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(key(rig.ini, n), "-2") << n;
}

TEST(SetJoystickButtons, PadButtonsFromItsPollingTimerAreCollected)
{
    WindowRig rig;
    EXPECT_TRUE(rig.pads->isOpen()); // navigation is off: the window opened the pads
    PadState& s = rig.source->pads[0].state;
    const QDeadlineTimer deadline(20000);
    while (rig.window.isVisible() && !deadline.hasExpired()) {
        // Hold the button for the prompted function, and keep holding it a
        // while after it was taken: the repeats must be ignored.
        const int next = rig.window.assignment().NextSlot();
        s.buttons.fill(0);
        s.buttons[size_t(std::min(next, 11))] = 1;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 150);
    }
    ASSERT_FALSE(rig.window.isVisible());
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(key(rig.ini, n), QString::number(n)) << n;
    EXPECT_FALSE(rig.pads->isOpen()); // given back
    rig.nav->LoadJoystickSettings(rig.ini);
    EXPECT_EQ(rig.nav->ButtonMap()[0], 1);
}

TEST(SetJoystickButtons, EscapeCloseBoxAndIconCloseWithoutSaving)
{
    WindowRig rig;
    rig.nav->JoystickEnable(true); // navigation on: the window polls its pads
    for (int b : {1, 2, 3, 4})
        rig.nav->JoystickButtonClick(b);
    EXPECT_EQ(rig.host.take(), QStringList{}); // no function ran
    EXPECT_EQ(rig.window.infoText(), "Press Button 5\n\n switch fullscreen / window\n\n5 / 12");
    rig.type(Qt::Key_Escape, "\x1b");
    EXPECT_FALSE(rig.window.isVisible());
    EXPECT_FALSE(rig.nav->buttonSetupMode());
    EXPECT_EQ(rig.dir.read("arvex.ini"), rig.original);
    EXPECT_TRUE(rig.pads->isOpen()); // still navigation's
    rig.nav->JoystickButtonClick(0);
    EXPECT_EQ(rig.host.take(), QStringList{"ExitBtn_Click"});

    rig.window.show(); // a new collection from the first function
    QApplication::processEvents();
    EXPECT_EQ(rig.window.assignment().NextSlot(), 0);
    rig.window.findChild<QToolButton*>("JoystickIcon")->click();
    EXPECT_FALSE(rig.window.isVisible() || rig.nav->buttonSetupMode());
    rig.window.show();
    QApplication::processEvents();
    rig.window.close(); // the close box
    EXPECT_FALSE(rig.nav->buttonSetupMode());
    EXPECT_EQ(rig.closed, 3);
    EXPECT_EQ(rig.dir.read("arvex.ini"), rig.original);
}

TEST(SetJoystickButtons, GermanWindow)
{
    WindowRig rig(kLanguageGerman);
    setCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(rig.window.infoText(), QStringLiteral("Drücke Button Nr.1\n\n arvex beenden\n\n1 / 12"));
    EXPECT_EQ(rig.window.hintText(), QStringLiteral("Tastatur drücken zum Überspringen"));
}

} // namespace
