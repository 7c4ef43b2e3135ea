// Key codes and the main window's key bindings, with synthesised key events.
#define ARVEX_NAVIGATOR_RIG
#include "FakeNavigationHost.h"

#include "config/AppEnvironment.h"
#include "ui/KeyCodes.h"
#include "ui/Keyboard.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

constexpr auto N = Qt::NoModifier, S = Qt::ShiftModifier, C = Qt::ControlModifier, A = Qt::AltModifier,
               K = Qt::KeypadModifier;

TEST(KeyCodes, QtKeysMapOntoWindowsCodesAndCharacters)
{
    const std::tuple<int, Qt::KeyboardModifiers, int> codes[] = {
        {Qt::Key_Z, N, 90},      {Qt::Key_0, N, 48},       {Qt::Key_F4, A, 115},  {Qt::Key_Enter, K, 13},
        {Qt::Key_Home, N, 36},   {Qt::Key_5, K, 101},      {Qt::Key_Minus, K, 109}, {Qt::Key_Minus, N, 189},
        {Qt::Key_Adiaeresis, N, 222}, {Qt::Key_VolumeUp, N, 0},
    };
    for (auto [key, mods, vk] : codes)
        EXPECT_EQ(KeyCodes::virtualKey(key, mods), vk) << std::hex << key;
    for (int vk : {8, 13, 27, 32, 37, 38, 39, 40, 46, 70, 115})
        EXPECT_EQ(KeyCodes::virtualKey(KeyCodes::qtKey(vk)), vk) << vk;
    EXPECT_EQ(KeyCodes::shiftState(S), 1);
    EXPECT_EQ(KeyCodes::shiftState(C | A | K), 6);
    const std::tuple<int, Qt::KeyboardModifiers, QString, int> chars[] = {
        {Qt::Key_M, S, "M", 'M'}, {Qt::Key_Enter, K, "", 13}, {Qt::Key_Adiaeresis, N, QStringLiteral("ä"), 228},
        {Qt::Key_M, A, "m", 0} /* menu key */, {Qt::Key_Q, C | A, "@", '@'} /* AltGr */,
        {Qt::Key_E, N, QStringLiteral("€"), 0}, {Qt::Key_Delete, N, "\x7f", 0},
    };
    for (const auto& [key, mods, text, ascii] : chars) {
        QKeyEvent e(QEvent::KeyPress, key, mods, text);
        EXPECT_EQ(KeyCodes::keyAscii(e), ascii) << std::hex << key;
    }
}

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
    using KC = KeyControl;
    enum { Normal, Maximised, Game, Typed };
    struct Row {
        KeyControl control;
        int focus, key;
        Qt::KeyboardModifiers mods;
        QString text;
        QStringList expected;
        bool consumed;
        int state = Normal;
    } rows[] = {
        {KC::CompleteList, 3, Qt::Key_F4, A, "", {"beep"}, true},
        {KC::CompleteList, 3, Qt::Key_F4, A, "", {"killRunningGame", "beep"}, true, Game},
        {KC::CompleteList, 3, Qt::Key_F4, C | A, "", {}, false},
        {KC::CompleteList, 3, Qt::Key_F, C, "\x06", {"focusSearchBox"}, true},
        {KC::Other, 3, Qt::Key_F, C | A, "", {}, false},
        {KC::Other, 3, Qt::Key_F, C | S, "", {}, false},
        {KC::CompleteList, 3, Qt::Key_Right, A, "", {"resize(200,0)"}, true},
        {KC::CompleteList, 3, Qt::Key_Left, A, "", {"resize(-200,0)"}, true},
        {KC::CompleteList, 3, Qt::Key_Up, A, "", {"resize(0,-200)"}, true},
        {KC::CompleteList, 3, Qt::Key_Down, A, "", {"resize(0,200)"}, true},
        {KC::CompleteList, 3, Qt::Key_Left, A, "", {}, true, Maximised},
        {KC::CompleteList, 3, Qt::Key_X, A, "x", {}, false},
        {KC::FavouritesList, 1, Qt::Key_Left, N, "", {"focusList(4)"}, true},
        {KC::CompleteList, 3, Qt::Key_Right, S, "", {"focusList(4)"}, true},
        {KC::SearchBox, 7, Qt::Key_Right, N, "", {"setFocusArea(1)", "focusList(2)"}, true},
        {KC::SearchBox, 7, Qt::Key_Left, N, "", {}, false, Typed}, // moves the text cursor
        {KC::CompleteList, 3, Qt::Key_Down, N, "", {}, false},     // the list's own
        {KC::FavouritesList, 1, Qt::Key_Return, N, "\r", {"startSelectedGame(1)"}, true},
        {KC::SearchResultsList, 4, Qt::Key_Enter, K, "\r", {"startSelectedGame(4)"}, true},
        {KC::CompleteList, 3, Qt::Key_Return, N, "\r", {"startSelectedGame(3)", "SelectEmulator"}, true},
        {KC::WithoutDuplicatesList, 2, Qt::Key_Return, N, "\r", {"startSelectedGame(2)", "SelectEmulator"}, true},
        {KC::CompleteList, 3, Qt::Key_M, N, "m", {"startSearchWith(m)"}, true},
        {KC::WithoutDuplicatesList, 2, Qt::Key_M, S, "M", {"startSearchWith(M)"}, true},
        {KC::CompleteList, 3, Qt::Key_5, N, "5", {}, true},
        {KC::FavouritesList, 1, Qt::Key_M, N, "m", {}, false},
        {KC::EmulatorBox, 5, Qt::Key_Space, N, " ", {"SelectEmulator"}, true},
        {KC::EmulatorLongList, 10, Qt::Key_Return, N, "\r", {"SelectEmulator"}, true},
        {KC::EmulatorBox, 5, Qt::Key_X, N, "x", {"startSearchWith(x)"}, true},
        {KC::EmulatorBox, 5, Qt::Key_Adiaeresis, N, QStringLiteral("ä"), {}, true},
        {KC::EmulatorBox, 5, Qt::Key_Escape, N, "\x1b", {"LeaveEmulatorBox"}, true},
        {KC::EmulatorLongList, 10, Qt::Key_Escape, N, "\x1b", {"LeaveEmulatorBox"}, true}, // no quit question
        {KC::EmulatorBox, 5, Qt::Key_Backspace, N, "\b", {"LeaveEmulatorBox"}, true},
        {KC::SearchBox, 7, Qt::Key_M, N, "m", {}, false},
        {KC::CompleteList, 3, Qt::Key_Delete, N, "", {}, false},
    };
    for (const Row& r : rows) {
        KeyRig rig;
        rig.host.focusArea = r.focus;
        rig.host.maximized = r.state == Maximised;
        rig.host.normal = r.state != Maximised;
        rig.host.gameIndicator = r.state == Game;
        rig.host.search = r.state == Typed ? "mario" : "";
        const bool consumed = rig.press(r.control, r.key, r.mods, r.text);
        const QString label = QStringLiteral("control %1 key %2").arg(int(r.control)).arg(r.key, 0, 16);
        EXPECT_EQ(rig.host.actions, r.expected) << label.toStdString();
        EXPECT_EQ(consumed, r.consumed) << label.toStdString();
        EXPECT_EQ(rig.prompt.count(), 0) << label.toStdString();
    }
}

TEST(Keyboard, QuitAndRemoveFavouriteQuestions)
{
    struct Row {
        int language;
        KeyControl control;
        int key;
        PromptAnswer answer;
        const char* title;
        const char* text;
        QStringList expected;
        PromptButtons buttons;
    } rows[] = {
        {kLanguageEnglish, KeyControl::CompleteList, Qt::Key_Escape, PromptAnswer::Ok, "Exit arvex?",
         "Quit arvex now?", {"ExitBtn_Click"}, PromptButtons::OkCancel},
        {kLanguageEnglish, KeyControl::SearchBox, Qt::Key_Escape, PromptAnswer::Cancel, "Exit arvex?",
         "Quit arvex now?", {}, PromptButtons::OkCancel},
        {kLanguageGerman, KeyControl::FavouritesList, Qt::Key_Escape, PromptAnswer::Ok, "arvex beenden?",
         "arvex jetzt wirklich beenden?", {"ExitBtn_Click"}, PromptButtons::OkCancel},
        {kLanguageEnglish, KeyControl::FavouritesList, Qt::Key_Delete, PromptAnswer::Yes,
         "Remove from Favorite-List?", "Remove from Favorite-List:\r\rEntry 5 of 1", {"removeFavouriteClick"},
         PromptButtons::YesNo},
        {kLanguageGerman, KeyControl::FavouritesList, Qt::Key_Delete, PromptAnswer::No,
         "Aus Favoriten entfernen?", "Aus Favoriten entfernen:\r\rEntry 5 of 1", {}, PromptButtons::YesNo},
    };
    for (const Row& r : rows) {
        KeyRig rig;
        setCurrentLanguage(r.language);
        rig.host.focusArea = int(r.control) == int(KeyControl::SearchBox) ? Focus::SearchBox : Focus::Complete;
        rig.prompt.queue(r.answer);
        EXPECT_TRUE(rig.press(r.control, r.key, N, r.key == Qt::Key_Escape ? "\x1b" : "\x7f"));
        ASSERT_EQ(rig.prompt.count(), 1);
        EXPECT_EQ(rig.prompt.lastTitle(), r.title);
        EXPECT_EQ(rig.prompt.lastText(), r.text);
        EXPECT_EQ(rig.prompt.asked()[0].buttons, r.buttons);
        EXPECT_EQ(rig.prompt.asked()[0].icon, PromptIcon::Question);
        EXPECT_EQ(rig.host.actions, r.expected);
    }
    setCurrentLanguage(kLanguageEnglish);
    // No question without the remove button or without a selected favourite.
    for (auto [visible, index] : {std::pair{false, 5}, std::pair{true, -1}}) {
        KeyRig rig;
        rig.host.removeFavVisible = visible;
        rig.host.indexes[1] = index;
        EXPECT_FALSE(rig.press(KeyControl::FavouritesList, Qt::Key_Delete, N, "\x7f"));
        EXPECT_EQ(rig.prompt.count(), 0);
    }
}

} // namespace
