// Library work over collections of every shape, each figure printed beside
// its baseline from the same run (a plain program, no display):
//  - the alias list: 30,000 rows over 30,000 games (arcade-style names), in
//    file order, with 5 % of the rows missing, and in reverse order; beside
//    the plain rule (every row reads the names from its start index) and
//    beside reading and splitting the alias file;
//  - the preview look-up of a selection (ShowPreview) in one flat folder of
//    30,000 games and in 1,500 folders, the first look-up (which reads the
//    folder) and then the median of 300 selections; beside reading the game
//    folder once;
//  - the favourites repair of 1,000 moved favourites at 30,000 games, beside
//    the plain look-ups of each favourite (a full scan of the paths each).
//   bench_library_shapes [alias|preview|repair]...   (all when none is named)
#include "BenchTrees.h"

#include "config/AppEnvironment.h"
#include "library/AliasList.h"
#include "library/Favorites.h"
#include "library/FileNames.h"
#include "library/FolderIndex.h"
#include "library/GameList.h"
#include "library/PathLookup.h"
#include "library/PreviewPictures.h"
#include "config/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <vector>

namespace {

constexpr int kGames = 30000;

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The plain rule, as a baseline.
void plainAliases(QStringList& names, const QList<AliasList::Row>& rows)
{
    qsizetype start = 0;
    for (const AliasList::Row& row : rows) {
        qsizetype found = -1;
        for (qsizetype j = qMax<qsizetype>(start, 0); j < names.size(); ++j)
            if (names.at(j).contains(row.search, Qt::CaseInsensitive)) {
                found = j;
                break;
            }
        if (found >= 0) {
            names[found] = row.name;
            start = found + 1;
        } else {
            start = -1;
        }
    }
}

void aliasBench()
{
    // Arcade set names: six letters and digits, sorted as the list is.
    QRandomGenerator rng(17);
    QSet<QString> seen;
    QStringList names;
    const char* chars = "abcdefghijklmnopqrstuvwxyz0123456789";
    while (names.size() < kGames) {
        QString n;
        for (int i = 0; i < 6; ++i)
            n += QLatin1Char(chars[rng.bounded(36)]);
        if (!seen.contains(n)) {
            seen.insert(n);
            names.append(n);
        }
    }
    names.sort();
    auto rowFor = [](const QString& n) {
        return n + u';' + QStringLiteral("Title of %1 (Maker 19%2)").arg(n.toUpper()).arg(80 + n.size());
    };
    QStringList inOrder, misses, reversed;
    for (int i = 0; i < kGames; ++i) {
        inOrder.append(rowFor(names.at(i)));
        misses.append(rowFor(i % 20 == 7 ? QStringLiteral("zz%1").arg(i) : names.at(i)));
        reversed.prepend(rowFor(names.at(i)));
    }
    const struct {
        const char* what;
        QStringList lines;
    } cases[] = {{"file order", inOrder}, {"5 % missing", misses}, {"reversed", reversed}};
    for (const auto& c : cases) {
        const QByteArray file = c.lines.join(QStringLiteral("\r\n")).toUtf8();
        QElapsedTimer t;
        t.start();
        const QList<AliasList::Row> rows = AliasList::parse(TextFile::decode(file));
        const double readMs = msSince(t);
        QStringList fast = names;
        t.restart();
        AliasList::apply(fast, rows);
        const double fastMs = msSince(t);
        QStringList plain = names;
        t.restart();
        plainAliases(plain, rows);
        const double plainMs = msSince(t);
        std::printf("alias list %-12s 30,000 rows x 30,000 games: %7.1f ms, plain rule %8.1f ms, reading the file "
                    "%5.1f ms%s\n",
                    c.what, fastMs, plainMs, readMs, fast == plain ? "" : "  RESULTS DIFFER");
        std::fflush(stdout);
    }
}

double readFolderMs(const QString& folder)
{
    QElapsedTimer t;
    t.start();
    DIR* d = ::opendir(QFile::encodeName(folder).constData());
    int n = 0;
    while (d && ::readdir(d))
        ++n;
    if (d)
        ::closedir(d);
    return msSince(t);
}

void previewBench()
{
    QTemporaryDir profile;
    for (BenchTrees::Shape shape : {BenchTrees::Shape::Flat, BenchTrees::Shape::Folders1500}) {
        const QString tree = BenchTrees::makeTree(shape, kGames);
        // A few pictures, so that some look-ups find one.
        for (int i = 0; i < kGames; i += 997)
            QFile(tree + BenchTrees::gameName(i).chopped(4) + QStringLiteral(".png")).open(QIODevice::WriteOnly);
        PreviewFolders folders{profile.path(), tree, QStringLiteral("/usr/bin")};
        FolderIndex::clearCache();
        QElapsedTimer t;
        t.start();
        ShowPreview(tree + BenchTrees::folderOf(shape, 1) + BenchTrees::gameName(1), folders);
        const double firstMs = msSince(t);
        std::vector<double> each;
        QRandomGenerator rng(5);
        for (int r = 0; r < 300; ++r) {
            const int i = int(rng.bounded(kGames));
            t.restart();
            ShowPreview(tree + BenchTrees::folderOf(shape, i) + BenchTrees::gameName(i), folders);
            each.push_back(msSince(t));
        }
        std::printf("preview look-up, %-12s 30,000 games: first %6.2f ms, then median %5.3f ms (max %5.3f); "
                    "reading the game folder once %5.2f ms\n",
                    BenchTrees::shapeName(shape), firstMs, median(each), *std::max_element(each.begin(), each.end()),
                    readFolderMs(tree));
        std::fflush(stdout);
    }
}

void repairBench()
{
    QTemporaryDir home;
    AppEnvironment::setOverrides(home.path() + u'/', QStringLiteral("arvex"));
    BasicLibraryHost host;
    GameList games(host);
    QStringList paths, shorts;
    for (int i = 0; i < kGames; ++i) {
        paths.append(QStringLiteral("/games/") + BenchTrees::folderOf(BenchTrees::Shape::Folders1500, i)
                     + BenchTrees::gameName(i));
        shorts.append(GameList::displayName(paths.last()));
    }
    sortListBox(paths);
    games.setLists(paths, paths);
    // 1,000 favourites whose files moved to another folder.
    QList<FavoriteRecord> moved;
    for (int i = 0; i < 1000; ++i) {
        const QString& p = paths.at(i * 29 + 3);
        moved.append({QStringLiteral("Fav %1").arg(i), QStringLiteral("/old/place/") + p.mid(p.lastIndexOf(u'/') + 1), -1});
    }
    {
        QElapsedTimer l;
        l.start();
        PathLookup lookup(games.UAE_FULL().toList());
        const double buildMs = msSince(l);
        l.restart();
        int hits = 0;
        for (const FavoriteRecord& r : moved)
            hits += lookup.locate(r.FullPath) >= 0;
        std::printf("  look-ups alone: index %.1f ms, 1,000 look-ups %.1f ms (%d found)\n", buildMs, msSince(l), hits);
    }
    Favorites fav;
    fav.setFile(home.filePath(QStringLiteral("Favoriten.ini")));
    for (const FavoriteRecord& r : moved)
        fav.AddFavorite(r.Name, r.FullPath, r.Index);
    QElapsedTimer t;
    t.start();
    fav.RepairFavoriten(games);
    const double repairMs = msSince(t);
    t.restart();
    int found = 0;
    for (const FavoriteRecord& r : moved) {
        int f = Favorites::locate(games, r.FullPath);
        if (f < 0)
            f = games.FindInFullList(r.Name);
        found += f >= 0;
    }
    const double plainMs = msSince(t);
    std::printf("favourites repair, 1,000 moved at 30,000 games: %6.1f ms (with saving the file), plain look-ups "
                "%7.1f ms; %d of %lld repaired\n",
                repairMs, plainMs, found, qlonglong(fav.count()));
    AppEnvironment::setOverrides(QString(), QString());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList which = app.arguments().mid(1);
    if (which.isEmpty())
        which = {QStringLiteral("alias"), QStringLiteral("preview"), QStringLiteral("repair")};
    for (const QString& w : which) {
        if (w == QLatin1String("alias"))
            aliasBench();
        else if (w == QLatin1String("preview"))
            previewBench();
        else if (w == QLatin1String("repair"))
            repairBench();
    }
    return 0;
}
