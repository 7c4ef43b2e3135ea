#pragma once
// Favorites: the favourites of the selected emulator, kept in "Favoriten.ini"
// (section "Favoriten", keys "Fav<n>_Name" and "Fav<n>_FullPath", the path
// relative to the program folder). The favourites list (`FavoritenListe`)
// shows names(), in record order, so a list index is a record index.
//
// Every change (add, delete, rename, repair) rewrites the whole file
// atomically and reloads it, so no entry of an earlier, longer list stays
// readable and a failed write leaves the previous file intact. A file that
// exists but cannot be read is never overwritten (SaveFavorites refuses),
// so an unreadable disk does not cost the user their favourites.
//
// The window, after any call that changes the list, shows names() again,
// restores its selection where it can, and updates the tab captions
// (UpdateListCaptions). Messages go through prompt(); every change is one
// WriteFailures action, so a failed save is reported once. UI thread only.
#include <QList>
#include <QString>
#include <QStringList>

class GameList;

struct FavoriteRecord {
    QString Name;
    QString FullPath;
    int Index = -1; // complete-list index when the favourite was added
};

class Favorites {
public:
    static constexpr int kMaxIndex = 1000;

    void setFile(const QString& favouritesFile) { m_file = favouritesFile; }
    const QString& file() const { return m_file; }

    const QList<FavoriteRecord>& records() const { return m_records; }
    QStringList names() const;
    int count() const { return int(m_records.size()); }

    // Rebuilds the records from the file: a single empty index is skipped, two
    // in a row end the list (what follows is kept for the next save, not
    // listed). A missing file gives an empty list.
    void LoadFavorites();
    // Writes the records (underscores in names become blanks); an empty list
    // leaves a file with empty "Fav0_Name" and "Fav0_FullPath". False when
    // nothing was written.
    bool SaveFavorites();
    // Appends a record unless the name or the path is empty or the path is
    // already a favourite. True when appended (not yet saved).
    bool AddFavorite(const QString& Name, const QString& FullPath, int Index);
    // `AddToFavorit_Click`: adds complete-list entry `index`, saves and
    // reloads. Returns the status caption to show ("Neuer Favorit: " + name),
    // also when the game already is a favourite (then nothing is written);
    // empty when the entry has no name or the file could not be saved (the
    // user is told which file; the list shows the file's content again).
    QString AddToFavorit(const GameList& games, int index);
    // Removes favourite i, saves and reloads.
    bool DeleteFavorite(int i);
    // The Delete key: asks "Aus Favoriten entfernen: ..." first; No cancels.
    bool DeleteFavoriteAsked(int i);
    // Asks for a new display name for favourite i; a non-empty answer is saved at once.
    bool EditAliasName(int i);
    // Index of the first record whose path contains `text` (case-sensitive), -1 when none.
    int FindFavorite(const QString& text) const;
    // Checks every favourite against the game list: paths that moved are
    // repaired by file name, favourites whose game is gone are deleted; shows
    // the report, saves and reloads. Returns the report.
    QString RepairFavoriten(const GameList& games);

    // A click in the favourites list: the complete-list index of favourite i,
    // or -1 when its game is not in the list (then the user is asked whether
    // to repair, and the repair runs on Yes).
    int FavoritenListe_Click(int i, const GameList& games);
    // Where a favourite's path is in the game list: the exact path, a path
    // containing it, the same file name, a path containing the file name.
    static int locate(const GameList& games, const QString& fullPath);

private:
    QString m_file;
    QList<FavoriteRecord> m_records;
    // Entries of the file that lie beyond two gaps: not listed, kept on a save.
    QList<FavoriteRecord> m_unlisted;
    bool m_unreadable = false;
};
