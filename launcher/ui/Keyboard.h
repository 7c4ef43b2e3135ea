#pragma once
// Keyboard: the main window's key handling. The window sees every key
// before its controls (key preview) and hands each key press to
// handleKeyPress together with the control that has the focus; a true
// result means the key is used up and the control must not see it.
//
// Window-wide rules (key-down, in this order): Alt+F4 is swallowed (the
// window never closes by it) and ends the running game when one is shown
// as running, then beeps; Ctrl+F focuses the search box; in the normal
// window state Alt+arrows resize the window by 200 twips; Left/Right switch
// the lists (Navigator::JoystickDirection) unless the search box is being
// typed in. Key-press: Escape asks whether to quit (not in the emulator box).
// Control rules: Enter starts the selected game of a list; Delete in the
// favourites asks to remove the entry; letters typed in the complete list,
// the list without duplicates or the emulator box start a search; Enter or
// Space in the emulator box applies the emulator; Escape or Backspace leave
// it.
// Key codes are Windows virtual-key codes (KeyCodes), shift bits 1 Shift,
// 2 Ctrl, 4 Alt, compared as a whole (Ctrl+Alt+F is not Ctrl+F).
// UI thread only.
#include "joystick/NavigationHost.h"

class Navigator;
class QKeyEvent;

// The control that has the keyboard focus.
enum class KeyControl {
    Other,
    FavouritesList,
    WithoutDuplicatesList,
    CompleteList,
    SearchResultsList,
    EmulatorBox,
    EmulatorLongList,
    SearchBox,
};

class Keyboard {
public:
    static constexpr int kResizeStep = 200; // twips

    Keyboard(NavigationHost& host, Navigator& navigator);

    // The whole handling of one key press: window key-down, the focused
    // control's key-down, window key-press, the control's key-press.
    bool handleKeyPress(const QKeyEvent& event, KeyControl focused);

    // The single steps. A swallowed key has its code set to 0. Each returns
    // true when it acted on the key (the key is then used up).
    bool Form_KeyDown(int& KeyCode, int Shift);
    bool Form_KeyPress(int& KeyAscii);
    bool controlKeyDown(KeyControl control, int& KeyCode, int Shift);
    bool controlKeyPress(KeyControl control, int& KeyAscii);

private:
    bool emulatorBoxKeyPress(int& KeyAscii);

    NavigationHost& m_host;
    Navigator& m_navigator;
};
