#include "ui/KeyCodes.h"

#include <QKeyEvent>

namespace KeyCodes {
namespace {

struct Entry {
    int qt;
    int vk;
};

// Letters, digits and F-keys follow from ranges below; this is everything else.
constexpr Entry kTable[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_AltGr, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Select, 41},
    {Qt::Key_Printer, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},
    {Qt::Key_Menu, 93},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation keys by their US-layout meaning.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    // The German layout's own keys, by their Windows codes on that layout.
    {Qt::Key_Udiaeresis, 186},
    {Qt::Key_Odiaeresis, 192},
    {Qt::Key_ssharp, 219},
    {Qt::Key_Adiaeresis, 222},
    {Qt::Key_NumberSign, 191},
    {Qt::Key_AsciiCircum, 220},
};

// Keypad keys (Qt::KeypadModifier set).
constexpr Entry kKeypad[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
    {Qt::Key_Enter, 13},     {Qt::Key_Return, 13},
};

} // namespace

int virtualKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return 96 + (key - Qt::Key_0);
        for (const Entry& e : kKeypad) {
            if (e.qt == key)
                return e.vk;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 65 + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 48 + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    for (const Entry& e : kTable) {
        if (e.qt == key)
            return e.vk;
    }
    return 0;
}

int qtKey(int vk)
{
    if (vk >= 65 && vk <= 90)
        return Qt::Key_A + (vk - 65);
    if (vk >= 48 && vk <= 57)
        return Qt::Key_0 + (vk - 48);
    if (vk >= 112 && vk <= 135)
        return Qt::Key_F1 + (vk - 112);
    if (vk >= 96 && vk <= 105)
        return Qt::Key_0 + (vk - 96);
    for (const Entry& e : kTable) {
        if (e.vk == vk)
            return e.qt;
    }
    for (const Entry& e : kKeypad) {
        if (e.vk == vk)
            return e.qt;
    }
    return 0;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= kShiftBit;
    if (modifiers & Qt::ControlModifier)
        shift |= kCtrlBit;
    if (modifiers & Qt::AltModifier)
        shift |= kAltBit;
    return shift;
}

int virtualKey(const QKeyEvent& event)
{
    return virtualKey(event.key(), event.modifiers());
}

int keyAscii(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier))
        return 0;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kReturn;
    case Qt::Key_Escape: return kEscape;
    case Qt::Key_Backspace: return kBack;
    case Qt::Key_Tab: return kTab;
    default: break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    if (c == 0 || c > 255 || c == 127)
        return 0;
    return int(c);
}

} // namespace KeyCodes
