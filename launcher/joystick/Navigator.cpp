#include "joystick/Navigator.h"

#include "config/Ini.h"
#include "config/Language.h"
#include "services/Prompt.h"

#include <QCoreApplication>

namespace {

const QString kSettings = QStringLiteral("Settings");

bool isGameList(int focusArea)
{
    return focusArea >= Focus::Favourites && focusArea <= Focus::SearchResults;
}

} // namespace

Navigator::Navigator(NavigationHost& host, Joystick& pads, QObject* parent)
    : QObject(parent), m_host(host), m_pads(pads)
{
    for (int k = 0; k < kSlots; ++k)
        m_ButtonMap[size_t(k)] = qint16(k);
    m_timer.setInterval(kTimerInterval);
    // A press must act within one period; a coarse timer may run up to 5% late.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Navigator::JoystickTimer_Timer);
}

Navigator::~Navigator()
{
    m_timer.stop();
    if (m_pads.owner() == this)
        m_pads.ReleaseJoysticks();
}

void Navigator::LoadJoystickSettings(const QString& globalSettingsFile)
{
    m_globalFile = globalSettingsFile;
    for (int n = 1; n <= kSlots; ++n) {
        m_ButtonMap[size_t(n - 1)] = toInt16(ReadIniValue(
            kSettings, QStringLiteral("Button%1").arg(n), m_globalFile, QString::number(n - 1), true));
    }
    m_ExitButtonSlot = toInt16(
        ReadIniValue(kSettings, QStringLiteral("UseJoystickExitbutton"), m_globalFile, "0", true));
    const qint16 use =
        toInt16(ReadIniValue(kSettings, QStringLiteral("UseJoystick"), m_globalFile, "1", true));
    // JoystickEnable asks the "no pads" question itself; it is asked once.
    JoystickEnable(use > 0);
}

void Navigator::JoystickEnable(bool bEnable)
{
    if (!bEnable) {
        m_host.setJoystickIconVisible(false);
        if (m_timer.isActive()) {
            m_pads.ReleaseJoysticks();
            m_timer.stop();
        }
        return;
    }
    if (m_timer.isActive())
        return;

    m_pads.ReleaseJoysticks();
    m_pads.InitJoysticks(this, kThreshold);
    const qint16 count = m_pads.GetJoystickCount();
    if (count < 1) {
        // Nothing to read: give the devices back at once.
        m_pads.ReleaseJoysticks();
        const QString text =
            Msg(QStringLiteral("Es wurden keine Joysticks oder Gampads gefunden!\r\r"
                               "Soll die Joystick-Bedienung den Optionen ausgeschaltet werden?"),
                QStringLiteral("No Joysticks or Gampads found!\r\r"
                               "Do you want to disable the Joystick-Navigation? "));
        const PromptAnswer answer = prompt().ask(QStringLiteral("Joysticks / Gamepads = 0)"), text,
                                                 PromptButtons::YesNo, PromptIcon::Information);
        if (answer == PromptAnswer::Yes && !m_globalFile.isEmpty())
            WriteIniValue(kSettings, QStringLiteral("UseJoystick"), QStringLiteral("0"), m_globalFile,
                          true);
        return;
    }
    m_host.setCaptionLabel(QStringLiteral("Joysticks: %1").arg(count));
    m_timer.start();
    m_host.setJoystickIconVisible(true);
}

void Navigator::JoystickTimer_Timer()
{
    // During a game only an exit button has anything to do.
    if (m_GameRunning && m_ExitButtonSlot <= 0)
        return;
    m_pads.PollJoysticks();
}

void Navigator::JoystickIcon_Click()
{
    m_host.setJoystickIconVisible(false);
    JoystickEnable(false);
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    JoystickEnable(true);
    SetJoystickButtonSetupModus(false);
    m_host.setJoystickIconVisible(true);
    m_host.beep();
}

// --- pad events ---

void Navigator::directionFromPad(int KeyValue)
{
    // The emulator has the pad while a game runs.
    if (m_GameRunning)
        return;
    JoystickDirection(KeyValue);
}

void Navigator::Joystick_Right(int, int, int)
{
    directionFromPad(kRight);
}

void Navigator::Joystick_Left(int, int, int)
{
    directionFromPad(kLeft);
}

void Navigator::Joystick_Down(int, int, int)
{
    directionFromPad(kDown);
}

void Navigator::Joystick_UP(int, int, int)
{
    directionFromPad(kUp);
}

void Navigator::Joystick_Button(int, int ButtonNr)
{
    JoystickButtonClick(ButtonNr);
}

// --- directions ---

void Navigator::moveInList(GameList list, int delta)
{
    const int index = m_host.listIndex(list);
    if (delta < 0) {
        if (index > 0)
            m_host.setListIndex(list, index - 1);
    } else if (index + 1 <= m_host.listCount(list) - 1) {
        m_host.setListIndex(list, index + 1);
    }
}

void Navigator::JoystickDirection(int KeyValue)
{
    int area = m_host.FocusArea();
    if (area < 0)
        return;
    if (m_host.isEmulatorListVisible())
        area = Focus::EmulatorBox;
    // The search box must not take the key while the lists switch.
    m_host.setSearchBoxEnabled(false);
    if (area > 6)
        area = Focus::Favourites;
    if (area != m_host.FocusArea())
        m_host.setFocusArea(area);

    switch (KeyValue) {
    case kLeft:
        switch (area) {
        case Focus::Favourites: m_host.focusList(GameList::SearchResults, false); break;
        case Focus::WithoutDuplicates: m_host.focusList(GameList::Favourites, true); break;
        case Focus::Complete: m_host.focusList(GameList::WithoutDuplicates, false); break;
        case Focus::SearchResults: m_host.focusList(GameList::Complete, false); break;
        default: break;
        }
        break;
    case kRight:
        switch (area) {
        case Focus::Favourites: m_host.focusList(GameList::WithoutDuplicates, false); break;
        case Focus::WithoutDuplicates: m_host.focusList(GameList::Complete, false); break;
        case Focus::Complete: m_host.focusList(GameList::SearchResults, false); break;
        case Focus::SearchResults: m_host.focusList(GameList::Favourites, true); break;
        default: break;
        }
        break;
    case kUp:
    case kDown:
        if (isGameList(area)) {
            moveInList(GameList(area), KeyValue == kUp ? -1 : 1);
        } else if (area == Focus::EmulatorBox) {
            m_host.setEmulatorBoxEnabled(true);
            const int index = m_host.emulatorIndex();
            if (KeyValue == kUp && index > 0) {
                m_host.setEmulatorIndexQuietly(index - 1);
                m_host.focusEmulatorBox();
            } else if (KeyValue == kDown && index < m_host.emulatorCount() - 1) {
                m_host.setEmulatorIndexQuietly(index + 1);
                m_host.emulatorBoxFocusHandling();
            }
            m_host.setFocusArea(Focus::EmulatorBox);
        }
        break;
    default:
        break;
    }

    m_host.clearEmulatorBoxTextSelection();
    m_host.setSearchBoxEnabled(true);
    m_host.setEmulatorBoxEnabled(true);
}

// --- buttons ---

void Navigator::JoystickButtonClick(int Pressed_Button)
{
    if (m_ButtonSetupMode) {
        emit buttonForSetup(Pressed_Button);
        return;
    }
    int slot = -1;
    for (int k = 0; k < kSlots; ++k) {
        if (m_ButtonMap[size_t(k)] == Pressed_Button) {
            slot = k;
            break;
        }
    }
    // A button without a function does nothing.
    if (slot < 0)
        return;
    if (m_GameRunning) {
        // While a game runs only the exit button acts.
        if (slot == m_ExitButtonSlot)
            m_host.killRunningGame();
        return;
    }
    runSlot(slot);
}

void Navigator::runSlot(int slot)
{
    switch (slot) {
    case SlotQuit: m_host.ExitBtn_Click(); break;
    case SlotSelect: selectFunction(); break;
    case SlotStart: startFunction(); break;
    case SlotSwitchEmulator: switchEmulatorFunction(); break;
    case SlotWindowFullScreen: m_host.setMaximized(!m_host.isMaximized()); break;
    case SlotScrollDown10: scroll(10, true); break;
    case SlotScrollUp10: scroll(10, false); break;
    case SlotScrollDown100: scroll(100, true); break;
    case SlotScrollUp100: scroll(100, false); break;
    case SlotJumpToTop: jumpToEnd(true); break;
    case SlotJumpToEnd: jumpToEnd(false); break;
    case SlotAddFavourite:
        if (m_host.addFavouriteVisible())
            m_host.addFavouriteClick();
        break;
    default: break;
    }
}

void Navigator::selectFunction()
{
    const int area = m_host.FocusArea();
    switch (area) {
    case Focus::Favourites:
    case Focus::WithoutDuplicates:
    case Focus::SearchResults: m_host.listClick(GameList(area)); break;
    case Focus::Complete: m_host.toggleCompleteListMark(); break;
    case Focus::EmulatorBox:
        m_host.emulatorBoxClick();
        m_host.setFocusArea(Focus::EmulatorBox);
        m_host.focusEmulatorBox();
        break;
    default: break;
    }
}

void Navigator::startFunction()
{
    const int area = m_host.FocusArea();
    if (isGameList(area)) {
        // Set before the launch so that the pad, still held, is not read
        // again while the launch lets window events run.
        m_GameRunning = true;
        const bool started = m_host.startSelectedGame(GameList(area));
        m_host.setFocusArea(area);
        // Nothing started: nothing will ever end, so polling must go on.
        if (!started)
            m_GameRunning = false;
    } else if (area == Focus::EmulatorBox) {
        m_GameRunning = false;
        m_host.SelectEmulator();
    }
}

void Navigator::switchEmulatorFunction()
{
    if (m_host.FocusArea() < Focus::EmulatorBox) {
        m_host.ShowEmulatorList(true);
        m_host.emulatorBoxFocusHandling();
        m_host.focusEmulatorBox();
    } else {
        m_host.LeaveEmulatorBox();
    }
}

void Navigator::scroll(int n, bool down)
{
    static constexpr GameList kScrolled[] = {GameList::WithoutDuplicates, GameList::Complete,
                                             GameList::Favourites};
    // Lists near their end (or start) go there first, the active one included.
    for (GameList list : kScrolled) {
        const int count = m_host.listCount(list);
        const int index = m_host.listIndex(list);
        if (count <= 0)
            continue;
        if (down && count - 1 < index + n && index != count - 1)
            m_host.setListIndex(list, count - 1);
        else if (!down && index < n && index != 0)
            m_host.setListIndex(list, 0);
    }
    const int area = m_host.FocusArea();
    if (area < Focus::Favourites || area > Focus::Complete)
        return;
    const GameList list = GameList(area);
    const int target = m_host.listIndex(list) + (down ? n : -n);
    if (target >= 0 && target <= m_host.listCount(list) - 1)
        m_host.setListIndex(list, target);
}

void Navigator::jumpToEnd(bool top)
{
    const int area = m_host.FocusArea();
    if (area < Focus::Favourites || area > Focus::Complete)
        return;
    const GameList list = GameList(area);
    const int count = m_host.listCount(list);
    if (count <= 0)
        return;
    const int target = top ? 0 : count - 1;
    if (m_host.listIndex(list) != target)
        m_host.setListIndex(list, target);
}
