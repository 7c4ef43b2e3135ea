#pragma once
// The library objects behind GameListsPanel: the selected emulator's game
// list, its favourites and the title text the library writes. Included by
// the panel's own sources only.
#include "library/Favorites.h"
#include "library/GameList.h"
#include "library/PreviewWarmer.h"
#include "ui/GameListsPanel.h"
#include "ui/TitleDisplay.h"

struct GameListsPanel::Library {
    Library(LibraryHost& host, MainWindow& window) : games(host), title(window) {}
    GameList games;
    Favorites favourites;
    // How the library's title text shows in the window.
    TitleDisplay title;
    // Reads the preview folders while the list loads (last member: its
    // worker is joined first).
    PreviewWarmer previewWarmer;
};
