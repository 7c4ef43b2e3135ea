#pragma once
// PathLookup: the look-ups of favourites against the game paths (`UAE_FULL`),
// answered from indexes built once instead of reading every path per
// look-up. Each gives exactly the index the plain scan of GameList gives:
//  - exact(path): the first path equal to `path` (QStringList::indexOf);
//  - containing(text): the first path containing `text`, case-sensitive
//    (GameList::FindInFullList, without its title text and event runs);
//  - withFileName(name): the first path whose file name is `name`
//    (GameList::FindFileName);
//  - locate(path): the favourite look-up order of Favorites::locate.
// The paths are shared (not copied) and must not change while it is used.
// Plain logic; one thread at a time.
#include "library/TextIndex.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class PathLookup {
public:
    explicit PathLookup(const QStringList& paths);

    int exact(const QString& path) const;
    int containing(const QString& text);
    int withFileName(const QString& fileName) const;
    int locate(const QString& fullPath);

private:
    // A text holding "/" ends in a name that, in any path containing it,
    // starts right after a "/": the paths are indexed by the kKeyUnits units
    // after each of their "/", so such a text reads only the paths with its
    // name's start there (built on first need).
    static constexpr int kKeyUnits = 8;
    void buildAfterSlash();
    int containingPath(const QString& text, qsizetype nameStart);

    QStringList m_paths;
    bool m_afterSlashBuilt = false;
    int m_bits = 4;
    std::vector<quint32> m_bucketStart;
    std::vector<int> m_bucketIds;
    QHash<QString, int> m_firstOfPath;
    QHash<QString, int> m_firstOfFileName;
    ConstTextIndex m_text;
};
