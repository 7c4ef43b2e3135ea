#pragma once
// NavigationHost: what joystick and keyboard navigation need from the main
// window. The window implements every function by calling its own control
// handlers; Navigator (pads) and Keyboard (keys) decide what to call.
// UI thread only.
#include <QString>

// `FocusArea` codes: which panel has the user's attention.
namespace Focus {
constexpr int Favourites = 1;        // favourites list
constexpr int WithoutDuplicates = 2; // list without duplicates
constexpr int Complete = 3;          // complete game list
constexpr int SearchResults = 4;     // search results
constexpr int EmulatorBox = 5;       // emulator selection box
constexpr int SearchBox = 7;         // search text box
constexpr int OptionsButton = 8;     // options button
constexpr int EmulatorLongList = 10; // long emulator list
} // namespace Focus

// The four game lists, numbered like their FocusArea codes.
enum class GameList {
    Favourites = Focus::Favourites,
    WithoutDuplicates = Focus::WithoutDuplicates,
    Complete = Focus::Complete,
    SearchResults = Focus::SearchResults,
};

class NavigationHost {
public:
    virtual ~NavigationHost() = default;

    // --- selection state ---
    virtual int FocusArea() const = 0;
    virtual void setFocusArea(int area) = 0;

    // --- game lists ---
    virtual int listCount(GameList list) const = 0;
    // Selected index, -1 when nothing is selected.
    virtual int listIndex(GameList list) const = 0;
    // Selects `index` and runs the list's selection handling as a click would.
    virtual void setListIndex(GameList list, int index) = 0;
    // The list's focus handler (shows it, sets its colours and FocusArea),
    // then the keyboard focus. With `clearActiveFlag` its already-active
    // flag is cleared first so the handler does its whole work.
    virtual void focusList(GameList list, bool clearActiveFlag) = 0;
    // The list's click action.
    virtual void listClick(GameList list) = 0;
    // The list's double-click action: starts the selected game. Returns true
    // when a game was started (the running-game watch is armed), false when
    // nothing was started (empty list, missing emulator, ...).
    virtual bool startSelectedGame(GameList list) = 0;
    // Toggles the selection mark of the complete list's current entry.
    virtual void toggleCompleteListMark() = 0;
    // Text of the selected entry ("" when none).
    virtual QString selectedEntryText(GameList list) const = 0;

    // --- emulator box (combo) and long emulator list ---
    virtual bool isEmulatorListVisible() const = 0;
    virtual int emulatorCount() const = 0;
    virtual int emulatorIndex() const = 0;
    // Sets the combo's index with SuppressSelection set around the change
    // (nothing is reloaded); the combo's text becomes the new entry.
    virtual void setEmulatorIndexQuietly(int index) = 0;
    virtual void setEmulatorBoxEnabled(bool enabled) = 0;
    // Text selection length of the combo = 0.
    virtual void clearEmulatorBoxTextSelection() = 0;
    // EmuListbox_GotFocus: FocusArea 5, panels shown, long list opened.
    virtual void emulatorBoxFocusHandling() = 0;
    // Gives the combo the keyboard focus.
    virtual void focusEmulatorBox() = 0;
    // EmuListbox_Click.
    virtual void emulatorBoxClick() = 0;
    virtual void ShowEmulatorList(bool open) = 0;
    virtual void LeaveEmulatorBox() = 0;
    virtual void SelectEmulator() = 0;

    // --- search box ---
    virtual void setSearchBoxEnabled(bool enabled) = 0;
    virtual QString searchText() const = 0;
    virtual void focusSearchBox() = 0;
    // The search box's whole text becomes `letter`, it takes the focus with
    // the caret at the end, and the combo's text is reset to its entry.
    virtual void startSearchWith(QChar letter) = 0;

    // --- window ---
    virtual bool isMaximized() const = 0;
    // Maximised or back to the normal state.
    virtual void setMaximized(bool maximized) = 0;
    // Neither minimised nor maximised.
    virtual bool isNormalState() const = 0;
    // Changes width and height by the given twips (15 per pixel).
    virtual void resizeByTwips(int dWidth, int dHeight) = 0;
    // The exit command: saves the placement and ends the program, no question.
    virtual void ExitBtn_Click() = 0;
    virtual void beep() = 0;

    // --- favourites buttons ---
    virtual bool addFavouriteVisible() const = 0;
    virtual void addFavouriteClick() = 0;
    virtual bool removeFavouriteVisible() const = 0;
    virtual void removeFavouriteClick() = 0;

    // --- running game ---
    virtual bool runningGameIndicatorVisible() const = 0;
    // Ends the running game as a click on the running-game indicator does.
    virtual void killRunningGame() = 0;

    // --- what navigation shows ---
    virtual void setJoystickIconVisible(bool visible) = 0;
    // MyCaptionLabel's caption.
    virtual void setCaptionLabel(const QString& caption) = 0;
    // The small status label (Current_LoadingSmallBtn).
    virtual QString statusCaption() const = 0;
    virtual void setStatusCaption(const QString& caption) = 0;
    virtual void showStatusLabel() = 0;
};
