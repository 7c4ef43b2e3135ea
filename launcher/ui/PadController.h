#pragma once
// PadController: pad and keyboard navigation of the main window. It owns the
// Navigator (pads, 140 ms poll, button functions) and the Keyboard (window
// key rules) and gives both the window they act on: every NavigationHost
// call goes to the real main window, game-list panel or launch controller.
//
// Wiring (main.cpp): create it after the window, the panel and the launch
// controller, route LaunchController::Hooks::joystickNavigation to
// setJoystickNavigation, and install it with window.setPadNavigationPart()
// before Form_Load; LoadSettings then calls loadPadSettings().
//
// What it installs on construction:
//  - the window's key preview (keyPreview): window-wide hotkeys, Left/Right
//    list switching, Escape's quit question and typing letters in a game
//    list to search. Keys a control owns are left to it: Enter and Delete
//    in the game lists (the panel starts or removes), and the emulator box's
//    own keys (the window applies or leaves it);
//  - the joystick icon: a single click re-finds the pads, a double click
//    opens the button assignment window;
//  - the running-game state: while the launcher watches a started game the
//    navigator is told a game runs, however it was started, so a pad with an
//    exit button only ends the game and moves nothing.
// UI thread only.
#include "joystick/Joystick.h"
#include "joystick/NavigationHost.h"
#include "joystick/Navigator.h"
#include "ui/Keyboard.h"
#include "ui/MainWindowParts.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class GameListsPanel;
class LaunchController;
class MainWindow;
class QKeyEvent;
class QListView;
class QWidget;

class PadController final : public QObject, public NavigationHost, public PadNavigationPart {
    Q_OBJECT
public:
    PadController(MainWindow& window, GameListsPanel& panel, LaunchController& launch,
                  Joystick& pads = joysticks(), QObject* parent = nullptr);
    ~PadController() override;

    Navigator& navigator() { return m_navigator; }
    Keyboard& keyboard() { return m_keyboard; }

    // PadNavigationPart: the joystick steps of LoadSettings (button table,
    // exit button, UseJoystick with the "no pads" question).
    void loadPadSettings() override;

    // The launch side switches navigation off for a game (the pads are given
    // to the emulator) and on again once the game has ended.
    void setJoystickNavigation(bool on);

    // The key preview: true when the key was used up.
    bool keyPreview(QKeyEvent* event, QWidget* focused);
    // Which control `focused` is, for the key rules.
    KeyControl controlOf(const QWidget* focused) const;

    // Joystick icon: a click re-finds the pads; a double click shows the
    // button assignment window (modal, owned by the main window).
    void JoystickIcon_Click();
    void JoystickIcon_DblClick();

    // --- NavigationHost ---
    int FocusArea() const override;
    void setFocusArea(int area) override;
    int listCount(GameList list) const override;
    int listIndex(GameList list) const override;
    void setListIndex(GameList list, int index) override;
    void focusList(GameList list, bool clearActiveFlag) override;
    void listClick(GameList list) override;
    bool startSelectedGame(GameList list) override;
    void toggleCompleteListMark() override;
    QString selectedEntryText(GameList list) const override;
    bool isEmulatorListVisible() const override;
    int emulatorCount() const override;
    int emulatorIndex() const override;
    void setEmulatorIndexQuietly(int index) override;
    void setEmulatorBoxEnabled(bool enabled) override;
    void clearEmulatorBoxTextSelection() override;
    void emulatorBoxFocusHandling() override;
    void focusEmulatorBox() override;
    void emulatorBoxClick() override;
    void ShowEmulatorList(bool open) override;
    void LeaveEmulatorBox() override;
    void SelectEmulator() override;
    void setSearchBoxEnabled(bool enabled) override;
    QString searchText() const override;
    void focusSearchBox() override;
    void startSearchWith(QChar letter) override;
    bool isMaximized() const override;
    void setMaximized(bool maximized) override;
    bool isNormalState() const override;
    void resizeByTwips(int dWidth, int dHeight) override;
    void ExitBtn_Click() override;
    void beep() override;
    bool addFavouriteVisible() const override;
    void addFavouriteClick() override;
    bool removeFavouriteVisible() const override;
    void removeFavouriteClick() override;
    bool runningGameIndicatorVisible() const override;
    void killRunningGame() override;
    void setJoystickIconVisible(bool visible) override;
    void setCaptionLabel(const QString& caption) override;
    QString statusCaption() const override;
    void setStatusCaption(const QString& caption) override;
    void showStatusLabel() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* view(GameList list) const;
    // Makes `row` the list's current entry so that its selection handling
    // runs, even when the row was current already.
    void selectAndHandle(QListView* view, int row);
    void pollTick();

    MainWindow& m_window;
    GameListsPanel& m_panel;
    LaunchController& m_launch;
    QPointer<MainWindow> m_windowAlive;
    Navigator m_navigator;
    Keyboard m_keyboard;
    // A single click on the icon waits this long for a second one.
    QTimer m_iconClickTimer;
    bool m_swallowIconRelease = false;
};
