#pragma once
// The library objects behind GameListsPanel: the selected emulator's game
// list and its favourites. Included by the panel's own sources only.
#include "library/Favorites.h"
#include "library/GameList.h"
#include "ui/GameListsPanel.h"

struct GameListsPanel::Library {
    explicit Library(LibraryHost& host) : games(host) {}
    GameList games;
    Favorites favourites;
};
