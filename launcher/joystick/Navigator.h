#pragma once
// Navigator: the main window's joystick navigation. It switches navigation
// on and off, polls the pads every 140 ms, turns stick directions into list
// switching and selection moves, and runs the twelve assignable button
// functions. It acts on the window only through NavigationHost.
//
// What the main window does with it:
//  - construct one Navigator(host) (it owns `JoystickTimer`, 140 ms; the
//    window starts no timer of its own);
//  - in LoadSettings: LoadJoystickSettings(global settings file); this reads
//    `Button`1..12, `UseJoystickExitbutton` and `UseJoystick` and switches
//    navigation on or off (asking once when no pad is found);
//  - the launch sequence: setGameRunning(true) when a game was started, and
//    JoystickEnable(false) unless both `UseJoystickExitbutton` > 0 and
//    `UseJoystick` > 0; the running-game monitor: setGameRunning(false) when
//    the game has ended, then JoystickEnable(true) when `UseJoystick` > 0;
//  - the Left/Right arrow keys reach JoystickDirection through Keyboard;
//  - JoystickIcon click: JoystickIcon_Click(); double click: SetToNormal,
//    SetJoystickButtons(...).exec(), SetToTop.
//
// While a game runs, polling continues only when an exit button is set up
// (`UseJoystickExitbutton` > 0): then the button of that function slot ends
// the game and every other input is ignored, so the emulator gets the pad
// undisturbed. Without an exit button the polls are skipped.
// UI thread only; handlers run inside the timer tick.
#include "joystick/Joystick.h"
#include "joystick/NavigationHost.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <array>

class Navigator : public QObject, public JoystickOwner {
    Q_OBJECT
public:
    static constexpr int kTimerInterval = 140; // ms
    static constexpr int kThreshold = 2;
    static constexpr int kSlots = 12;
    // Windows virtual-key codes of the arrows, as JoystickDirection takes them.
    static constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

    // Function slots (0-based), as stored under the keys Button1 .. Button12.
    enum Slot {
        SlotQuit = 0,
        SlotSelect,
        SlotStart,
        SlotSwitchEmulator,
        SlotWindowFullScreen,
        SlotScrollDown10,
        SlotScrollUp10,
        SlotScrollDown100,
        SlotScrollUp100,
        SlotJumpToTop,
        SlotJumpToEnd,
        SlotAddFavourite,
    };

    explicit Navigator(NavigationHost& host, Joystick& pads = joysticks(), QObject* parent = nullptr);
    ~Navigator() override;

    // The joystick steps of LoadSettings, reading the global settings file.
    void LoadJoystickSettings(const QString& globalSettingsFile);
    // The file that receives `UseJoystick` = "0" when the user switches
    // navigation off; set by LoadJoystickSettings.
    void setGlobalSettingsFile(const QString& file) { m_globalFile = file; }

    // On: (re)opens the pads, shows "Joysticks: n", starts the timer and
    // shows the icon; without pads it asks whether to switch navigation off.
    // Off: hides the icon, releases the pads, stops the timer.
    void JoystickEnable(bool bEnable);
    bool isEnabled() const { return m_timer.isActive(); }

    // One timer tick: polls the pads (see the header comment for games).
    void JoystickTimer_Timer();
    // One navigation step for an arrow key code (37 Left, 38 Up, 39 Right, 40 Down).
    void JoystickDirection(int KeyValue);
    // One button: runs the function of the slot holding `Pressed_Button`.
    void JoystickButtonClick(int Pressed_Button);
    // While on, buttons go to the assignment window (buttonForSetup).
    void SetJoystickButtonSetupModus(bool SetupButtons) { m_ButtonSetupMode = SetupButtons; }
    bool buttonSetupMode() const { return m_ButtonSetupMode; }

    void setGameRunning(bool running) { m_GameRunning = running; }
    bool gameRunning() const { return m_GameRunning; }

    // Re-finds the pads and records new rest positions; leaves setup mode.
    void JoystickIcon_Click();

    const std::array<qint16, kSlots + 1>& ButtonMap() const { return m_ButtonMap; }
    qint16 ExitButtonSlot() const { return m_ExitButtonSlot; }
    Joystick& pads() { return m_pads; }
    QTimer& JoystickTimer() { return m_timer; }

    // JoystickOwner: pad events.
    void Joystick_Right(int Value, int JoystickNr, int JoystickPanelNr) override;
    void Joystick_Left(int Value, int JoystickNr, int JoystickPanelNr) override;
    void Joystick_Down(int Value, int JoystickNr, int JoystickPanelNr) override;
    void Joystick_UP(int Value, int JoystickNr, int JoystickPanelNr) override;
    void Joystick_Button(int JoystickNr, int ButtonNr) override;
    QString statusCaption() const override { return m_host.statusCaption(); }
    void setStatusCaption(const QString& caption) override { m_host.setStatusCaption(caption); }
    void showStatusLabel() override { m_host.showStatusLabel(); }

signals:
    // A button pressed while the assignment window collects buttons.
    void buttonForSetup(int ButtonNr);

private:
    void runSlot(int slot);
    void selectFunction();
    void startFunction();
    void switchEmulatorFunction();
    void scroll(int n, bool down);
    void jumpToEnd(bool top);
    void moveInList(GameList list, int delta);
    void directionFromPad(int KeyValue);

    NavigationHost& m_host;
    Joystick& m_pads;
    QTimer m_timer;
    QString m_globalFile;
    std::array<qint16, kSlots + 1> m_ButtonMap{};
    qint16 m_ExitButtonSlot = 0;
    bool m_ButtonSetupMode = false;
    bool m_GameRunning = false;
};
