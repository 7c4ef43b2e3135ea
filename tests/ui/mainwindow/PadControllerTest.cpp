// Pad and keyboard navigation on the real main window: a temporary
// collection with a list cache, the game-list panel, the launch controller
// with a shell-script emulator, and SDL virtual pads.
#include <QByteArray> // qputenv with text, used by the virtual pads
#include <QtGlobal>

#include "joystick/VirtualPads.h"
#include "support/WaitFor.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "joystick/SetJoystickButtons.h"
#include "ui/AlwaysOnTop.h"
#include "ui/GameListsPanel.h"
#include "ui/LauncherAssembly.h"
#include "ui/LaunchController.h"
#include "ui/MainWindow.h"
#include "ui/PadController.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>
#include <memory>

namespace {

const QString S = QStringLiteral("Settings");
constexpr int kGames = 25;


void settle(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Collection {
    TempDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<VirtualPads> sdl;
    SDL_Joystick* pad = nullptr;
    std::unique_ptr<LauncherAssembly> app;
    MainWindow* window = nullptr;
    GameListsPanel* panel = nullptr;
    LaunchController* launch = nullptr;
    PadController* pads = nullptr;
    int endedWith = -1;

    // `global` is the rest of the global settings file after LastEmulator.
    explicit Collection(bool withPad, const QByteArray& global = "UseJoystick=1\r\n")
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        dir.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n" + global);
        dir.write("Config/Amiga/arvex.ini",
                  "[Settings]\r\nRomPath=./Games/\r\nEmulatorPath=./emu.sh\r\nSplashTimer=0\r\n"
                  "WinUAE_UseMasterConfig=0\r\nEmulatorParameterAddDiskPath=1\r\n");
        QByteArray cache;
        for (int i = 1; i <= kGames; ++i) {
            const QByteArray name = "Game " + QByteArray::number(i).rightJustified(2, '0');
            dir.write("Games/" + QString::fromLatin1(name) + ".adf", "ADF");
            cache += "./Games/" + name + ".adf\r\n" + name + "\r\n";
        }
        dir.write("Config/Amiga/arvex_Cache.txt", cache);
        const QString emu = dir.write("emu.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '"
                                                    + dir.file("args.txt").toUtf8() + "'\n");
        QFile::setPermissions(emu, QFile::permissions(emu) | QFile::ExeOwner | QFile::ExeUser);

        if (withPad) {
            sdl = std::make_unique<VirtualPads>();
            pad = sdl->attach("Virtual Pad");
        }
        app = std::make_unique<LauncherAssembly>(SettingsPaths(dir.path(), QStringLiteral("arvex")));
        window = &app->window();
        panel = &app->lists();
        launch = &app->launch();
        pads = &app->pads();
        window->setEndProcess([this](int code) { endedWith = code; });
    }
    ~Collection()
    {
        app.reset();
        AppEnvironment::setOverrides({}, {});
    }

    void load()
    {
        ASSERT_EQ(window->Form_Load(), MainWindow::StartResult::Running);
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
    }
    Navigator& nav() { return pads->navigator(); }
    QString globalValue(const QString& key) const
    {
        return GetPrivateProfileString(S, key, dir.file("Config/arvex.ini"));
    }
    int area() const { return window->FocusArea.toInt(); }
    QString selectedGame(int focusArea) const
    {
        return panel->selectedFullPath(focusArea).section(u'/', -1);
    }
    // One poll of the pads with the hat held in `direction`.
    void hat(Uint8 direction)
    {
        VirtualPads::hat(pad, direction);
        nav().JoystickTimer_Timer();
        VirtualPads::hat(pad, SDL_HAT_CENTERED);
    }
    // One poll of the pads with button `number` (1-based) held.
    void press(int number)
    {
        VirtualPads::button(pad, number, true);
        nav().JoystickTimer_Timer();
        VirtualPads::button(pad, number, false);
    }
    void key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = {})
    {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
        QCoreApplication::sendEvent(target, &event);
    }
    bool gameEnded()
    {
        launch->monitor().EmuActiveTimer_Timer();
        return !launch->monitor().gameRunning();
    }
};

TEST(PadController, SettingsLoadSwitchesNavigationByStoredValueAndPads)
{
    struct Row {
        const char* name;
        bool pad;
        QByteArray stored;
        PromptAnswer answer;
        bool asked;
        bool enabled;
        const char* storedAfter;
    } rows[] = {
        {"pad present", true, "UseJoystick=1\r\n", PromptAnswer::Yes, false, true, "1"},
        {"no pad, switch off", false, "UseJoystick=1\r\n", PromptAnswer::Yes, true, false, "0"},
        {"no pad, keep", false, "UseJoystick=1\r\n", PromptAnswer::No, true, false, "1"},
        {"switched off", false, "UseJoystick=0\r\n", PromptAnswer::Yes, false, false, "0"},
        {"switched off, pad present", true, "UseJoystick=0\r\n", PromptAnswer::Yes, false, false, "0"},
    };
    for (const Row& r : rows) {
        Collection c(r.pad, r.stored);
        c.prompt.setDefault(r.answer);
        c.load();
        const bool asked = !c.prompt.asked().isEmpty();
        EXPECT_EQ(asked, r.asked) << r.name;
        if (asked) {
            EXPECT_EQ(c.prompt.asked().first().title, "Joysticks / Gamepads = 0)") << r.name;
            EXPECT_EQ(c.prompt.asked().size(), 1) << r.name << ": asked once per settings load";
        }
        EXPECT_EQ(c.nav().isEnabled(), r.enabled) << r.name;
        EXPECT_EQ(c.window->JoystickIcon->isVisibleTo(c.window), r.enabled) << r.name;
        EXPECT_EQ(c.nav().pads().isOpen(), r.enabled) << r.name;
        EXPECT_EQ(c.globalValue("UseJoystick"), r.storedAfter) << r.name;
    }
}

TEST(PadController, SettingsLoadReadsButtonTableAndExitButton)
{
    Collection c(true, "UseJoystick=1\r\nButton3=7\r\nButton12=15\r\nUseJoystickExitbutton=4\r\n");
    c.load();
    EXPECT_EQ(c.nav().ButtonMap()[2], 7);
    EXPECT_EQ(c.nav().ButtonMap()[11], 15);
    EXPECT_EQ(c.nav().ButtonMap()[0], 0); // default n - 1
    EXPECT_EQ(c.nav().ExitButtonSlot(), 4);
}

TEST(PadController, PadMovesSelectionByOneAndCyclesTheLists)
{
    Collection c(true);
    c.load();
    ASSERT_EQ(c.area(), GameListsPanel::Simple); // no favourites
    c.pads->focusList(GameList::WithoutDuplicates, false);
    ASSERT_EQ(c.selectedGame(GameListsPanel::Simple), "Game 01.adf");

    c.hat(SDL_HAT_DOWN);
    EXPECT_EQ(c.selectedGame(GameListsPanel::Simple), "Game 02.adf");
    // The selection handling ran: the complete list follows.
    EXPECT_EQ(c.selectedGame(GameListsPanel::Complete), "Game 02.adf");
    c.hat(SDL_HAT_UP);
    c.hat(SDL_HAT_UP); // nothing above the first entry
    EXPECT_EQ(c.selectedGame(GameListsPanel::Simple), "Game 01.adf");

    const int right[] = {GameListsPanel::Complete, GameListsPanel::SearchResults, GameListsPanel::Favourites,
                         GameListsPanel::Simple};
    for (int expected : right) {
        c.hat(SDL_HAT_RIGHT);
        EXPECT_EQ(c.area(), expected);
    }
    const int left[] = {GameListsPanel::Favourites, GameListsPanel::SearchResults, GameListsPanel::Complete,
                        GameListsPanel::Simple};
    for (int expected : left) {
        c.hat(SDL_HAT_LEFT);
        EXPECT_EQ(c.area(), expected);
    }
    EXPECT_EQ(c.panel->mainTab(), GameListsPanel::Simple);
}

TEST(PadController, ScrollButtonsMoveByTenAndStopAtTheEnds)
{
    Collection c(true);
    c.load();
    c.pads->focusList(GameList::Complete, false);
    ASSERT_EQ(c.area(), GameListsPanel::Complete);
    ASSERT_EQ(c.pads->listIndex(GameList::Complete), 0);
    // Default table: button 5 is slot 6 (down 10), button 6 slot 7 (up 10).
    c.press(5);
    EXPECT_EQ(c.selectedGame(GameListsPanel::Complete), "Game 11.adf");
    c.press(5);
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), 20);
    c.press(5); // four entries left: the last one
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), kGames - 1);
    EXPECT_EQ(c.selectedGame(GameListsPanel::Complete), "Game 25.adf");
    c.press(6);
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), kGames - 11);
    c.pads->setListIndex(GameList::Complete, 3);
    c.press(6); // fewer than ten above: the first one
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), 0);
}

TEST(PadController, StartButtonLaunchesAndPadsAreReleasedUntilTheGameEnds)
{
    Collection c(true);
    c.load();
    c.pads->focusList(GameList::Complete, false);
    c.pads->setListIndex(GameList::Complete, 2);
    ASSERT_EQ(c.selectedGame(GameListsPanel::Complete), "Game 03.adf");

    c.press(2); // slot 3: start
    // The emulator writes its arguments; wait for the whole line.
    ASSERT_TRUE(WaitFor([&] { return c.dir.read("args.txt").contains("Game 03.adf\n"); }, 5000))
        << c.dir.read("args.txt").constData();
    EXPECT_EQ(c.area(), GameListsPanel::Complete);
    EXPECT_TRUE(c.nav().gameRunning());
    // No exit button: the emulator gets the pad undisturbed.
    EXPECT_FALSE(c.nav().isEnabled());
    EXPECT_FALSE(c.nav().pads().isOpen());
    EXPECT_FALSE(c.window->JoystickIcon->isVisibleTo(c.window));

    ASSERT_TRUE(WaitFor([&] { return c.gameEnded(); }, 8000));
    EXPECT_FALSE(c.nav().gameRunning());
    EXPECT_TRUE(c.nav().isEnabled());
    EXPECT_TRUE(c.window->JoystickIcon->isVisibleTo(c.window));
}

TEST(PadController, StartOnAMissingGameKeepsThePadWorking)
{
    Collection c(true);
    c.load();
    c.pads->focusList(GameList::Complete, false);
    QFile::remove(c.dir.file("Games/Game 01.adf"));
    c.prompt.setDefault(PromptAnswer::Ok);
    c.press(2);
    EXPECT_EQ(c.prompt.lastTitle(), "Game - File not found!");
    EXPECT_FALSE(c.nav().gameRunning());
    c.hat(SDL_HAT_DOWN);
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), 1);
}

TEST(PadController, AGameStartedByMouseSilencesThePadExceptTheExitButton)
{
    // With an exit button navigation stays on during a game: only that
    // button may act, whoever started the game.
    Collection c(true, "UseJoystick=1\r\nUseJoystickExitbutton=3\r\n");
    c.load();
    c.pads->focusList(GameList::Complete, false);
    // A double click on the entry, as the mouse gives it.
    QListView* complete = c.panel->listView(GameListsPanel::Complete);
    const QPoint at = complete->visualRect(complete->currentIndex()).center();
    QTest::mousePress(complete->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(complete->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(complete->viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(c.launch->monitor().gameRunning());
    const QByteArray expected = c.dir.file("Games/Game 01.adf").toUtf8() + "\n";
    EXPECT_TRUE(WaitFor([&] { return c.dir.read("args.txt") == expected; }, 5000)) << c.dir.read("args.txt").constData();
    ASSERT_TRUE(c.nav().isEnabled());

    settle(2 * Navigator::kTimerInterval + 60);
    EXPECT_TRUE(c.nav().gameRunning());
    c.hat(SDL_HAT_DOWN);
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), 0) << "the pad moved the list during a game";

    ASSERT_TRUE(WaitFor([&] { return c.gameEnded(); }, 8000));
    EXPECT_FALSE(c.nav().gameRunning());
    c.hat(SDL_HAT_DOWN);
    EXPECT_EQ(c.pads->listIndex(GameList::Complete), 1);
}

TEST(PadController, ArrowKeysSwitchListsButMoveTheCursorInATypedSearch)
{
    Collection c(false, "UseJoystick=0\r\n");
    c.load();
    c.pads->focusList(GameList::WithoutDuplicates, false);
    QListView* simple = c.panel->listView(GameListsPanel::Simple);

    c.key(simple, Qt::Key_Right);
    EXPECT_EQ(c.area(), GameListsPanel::Complete);
    c.key(c.panel->listView(GameListsPanel::Complete), Qt::Key_Left);
    EXPECT_EQ(c.area(), GameListsPanel::Simple);

    // Down is the list's own key: one entry further.
    const int before = c.pads->listIndex(GameList::WithoutDuplicates);
    c.key(simple, Qt::Key_Down);
    EXPECT_EQ(c.pads->listIndex(GameList::WithoutDuplicates), before + 1);

    c.key(simple, Qt::Key_F, Qt::ControlModifier, QStringLiteral("\x06"));
    QLineEdit* search = c.panel->searchBox();
    EXPECT_EQ(c.area(), GameListsPanel::SearchBox);
    EXPECT_EQ(c.window->focusWidget(), search);

    search->setText(QStringLiteral("Game"));
    search->setCursorPosition(4);
    c.key(search, Qt::Key_Left);
    EXPECT_EQ(c.area(), GameListsPanel::SearchBox);
    EXPECT_EQ(search->cursorPosition(), 3);

}

TEST(PadController, LetterInTheCompleteListStartsASearch)
{
    Collection c(false, "UseJoystick=0\r\n");
    c.load();
    c.pads->focusList(GameList::Complete, false);
    c.key(c.panel->listView(GameListsPanel::Complete), Qt::Key_M, Qt::NoModifier, QStringLiteral("m"));
    EXPECT_EQ(c.panel->searchBox()->text(), "m");
    EXPECT_EQ(c.area(), GameListsPanel::SearchBox);
}

TEST(PadController, EscapeAsksToQuitExceptInTheEmulatorBox)
{
    Collection c(false, "UseJoystick=0\r\n");
    c.load();
    c.pads->focusList(GameList::Complete, false);
    QListView* complete = c.panel->listView(GameListsPanel::Complete);

    c.prompt.queue(PromptAnswer::Cancel);
    c.key(complete, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    ASSERT_EQ(c.prompt.count(), 1);
    EXPECT_EQ(c.prompt.lastTitle(), "Exit arvex?");
    EXPECT_EQ(c.prompt.lastText(), "Quit arvex now?");
    EXPECT_EQ(c.endedWith, -1);

    // In the emulator box Escape leaves the box and asks nothing.
    c.pads->emulatorBoxFocusHandling();
    ASSERT_EQ(c.area(), Focus::EmulatorBox);
    c.key(c.window->EmuListbox, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(c.prompt.count(), 1);
    EXPECT_NE(c.area(), Focus::EmulatorBox);
    EXPECT_EQ(c.endedWith, -1);

    c.prompt.queue(PromptAnswer::Ok);
    c.key(complete, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(c.prompt.count(), 2);
    EXPECT_EQ(c.endedWith, 0);
}

TEST(PadController, EnterInAListStartsOnlyOnce)
{
    Collection c(false, "UseJoystick=0\r\n");
    c.load();
    int requests = 0;
    QObject::connect(c.panel, &GameListsPanel::launchRequested, [&](const QString&) { ++requests; });
    c.pads->focusList(GameList::Complete, false);
    c.key(c.panel->listView(GameListsPanel::Complete), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(requests, 1);
    ASSERT_TRUE(WaitFor([&] { return c.dir.read("args.txt").endsWith('\n'); }, 5000));
    settle(300);
    // The emulator appends one line per start.
    EXPECT_EQ(c.dir.read("args.txt"), c.dir.file("Games/Game 01.adf").toUtf8() + "\n")
        << "the key preview started the game a second time";
}

TEST(PadController, JoystickIconClickRefindsPadsAndDoubleClickOpensAssignment)
{
    Collection c(true);
    c.load();
    QToolButton* icon = c.window->JoystickIcon;
    ASSERT_TRUE(icon->isVisibleTo(c.window));
    const QPointF at(3, 3);
    const auto mouse = [&](QEvent::Type type) {
        QMouseEvent event(type, at, icon->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(icon, &event);
    };

    bool opened = false;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(50, [&] {
            if (auto* w = qobject_cast<SetJoystickButtons*>(QApplication::activeModalWidget())) {
                opened = true;
                w->reject();
            }
        });
    };

    // A single click: the pads are found again and setup mode ends.
    c.nav().SetJoystickButtonSetupModus(true);
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_TRUE(c.nav().buttonSetupMode()) << "a click must wait for a possible second one";
    settle(QApplication::doubleClickInterval() + 150);
    EXPECT_FALSE(c.nav().buttonSetupMode());
    EXPECT_TRUE(c.nav().isEnabled());
    EXPECT_TRUE(icon->isVisibleTo(c.window));
    EXPECT_FALSE(opened);

    // A double click opens the assignment window, and only that.
    c.nav().SetJoystickButtonSetupModus(true);
    closeWhenShown();
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    mouse(QEvent::MouseButtonDblClick);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_TRUE(opened);
    settle(QApplication::doubleClickInterval() + 150);
    EXPECT_FALSE(c.nav().buttonSetupMode()) << "closing the window ends setup mode";
    EXPECT_FALSE(c.window->PinControl->GetIsOnTop()) << "an unpinned window stays unpinned";
}

} // namespace
