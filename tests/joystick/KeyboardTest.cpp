// Key codes and the main window's key bindings, with synthesised key events.
#include "NavigatorTestSupport.h"

#include "config/AppEnvironment.h"
#include "ui/KeyCodes.h"
#include "ui/Keyboard.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

TEST(KeyCodes, QtKeysMapOntoWindowsVirtualKeys)
{
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        int vk;
    } rows[] = {
        {Qt::Key_A, Qt::NoModifier, 65},       {Qt::Key_F, Qt::ControlModifier, 70},
        {Qt::Key_Z, Qt::NoModifier, 90},       {Qt::Key_0, Qt::NoModifier, 48},
        {Qt::Key_9, Qt::NoModifier, 57},       {Qt::Key_F1, Qt::NoModifier, 112},
        {Qt::Key_F4, Qt::AltModifier, 115},    {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_Backspace, Qt::NoModifier, 8}, {Qt::Key_Tab, Qt::NoModifier, 9},
        {Qt::Key_Return, Qt::NoModifier, 13},  {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Escape, Qt::NoModifier, 27},  {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_PageUp, Qt::NoModifier, 33},  {Qt::Key_PageDown, Qt::NoModifier, 34},
        {Qt::Key_End, Qt::NoModifier, 35},     {Qt::Key_Home, Qt::NoModifier, 36},
        {Qt::Key_Left, Qt::NoModifier, 37},    {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Right, Qt::NoModifier, 39},   {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_Insert, Qt::NoModifier, 45},  {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_5, Qt::KeypadModifier, 101},  {Qt::Key_Plus, Qt::KeypadModifier, 107},
        {Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Shift, Qt::ShiftModifier, 16}, {Qt::Key_Control, Qt::ControlModifier, 17},
        {Qt::Key_Alt, Qt::AltModifier, 18},    {Qt::Key_Adiaeresis, Qt::NoModifier, 222},
        {Qt::Key_VolumeUp, Qt::NoModifier, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(KeyCodes::virtualKey(r.key, r.mods), r.vk) << std::hex << r.key;
    // Every code of the key rules leads back to a key that produces it.
    for (int vk : {8, 13, 27, 32, 37, 38, 39, 40, 46, 70, 115})
        EXPECT_EQ(KeyCodes::virtualKey(KeyCodes::qtKey(vk)), vk) << vk;
}

TEST(KeyCodes, ShiftStateAndTypedCharacters)
{
    EXPECT_EQ(KeyCodes::shiftState(Qt::NoModifier), 0);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(KeyCodes::shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier
                                   | Qt::KeypadModifier),
              7);
    struct Row {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        int ascii;
    } rows[] = {
        {Qt::Key_M, Qt::NoModifier, "m", 'm'},
        {Qt::Key_M, Qt::ShiftModifier, "M", 'M'},
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {Qt::Key_Enter, Qt::KeypadModifier, "", 13},
        {Qt::Key_Escape, Qt::NoModifier, "", 27},
        {Qt::Key_Backspace, Qt::NoModifier, "", 8},
        {Qt::Key_Adiaeresis, Qt::NoModifier, QStringLiteral("ä"), 228},
        {Qt::Key_M, Qt::AltModifier, "m", 0},                         // menu key: types nothing
        {Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, "@", '@'}, // AltGr on Windows
        {Qt::Key_E, Qt::NoModifier, QStringLiteral("€"), 0},
        {Qt::Key_F1, Qt::NoModifier, "", 0},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 0},
    };
    for (const Row& r : rows) {
        QKeyEvent e(QEvent::KeyPress, r.key, r.mods, r.text);
        EXPECT_EQ(KeyCodes::keyAscii(e), r.ascii) << std::hex << r.key;
    }
}

struct KeyCase {
    const char* label;
    KeyControl control;
    int focus;
    int key;
    Qt::KeyboardModifiers mods;
    QString text;
    QStringList expected;
    bool consumed;
};

const auto N = Qt::NoModifier;
const auto A = Qt::AltModifier;
const auto C = Qt::ControlModifier;

const KeyCase kKeys[] = {
    {"Alt+F4 with no game only beeps", KeyControl::CompleteList, 3, Qt::Key_F4, A, "", {"beep"}, true},
    {"Ctrl+Alt+F4 is no Alt+F4", KeyControl::CompleteList, 3, Qt::Key_F4, C | A, "", {}, false},
    {"Ctrl+F jumps to the search box", KeyControl::CompleteList, 3, Qt::Key_F, C, "\x06",
     {"focusSearchBox"}, true},
    {"Ctrl+Alt+F is no Ctrl+F", KeyControl::Other, 3, Qt::Key_F, C | A, "", {}, false},
    {"Ctrl+Shift+F is no Ctrl+F", KeyControl::Other, 3, Qt::Key_F, C | Qt::ShiftModifier, "", {}, false},
    {"Alt+Right widens", KeyControl::CompleteList, 3, Qt::Key_Right, A, "", {"resizeByTwips(200,0)"}, true},
    {"Alt+Left narrows", KeyControl::CompleteList, 3, Qt::Key_Left, A, "", {"resizeByTwips(-200,0)"}, true},
    {"Alt+Up lowers", KeyControl::CompleteList, 3, Qt::Key_Up, A, "", {"resizeByTwips(0,-200)"}, true},
    {"Alt+Down heightens", KeyControl::CompleteList, 3, Qt::Key_Down, A, "", {"resizeByTwips(0,200)"}, true},
    {"Alt+other key is left alone", KeyControl::CompleteList, 3, Qt::Key_X, A, "x", {}, false},
    {"Left switches the list", KeyControl::FavouritesList, 1, Qt::Key_Left, N, "", {"focusList(4)"}, true},
    {"Right switches the list", KeyControl::CompleteList, 3, Qt::Key_Right, N, "", {"focusList(4)"}, true},
    {"Shift+Right switches too", KeyControl::CompleteList, 3, Qt::Key_Right, Qt::ShiftModifier, "",
     {"focusList(4)"}, true},
    {"Right from an empty search box", KeyControl::SearchBox, 7, Qt::Key_Right, N, "",
     {"setFocusArea(1)", "focusList(2)"}, true},
    {"Up and Down belong to the list", KeyControl::CompleteList, 3, Qt::Key_Down, N, "", {}, false},
    {"Enter in the favourites starts", KeyControl::FavouritesList, 1, Qt::Key_Return, N, "\r",
     {"startSelectedGame(1)"}, true},
    {"Enter in the search results starts", KeyControl::SearchResultsList, 4, Qt::Key_Enter,
     Qt::KeypadModifier, "\r", {"startSelectedGame(4)"}, true},
    {"Enter in the complete list starts and re-applies the emulator", KeyControl::CompleteList, 3,
     Qt::Key_Return, N, "\r", {"startSelectedGame(3)", "SelectEmulator"}, true},
    {"Enter in the list without duplicates", KeyControl::WithoutDuplicatesList, 2, Qt::Key_Return, N,
     "\r", {"startSelectedGame(2)", "SelectEmulator"}, true},
    {"a letter in the complete list starts a search", KeyControl::CompleteList, 3, Qt::Key_M, N, "m",
     {"startSearchWith(m)"}, true},
    {"a capital in the list without duplicates", KeyControl::WithoutDuplicatesList, 2, Qt::Key_M,
     Qt::ShiftModifier, "M", {"startSearchWith(M)"}, true},
    {"a digit in the complete list is swallowed", KeyControl::CompleteList, 3, Qt::Key_5, N, "5", {},
     true},
    {"a letter in the favourites is the list's own", KeyControl::FavouritesList, 1, Qt::Key_M, N, "m",
     {}, false},
    {"Space applies the emulator", KeyControl::EmulatorBox, 5, Qt::Key_Space, N, " ",
     {"SelectEmulator"}, true},
    {"Enter in the long list applies it", KeyControl::EmulatorLongList, 10, Qt::Key_Return, N, "\r",
     {"SelectEmulator"}, true},
    {"a letter in the emulator box starts a search", KeyControl::EmulatorBox, 5, Qt::Key_X, N, "x",
     {"startSearchWith(x)"}, true},
    {"an umlaut in the emulator box is swallowed", KeyControl::EmulatorBox, 5, Qt::Key_Adiaeresis, N,
     QStringLiteral("ä"), {}, true},
    {"Escape leaves the emulator box", KeyControl::EmulatorBox, 5, Qt::Key_Escape, N, "\x1b",
     {"LeaveEmulatorBox"}, true},
    {"Escape leaves the long list without a quit question", KeyControl::EmulatorLongList, 10,
     Qt::Key_Escape, N, "\x1b", {"LeaveEmulatorBox"}, true},
    {"Backspace leaves the emulator box", KeyControl::EmulatorBox, 5, Qt::Key_Backspace, N, "\b",
     {"LeaveEmulatorBox"}, true},
    {"typing in the search box is the box's own", KeyControl::SearchBox, 7, Qt::Key_M, N, "m", {},
     false},
    {"Delete elsewhere is the control's own", KeyControl::CompleteList, 3, Qt::Key_Delete, N, "", {},
     false},
};

struct KeyRig : NavigatorRig {
    KeyRig() { AppEnvironment::setOverrides({}, QStringLiteral("arvex")); }
    bool press(KeyControl control, int key, Qt::KeyboardModifiers mods, const QString& text)
    {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        return keyboard.handleKeyPress(e, control);
    }
    Keyboard keyboard{host, *nav};
};

TEST(Keyboard, BindingsOfTheWindowAndItsControls)
{
    for (const KeyCase& c : kKeys) {
        KeyRig rig;
        rig.host.focusArea = c.focus;
        const bool consumed = rig.press(c.control, c.key, c.mods, c.text);
        EXPECT_EQ(rig.host.actions, c.expected) << c.label;
        EXPECT_EQ(consumed, c.consumed) << c.label;
        EXPECT_EQ(rig.prompt.count(), 0) << c.label;
    }
}

TEST(Keyboard, AltF4EndsARunningGameAndNeverClosesTheWindow)
{
    KeyRig rig;
    rig.host.gameIndicator = true;
    int code = KeyCodes::kF4;
    EXPECT_TRUE(rig.keyboard.Form_KeyDown(code, KeyCodes::kAltBit));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(rig.host.take(), (QStringList{"killRunningGame", "beep"}));
}

TEST(Keyboard, AltArrowsDoNothingWhileMaximised)
{
    KeyRig rig;
    rig.host.maximized = true;
    rig.host.normal = false;
    rig.host.focusArea = Focus::Complete;
    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down})
        EXPECT_TRUE(rig.press(KeyControl::CompleteList, key, A, ""));
    EXPECT_EQ(rig.host.take(), QStringList{});
}

TEST(Keyboard, ArrowsMoveTheCursorWhileTheSearchBoxHoldsText)
{
    KeyRig rig;
    rig.host.focusArea = Focus::SearchBox;
    rig.host.search = QStringLiteral("mario");
    EXPECT_FALSE(rig.press(KeyControl::SearchBox, Qt::Key_Left, N, ""));
    EXPECT_FALSE(rig.press(KeyControl::SearchBox, Qt::Key_Right, N, ""));
    EXPECT_EQ(rig.host.take(), QStringList{});
}

TEST(Keyboard, EscapeAsksWhetherToQuitInTheInterfaceLanguage)
{
    struct Row {
        int language;
        PromptAnswer answer;
        KeyControl control;
        int focus;
        const char* title;
        const char* text;
        QStringList expected;
    } rows[] = {
        {kLanguageEnglish, PromptAnswer::Ok, KeyControl::CompleteList, 3, "Exit arvex?", "Quit arvex now?",
         {"ExitBtn_Click"}},
        {kLanguageEnglish, PromptAnswer::Cancel, KeyControl::SearchBox, 7, "Exit arvex?",
         "Quit arvex now?", {}},
        {kLanguageGerman, PromptAnswer::Ok, KeyControl::FavouritesList, 1, "arvex beenden?",
         "arvex jetzt wirklich beenden?", {"ExitBtn_Click"}},
    };
    for (const Row& r : rows) {
        KeyRig rig;
        setCurrentLanguage(r.language);
        rig.host.focusArea = r.focus;
        rig.prompt.queue(r.answer);
        EXPECT_TRUE(rig.press(r.control, Qt::Key_Escape, N, "\x1b"));
        ASSERT_EQ(rig.prompt.count(), 1);
        EXPECT_EQ(rig.prompt.lastTitle(), r.title);
        EXPECT_EQ(rig.prompt.lastText(), r.text);
        EXPECT_EQ(rig.prompt.asked()[0].buttons, PromptButtons::OkCancel);
        EXPECT_EQ(rig.prompt.asked()[0].icon, PromptIcon::Question);
        EXPECT_EQ(rig.host.actions, r.expected);
    }
    setCurrentLanguage(kLanguageEnglish);
}

TEST(Keyboard, DeleteInTheFavouritesAsksBeforeRemoving)
{
    struct Row {
        int language;
        bool buttonVisible;
        int index;
        PromptAnswer answer;
        int asked;
        QStringList expected;
    } rows[] = {
        {kLanguageEnglish, true, 5, PromptAnswer::Yes, 1, {"removeFavouriteClick"}},
        {kLanguageGerman, true, 5, PromptAnswer::No, 1, {}},
        {kLanguageEnglish, false, 5, PromptAnswer::Yes, 0, {}},
        {kLanguageEnglish, true, -1, PromptAnswer::Yes, 0, {}},
    };
    for (const Row& r : rows) {
        KeyRig rig;
        setCurrentLanguage(r.language);
        rig.host.removeFavVisible = r.buttonVisible;
        rig.host.indexes[1] = r.index;
        rig.prompt.queue(r.answer);
        rig.press(KeyControl::FavouritesList, Qt::Key_Delete, N, "\x7f");
        ASSERT_EQ(rig.prompt.count(), r.asked);
        EXPECT_EQ(rig.host.actions, r.expected);
        if (r.asked == 0)
            continue;
        const QString phrase = r.language == kLanguageGerman ? QStringLiteral("Aus Favoriten entfernen")
                                                             : QStringLiteral("Remove from Favorite-List");
        EXPECT_EQ(rig.prompt.lastTitle(), phrase + "?");
        EXPECT_EQ(rig.prompt.lastText(), phrase + ":\r\rEntry 5 of 1");
        EXPECT_EQ(rig.prompt.asked()[0].buttons, PromptButtons::YesNo);
    }
    setCurrentLanguage(kLanguageEnglish);
}

} // namespace
