#include "ui/Keyboard.h"

#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "joystick/Navigator.h"
#include "services/Prompt.h"
#include "ui/KeyCodes.h"

#include <QKeyEvent>

using namespace KeyCodes;

Keyboard::Keyboard(NavigationHost& host, Navigator& navigator) : m_host(host), m_navigator(navigator) {}

bool Keyboard::handleKeyPress(const QKeyEvent& event, KeyControl focused)
{
    int code = virtualKey(event);
    const int shift = shiftState(event.modifiers());
    if (code != 0) {
        if (Form_KeyDown(code, shift) || code == 0)
            return true;
        if (controlKeyDown(focused, code, shift) || code == 0)
            return true;
    }
    int ascii = keyAscii(event);
    if (ascii == 0)
        return false;
    if (Form_KeyPress(ascii) || ascii == 0)
        return true;
    return controlKeyPress(focused, ascii) || ascii == 0;
}

bool Keyboard::Form_KeyDown(int& KeyCode, int Shift)
{
    if (KeyCode == kF4 && Shift == kAltBit) {
        KeyCode = 0;
        if (m_host.runningGameIndicatorVisible())
            m_host.killRunningGame();
        m_host.beep();
        return true;
    }
    if (KeyCode == kF && Shift == kCtrlBit) {
        m_host.focusSearchBox();
        return true;
    }
    const bool arrow = KeyCode >= kLeft && KeyCode <= kDown;
    if (Shift == kAltBit) {
        // Alt+arrows size the window, and only in its normal state.
        if (!arrow)
            return false;
        if (m_host.isNormalState()) {
            switch (KeyCode) {
            case kRight: m_host.resizeByTwips(kResizeStep, 0); break;
            case kLeft: m_host.resizeByTwips(-kResizeStep, 0); break;
            case kUp: m_host.resizeByTwips(0, -kResizeStep); break;
            case kDown: m_host.resizeByTwips(0, kResizeStep); break;
            default: break;
            }
        }
        return true;
    }
    if (KeyCode == kLeft || KeyCode == kRight) {
        // While the search box holds text the arrows move its cursor.
        if (m_host.FocusArea() != Focus::SearchBox || m_host.searchText().isEmpty()) {
            m_navigator.JoystickDirection(KeyCode);
            return true;
        }
    }
    return false;
}

bool Keyboard::Form_KeyPress(int& KeyAscii)
{
    if (KeyAscii != kEscape || m_host.FocusArea() == Focus::EmulatorBox)
        return false;
    KeyAscii = 0;
    const QString exe = AppEnvironment::exeName();
    const QString title =
        Msg(exe + QStringLiteral(" beenden?"), QStringLiteral("Exit ") + exe + QStringLiteral("?"));
    const QString text = Msg(exe + QStringLiteral(" jetzt wirklich beenden?"),
                             QStringLiteral("Quit ") + exe + QStringLiteral(" now?"));
    if (prompt().ask(title, text, PromptButtons::OkCancel, PromptIcon::Question) == PromptAnswer::Ok)
        m_host.ExitBtn_Click();
    return true;
}

bool Keyboard::controlKeyDown(KeyControl control, int& KeyCode, int Shift)
{
    (void)Shift;
    switch (control) {
    case KeyControl::FavouritesList:
        if (KeyCode == kDelete && m_host.removeFavouriteVisible()
            && m_host.listIndex(GameList::Favourites) >= 0) {
            const QString phrase = Msg(QStringLiteral("Aus Favoriten entfernen"),
                                       QStringLiteral("Remove from Favorite-List"));
            const QString text = phrase + QStringLiteral(":\r\r")
                                 + m_host.selectedEntryText(GameList::Favourites);
            if (prompt().ask(phrase + QStringLiteral("?"), text, PromptButtons::YesNo,
                             PromptIcon::Question)
                != PromptAnswer::No)
                m_host.removeFavouriteClick();
            return true;
        }
        return false;
    case KeyControl::EmulatorBox:
    case KeyControl::EmulatorLongList:
        if (KeyCode == kEscape || KeyCode == kBack) {
            KeyCode = 0;
            m_host.LeaveEmulatorBox();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool Keyboard::emulatorBoxKeyPress(int& KeyAscii)
{
    const int c = KeyAscii;
    KeyAscii = 0; // every key press ends here
    if (c == kReturn || c == kSpace) {
        m_host.SelectEmulator();
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
        m_host.startSearchWith(QChar(c));
    }
    return true;
}

bool Keyboard::controlKeyPress(KeyControl control, int& KeyAscii)
{
    switch (control) {
    case KeyControl::FavouritesList:
    case KeyControl::SearchResultsList:
        if (KeyAscii == kReturn) {
            KeyAscii = 0;
            m_host.startSelectedGame(control == KeyControl::FavouritesList ? GameList::Favourites
                                                                            : GameList::SearchResults);
            return true;
        }
        return false;
    case KeyControl::CompleteList:
    case KeyControl::WithoutDuplicatesList:
        if (KeyAscii == kReturn) {
            m_host.startSelectedGame(control == KeyControl::CompleteList ? GameList::Complete
                                                                         : GameList::WithoutDuplicates);
        }
        // Enter goes on as well: it applies the emulator selection again.
        return emulatorBoxKeyPress(KeyAscii);
    case KeyControl::EmulatorBox:
    case KeyControl::EmulatorLongList: return emulatorBoxKeyPress(KeyAscii);
    default: return false;
    }
}
