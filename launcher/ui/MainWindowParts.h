#pragma once
// The collaborators the main window composes. Each owns one concern and is
// installed once at start-up (see main.cpp); the main window only calls them
// in the order its start-up, emulator selection and settings load require.
// A part that is not installed is skipped (headless tests of the window
// itself install only what they exercise). UI thread.
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

// The game-list area: the four lists with their tabs, search box, preview
// and title pictures, the drive panel and the status texts.
class GameListsPart {
public:
    virtual ~GameListsPart() = default;
    // The area's widget; the main window takes it over as its child.
    virtual QWidget* widget() = 0;
    // Reads the selected emulator's favourites file into the favourites list.
    virtual void LoadFavorites() = 0;
    // Empties the lists without duplicates, full names, complete list and favourites.
    virtual void clearLists() = 0;
    virtual void clearPictures() = 0;
    // Fills the lists from the emulator's list cache (or leaves them when there is none).
    virtual void loadGameList() = 0;
    // Rebuilds the list by scanning the game folder (the "Liste Neu einlesen" button).
    virtual void LoadBtn_Click() = 0;
    virtual void restoreListCacheView() = 0;
    virtual int favouritesCount() const = 0;
    // Gives the favourites (or, when empty, the list without duplicates) the
    // focus with its first entry selected.
    virtual void focusFirstEntry() = 0;
    // Hide-all / show-all of the list panels; the lists keep their contents
    // and the pictures beside them stay in view.
    virtual void setPanelsVisible(bool visible) = 0;
    // Where the list panels are, in widget() coordinates: the long emulator
    // list is laid over this area. An empty rectangle means the whole widget.
    virtual QRect listsArea() const = 0;
    virtual void relayout() = 0;
    // Settings load: font size, drive panel, colours, full-screen check box.
    virtual void applySettings() = 0;
    // Exit: the drive panel's position in twips, stored by the window.
    virtual QPoint drivePanelPosition() const = 0;
    // The game preview after the long emulator list closes.
    virtual void restoreGamePreview() = 0;
    // The emulator picture shown while the long emulator list is open.
    virtual void showEmulatorPicture(const QString& file) = 0;
    // Moves a typed letter into the search box and focuses it.
    virtual void startSearch(const QString& text) = 0;
    // The point size chosen in the font-size list, applied to the lists.
    virtual void setListFontSize(int points) = 0;
    // The drive panel's picture: the skin's, or the built-in one.
    virtual void setDrivePanelPicture(const QPixmap& picture) = 0;
};

// Pad navigation as the settings load switches it.
class PadNavigationPart {
public:
    virtual ~PadNavigationPart() = default;
    // Reads the button table and exit button, then switches navigation on or
    // off following `UseJoystick` (asking to switch it off when no pad is found).
    virtual void loadPadSettings() = 0;
};

// The launch side: running programs, the monitor, the display mode.
class LaunchPart {
public:
    virtual ~LaunchPart() = default;
    // Launches `gameFile` with the selected emulator (command-line mode).
    virtual void launchGame(const QString& gameFile) = 0;
    // Starts an emulator without a game and watches it like a launched game.
    virtual bool startProgram(const QString& executable) = 0;
    // Remembers the display mode and switches to 800 x 600.
    virtual void saveModeAndSwitch() = 0;
    // The loading screen's tick count until the next launch reads its own.
    virtual void setSplashCounter(int ticks) = 0;
};
