#pragma once
// KeyCodes: Qt keys mapped onto Windows virtual-key codes, in one table, so
// that the launcher's key rules can be written with the codes and shift
// bits they are known by (Left 37, Escape 27, Alt+F4 = 115 with shift 4).
// Pure functions; any thread.
#include <Qt>

class QKeyEvent;

namespace KeyCodes {

// Virtual-key codes used by the key rules.
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kDelete = 46;
constexpr int kF = 70;
constexpr int kF4 = 115;

// Shift-state bits.
constexpr int kShiftBit = 1;
constexpr int kCtrlBit = 2;
constexpr int kAltBit = 4;

// The virtual-key code of a Qt key; keys of the numeric keypad (with
// Qt::KeypadModifier) get the keypad codes 96 .. 111. 0 for keys without one.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The Qt key of a virtual-key code (the main keyboard's key); 0 when none.
int qtKey(int virtualKeyCode);
// Shift-state bits of the modifiers: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);

// The virtual-key code of a key event.
int virtualKey(const QKeyEvent& event);
// The character code the key types (Enter 13, Escape 27, Backspace 8, a
// letter its code, ...); 0 for keys that type nothing, for characters
// beyond 255, and for Alt combinations (menu keys type nothing).
int keyAscii(const QKeyEvent& event);

} // namespace KeyCodes
