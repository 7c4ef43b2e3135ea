#pragma once
// The captions and tool tips of the game-list area's buttons in the interface
// language, set by the game-list area on every settings load. UI thread.
//
// The English interface captions these buttons in English as well, the
// rebuild button ("Rescan list") among them: a German caption among English
// ones would leave an English-speaking user one button they cannot read,
// and every other text of the area follows the interface language.
#include <QString>

struct ListButtonCaptions {
    QString rebuild;          // LoadBtn
    QString addFavourite;     // AddToFavorit
    QString addFavouriteTip;
    QString removeFavourite;  // DeLFav
    QString removeFavouriteTip;
    QString repairFavourites; // FavoritenReparierenLabel
    QString start;            // StartBtn
    QString fullScreen;       // FullscreenCheck

    // The texts of the current interface language.
    static ListButtonCaptions current();
};
