#pragma once
// GameList: the game lists of the selected emulator and how they are built.
//  - `UAE_FULL`: absolute paths, in list collation order;
//  - `UAE_Short`: the display name of each path (same index), the complete list;
//  - `WIthoutDoubles`: the simple list, runs of equal neighbouring names merged.
// RebuildList is the logic of the rebuild button (`LoadBtn_Click`): scan the
// game folder per pattern of `Dir_Parameter`, derive display names, apply
// `AliasList.txt`, write the list cache and `RomCount`. LoadGameListFromCache
// reads the cache back when an emulator is selected.
//
// The main window owns one GameList, implements LibraryHost for it, and after
// every load or rebuild shows the three lists (GameListModel::setNames) and
// the captions of UpdateListCaptions. Long work lets window events run
// through the host, so the window must keep the rebuild button and the
// emulator selector disabled while it runs (the host is told when).
// UI thread only.
#include "library/FileScanRecursive.h"
#include "library/GamePaths.h"
#include "library/LibraryHost.h"

#include <QList>
#include <QString>
#include <QStringList>

class GameList {
public:
    explicit GameList(LibraryHost& host);

    const GamePaths& UAE_FULL() const { return m_full; }
    const QStringList& UAE_Short() const { return m_short; }
    const QStringList& WIthoutDoubles() const { return m_simple; }
    int count() const { return int(m_full.size()); }

    // Replaces both lists (sizes are evened out) and rebuilds the simple list.
    void setLists(const GamePaths& fullPaths, const QStringList& shortNames);
    void clear();

    // The scanner the rebuild uses; BreakScan on it stops a running scan.
    FileScanRecursive& scanner() { return m_scanner; }

    struct RebuildInput {
        QString gameFolder;    // text of the game-folder field (`TxtRomPath`)
        QString settingsFile;  // the emulator's settings file (Dir_Parameter, RomCount)
        QString profileFolder; // the emulator's profile folder (holds AliasList.txt)
        QString cacheFile;     // the list cache to write
    };
    // Returns the number of games found (also written as RomCount, only when
    // the list cache was written; a failed write is reported to the user).
    int RebuildList(const RebuildInput& input);

    enum class CacheLoad { Loaded, Missing, Corrupt };
    // Missing: nothing changes (the lists keep what they held). Corrupt: the
    // file held NUL bytes (binary data, or a cache written before NUL was
    // escaped); every pair was loaded, a NUL being a character.
    CacheLoad LoadGameListFromCache(const QString& cacheFile);
    bool SaveListCache(const QString& cacheFile) const;
    // How often window events run while the list cache is written (each
    // run can repaint the window, so not for every few hundred games).
    void setSaveEventIntervalMs(int ms) { m_saveEventIntervalMs = ms; }

    // Renames complete-list entries from an alias file ("search;display name").
    void ApplyAliasList(const QString& aliasFile);
    void BuildSimpleList();

    // Index of the first path containing `text` (case-sensitive), -1 when none
    // or when `text` is empty. Shows " Suche ..." while it runs.
    int FindInFullList(const QString& text) const;
    // Index of the first path whose file name is exactly `fileName`, -1 when none.
    int FindFileName(const QString& fileName) const;
    // The complete-list index a simple-list entry stands for, -1 when out of range.
    int completeIndexOfSimple(int simpleIndex) const;

    // `Dir_Parameter` split at ",", each pattern trimmed (empty ones stay).
    static QStringList splitPatterns(const QString& dirParameter);
    // The display name of a game list entry.
    static QString displayName(const QString& fullPath);

private:
    LibraryHost& m_host;
    FileScanRecursive m_scanner;
    GamePaths m_full;
    QStringList m_short;
    QStringList m_simple;
    QList<int> m_simpleToComplete;
    int m_saveEventIntervalMs = 50;
};

// The tab captions after a load, by interface language.
struct ListCaptions {
    QString complete;   // Label3
    QString simple;     // Label2
    QString favourites; // Label1
};
ListCaptions UpdateListCaptions(int completeCount, int simpleCount, int favouritesCount);

// The tab labels as the window starts.
QString CompleteTabLabel();   // Label3 "Komplette Liste"
QString SimpleTabLabel();     // Label2 "Ohne Dubletten"
QString FavouritesTabLabel(); // Label1 "Favoriten"
QString SearchTabLabel();     // Label4 "Suchergebnisse"
