#include "ui/ListButtonCaptions.h"

#include "config/Language.h"

ListButtonCaptions ListButtonCaptions::current()
{
    ListButtonCaptions c;
    c.rebuild = Msg(QStringLiteral("Liste Neu einlesen"), QStringLiteral("Rescan list"));
    c.addFavourite = Msg(QStringLiteral("+ Favorit"), QStringLiteral("+ Favorite"));
    c.addFavouriteTip = Msg(QStringLiteral("Zu den Favoriten hinzufügen"), QStringLiteral("Add to favorites"));
    c.removeFavourite = Msg(QStringLiteral("- Favorit"), QStringLiteral("- Favorite"));
    c.removeFavouriteTip = Msg(QStringLiteral("Aus Favoriten entfernen"), QStringLiteral("Remove from Favorite-List"));
    c.repairFavourites = Msg(QStringLiteral("Favoriten reparieren"), QStringLiteral("Repair favorites"));
    c.start = Msg(QStringLiteral("Starten"), QStringLiteral("Start"));
    c.fullScreen = Msg(QStringLiteral("Vollbild"), QStringLiteral("Full screen"));
    return c;
}
