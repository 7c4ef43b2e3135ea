// The indexed look-ups give exactly the index of the plain scans of the game
// list (first equal path, first path containing a text, first path with a
// file name, and the favourite look-up order built from them).
#include "library/Favorites.h"
#include "library/GameList.h"
#include "library/LibraryTestSupport.h"
#include "library/PathLookup.h"
#include "support/QtPrint.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

void expectSameAsScans(const QStringList& paths, const QStringList& queries, const char* what)
{
    RecordingHost host;
    GameList games(host);
    games.setLists(paths, paths);
    PathLookup lookup(games.UAE_FULL().toList());
    for (const QString& q : queries) {
        EXPECT_EQ(lookup.exact(q), int(games.UAE_FULL().indexOf(q))) << what << ": exact " << q.toStdString();
        EXPECT_EQ(lookup.containing(q), games.FindInFullList(q)) << what << ": containing " << q.toStdString();
        EXPECT_EQ(lookup.withFileName(q), games.FindFileName(q)) << what << ": file name " << q.toStdString();
        EXPECT_EQ(lookup.locate(q), Favorites::locate(games, q)) << what << ": locate " << q.toStdString();
    }
}

} // namespace

TEST(PathLookupTest, SameIndexesAsThePlainScans)
{
    const QStringList paths{
        "/g/a/Game.adf", "/g/b/Game.adf", "/g/a/Game.adf", // a file name twice, a path twice
        "/g/a/Game.adf.bak", "/x/g/a/Game.adf",           // paths that contain another path
        "/g/c/ba.adf", "/g/c/a.adf",                      // a file name inside a longer one
        "C:\\Spiele\\Win.adf", "/g/d/UPPER.ADF", "/g/e/x",
        "", "/g/f/" + QString::fromUcs4(U"\U0001F4BE") + " disk.adf",
    };
    const QStringList queries{
        "/g/a/Game.adf", "/g/old/Game.adf", "/g/a/Game.adf.bak", "g/a/Game.adf", "Game.adf", "a.adf",
        "/old/a.adf", "Win.adf", "C:\\Spiele\\Win.adf", "upper.adf", "UPPER", "x", "/", "", "/nowhere/zz.adf",
        "ga", "Ga", QString::fromUcs4(U"\U0001F4BE"), "/g/f/" + QString::fromUcs4(U"\U0001F4BE") + " disk.adf",
    };
    expectSameAsScans(paths, queries, "table");
    expectSameAsScans({}, queries, "no games");
}

TEST(PathLookupTest, SameIndexesOnRandomTrees)
{
    const QStringList parts{"a", "b", "ab", "A", ".adf", "/", " (1990)", "x", "/g/"};
    for (quint32 seed = 1; seed <= 60; ++seed) {
        QRandomGenerator rng(seed);
        auto text = [&](int pieces) {
            QString s;
            for (int i = 0; i < pieces; ++i)
                s += parts.at(rng.bounded(int(parts.size())));
            return s;
        };
        QStringList paths, queries;
        for (int i = 0; i < 40; ++i)
            paths.append(text(int(rng.bounded(1, 7))));
        for (int i = 0; i < 40; ++i)
            queries.append(rng.bounded(3) ? text(int(rng.bounded(1, 5))) : paths.at(rng.bounded(40)));
        expectSameAsScans(paths, queries, "random");
        if (HasFailure())
            FAIL() << "seed " << seed;
    }
}
