// Collecting button assignments: the rules and the window around them.
#include "FakeNavigationHost.h"
#include "FakePadSource.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "config/Language.h"
#include "joystick/ButtonAssignment.h"
#include "joystick/Navigator.h"
#include "joystick/SetJoystickButtons.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

TEST(ButtonAssignment, PromptsInBothLanguages)
{
    struct Row {
        bool german;
        int slot;
        const char* text;
    } rows[] = {
        {false, 0, "Press Button 1\r\r Quit arvex"},
        {false, 1, "Press Button 2\r\r Select"},
        {false, 4, "Press Button 5\r\r switch fullscreen / window"},
        {false, 6, "Press Button 7\r\r  scroll up (-10)"},
        {false, 7, "Press Button 8\r\r  scroll down (+100)\""},
        {false, 9, "Press Button 10\r\r scroll to top"},
        {false, 11, "Press Button 12\r\r add favorite"},
        {true, 0, "Drücke Button Nr.1\r\r arvex beenden"},
        {true, 2, "Drücke Button Nr.3\r\r Starten "},
        {true, 4, "Drücke Button Nr.5\r\r Umschalten: Vollbild / Fenster"},
        {true, 9, "Drücke Button Nr.10\r\rZum Anfang springen"},
        {true, 10, "Drücke Button Nr.11\r\r Zum Ende springen"},
        {true, 11, "Drücke Button Nr.12\r\rFavoriten hinzufügen"},
    };
    const QStringList en = ButtonAssignment::Prompts(false, QStringLiteral("arvex"));
    const QStringList de = ButtonAssignment::Prompts(true, QStringLiteral("arvex"));
    ASSERT_EQ(en.size(), 12);
    ASSERT_EQ(de.size(), 12);
    for (const Row& r : rows)
        EXPECT_EQ((r.german ? de : en)[r.slot], QString::fromUtf8(r.text)) << r.german << r.slot;
}

TEST(ButtonAssignment, RepeatsOfAButtonAreIgnoredAndSkipsAlwaysCount)
{
    ButtonAssignment a;
    a.start();
    EXPECT_EQ(a.counterText(), "1 / 12");
    EXPECT_EQ(a.SetNextButton(3), ButtonAssignment::Outcome::Stored);
    EXPECT_EQ(a.SetNextButton(3), ButtonAssignment::Outcome::Ignored); // held or pressed again
    EXPECT_EQ(a.NextSlot(), 1);
    EXPECT_EQ(a.SetNextButton(-2), ButtonAssignment::Outcome::Stored);
    EXPECT_EQ(a.SetNextButton(-2), ButtonAssignment::Outcome::Stored);
    EXPECT_EQ(a.SetNextButton(1), ButtonAssignment::Outcome::Stored);
    EXPECT_EQ(a.SetNextButton(3), ButtonAssignment::Outcome::Ignored); // used by slot 1
    EXPECT_EQ(a.NextSlot(), 4);
    EXPECT_EQ(a.counterText(), "5 / 12");
    for (int b = 10; b < 17; ++b)
        EXPECT_EQ(a.SetNextButton(b), ButtonAssignment::Outcome::Stored);
    EXPECT_EQ(a.counterText(), "12 / 12");
    EXPECT_FALSE(a.isComplete());
    EXPECT_EQ(a.SetNextButton(17), ButtonAssignment::Outcome::Complete);
    EXPECT_EQ(a.SetNextButton(18), ButtonAssignment::Outcome::Ignored);
    const std::array<qint16, 13> expected{3, -2, -2, 1, 10, 11, 12, 13, 14, 15, 16, 17, 0};
    EXPECT_EQ(a.AssignedButtons(), expected);
}

TEST(ButtonAssignment, OnlyACompleteCollectionIsSaved)
{
    TempDir dir;
    const QString ini = dir.file("arvex.ini");
    ButtonAssignment a;
    a.start();
    a.SetNextButton(4);
    EXPECT_FALSE(a.save(ini));
    EXPECT_FALSE(QFile::exists(ini));
    for (int i = 0; i < 11; ++i)
        a.SetNextButton(-2);
    ASSERT_TRUE(a.save(ini));
    EXPECT_EQ(GetPrivateProfileString("Settings", "Button1", ini), "4");
    for (int n = 2; n <= 12; ++n)
        EXPECT_EQ(GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(n), ini), "-2");
}

// The window, shown offscreen, with buttons coming through the navigator.
class SetJoystickButtonsWindow : public ::testing::Test {
protected:
    SetJoystickButtonsWindow()
    {
        AppEnvironment::setOverrides({}, QStringLiteral("arvex"));
        setCurrentLanguage(kLanguageEnglish);
        auto s = std::make_unique<FakePadSource>();
        source = s.get();
        source->pads.resize(1);
        pads = std::make_unique<Joystick>(std::move(s));
        nav = std::make_unique<Navigator>(host, *pads);
        ini = dir.file("arvex.ini");
        for (int n = 1; n <= 12; ++n)
            WriteIniValue("Settings", QStringLiteral("Button%1").arg(n), QString::number(n - 1), ini, true);
        original = dir.read("arvex.ini");
    }
    ~SetJoystickButtonsWindow() override { setCurrentLanguage(kLanguageEnglish); }

    std::unique_ptr<SetJoystickButtons> open()
    {
        auto w = std::make_unique<SetJoystickButtons>(*nav, *pads, ini);
        QObject::connect(w.get(), &SetJoystickButtons::closed, [this] { ++closedCount; });
        w->show();
        QApplication::processEvents();
        return w;
    }
    static void key(QWidget* w, int qtKey, const QString& text)
    {
        QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(w, &e);
    }

    TempDir dir;
    QString ini;
    QByteArray original;
    ScriptedPrompt prompt;
    FakeNavigationHost host;
    FakePadSource* source = nullptr;
    std::unique_ptr<Joystick> pads;
    std::unique_ptr<Navigator> nav;
    int closedCount = 0;
};

TEST_F(SetJoystickButtonsWindow, OpeningStartsCollectingWithTheFirstPrompt)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Joystick / Gamepad");
    EXPECT_TRUE(nav->buttonSetupMode());
    EXPECT_EQ(w->infoText(), "Press Button 1\n\n Quit arvex\n\n1 / 12");
    EXPECT_EQ(w->hintText(), "Press keyboard to skip button");
    // Buttons go to the window instead of running functions.
    nav->JoystickButtonClick(0);
    nav->JoystickButtonClick(5);
    nav->JoystickButtonClick(5);
    EXPECT_TRUE(host.actions.isEmpty());
    EXPECT_EQ(w->assignment().NextSlot(), 2);
    EXPECT_EQ(w->infoText(), "Press Button 3\n\n Start\n\n3 / 12");
}

TEST_F(SetJoystickButtonsWindow, GermanWindowKeepsItsGermanHint)
{
    setCurrentLanguage(kLanguageGerman);
    auto w = open();
    EXPECT_EQ(w->infoText(), QStringLiteral("Drücke Button Nr.1\n\n arvex beenden\n\n1 / 12"));
    EXPECT_EQ(w->hintText(), QStringLiteral("Tastatur drücken zum Überspringen"));
}

TEST_F(SetJoystickButtonsWindow, TwelveKeysSaveTwelveSkipsAndClose)
{
    auto w = open();
    for (int i = 0; i < 11; ++i)
        key(w.get(), Qt::Key_A + i, QString(QChar('a' + i)));
    EXPECT_EQ(w->infoText(), "Press Button 12\n\n add favorite\n\n12 / 12");
    key(w.get(), Qt::Key_Shift, QString()); // types nothing: no skip
    EXPECT_TRUE(w->isVisible());
    key(w.get(), Qt::Key_Space, " ");
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->saved());
    EXPECT_EQ(closedCount, 1);
    EXPECT_FALSE(nav->buttonSetupMode());
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(n), ini), "-2");
}

TEST_F(SetJoystickButtonsWindow, PadButtonsFromThePollingTimerAreCollectedAndSaved)
{
    auto w = open();
    // Navigation is off, so the window opened the pads itself.
    EXPECT_TRUE(pads->isOpen());
    QElapsedTimer clock;
    clock.start();
    int button = 1;
    while (w->isVisible() && clock.elapsed() < 20000) {
        source->pads[0].state.buttons.fill(0);
        if (w->assignment().NextSlot() == button - 1 && button <= 12)
            source->pads[0].state.buttons[size_t(button - 1)] = 1;
        else if (w->assignment().NextSlot() == button)
            ++button;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    ASSERT_FALSE(w->isVisible());
    EXPECT_TRUE(w->saved());
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(GetPrivateProfileString("Settings", QStringLiteral("Button%1").arg(n), ini),
                  QString::number(n));
    // ... and gave them back.
    EXPECT_FALSE(pads->isOpen());
    // The new assignment takes effect with the next settings load.
    nav->LoadJoystickSettings(ini);
    EXPECT_EQ(nav->ButtonMap()[0], 1);
}

TEST_F(SetJoystickButtonsWindow, EscapeOnTheFifthPromptClosesWithoutSaving)
{
    nav->JoystickEnable(true); // navigation on: the window uses the open pads
    auto w = open();
    for (int b : {1, 2, 3, 4})
        nav->JoystickButtonClick(b);
    EXPECT_EQ(w->assignment().NextSlot(), 4);
    key(w.get(), Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->saved());
    EXPECT_EQ(closedCount, 1);
    EXPECT_FALSE(nav->buttonSetupMode());
    EXPECT_EQ(dir.read("arvex.ini"), original);
    EXPECT_TRUE(pads->isOpen()); // still navigation's
    // Buttons run functions again.
    nav->JoystickButtonClick(0);
    EXPECT_EQ(host.take(), QStringList{"ExitBtn_Click"});
}

TEST_F(SetJoystickButtonsWindow, CloseBoxAndIconAlsoEndCollecting)
{
    auto w = open();
    nav->JoystickButtonClick(7);
    w->close();
    EXPECT_FALSE(nav->buttonSetupMode());
    EXPECT_FALSE(pads->isOpen());
    EXPECT_EQ(dir.read("arvex.ini"), original);
    // Opened again, a new collection starts from the first function.
    w->show();
    QApplication::processEvents();
    EXPECT_TRUE(nav->buttonSetupMode());
    EXPECT_EQ(w->assignment().NextSlot(), 0);
    auto* icon = w->findChild<QWidget*>("JoystickIcon");
    ASSERT_NE(icon, nullptr);
    QMetaObject::invokeMethod(icon, "click");
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(nav->buttonSetupMode());
    EXPECT_EQ(closedCount, 2);
}

} // namespace
