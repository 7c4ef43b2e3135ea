// Game paths kept as folder + name read exactly like the plain list they
// were made from, and a list-cache load (which takes runs of paths in one
// folder as that folder plus a name) resolves every stored line exactly as
// resolving that line alone does.
#include "library/GamePaths.h"
#include "library/ListCache.h"
#include "support/QtPrint.h"
#include "support/TempDir.h"

#include <QHash>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// Paths from a small alphabet, so that folders, names and whole paths repeat:
// no "/", a trailing "/", empty parts, dots, colons, backslashes, astral
// characters and raw-byte surrogates.
QString randomPath(QRandomGenerator& rng)
{
    static const QString parts[] = {QStringLiteral("/"), QStringLiteral("a"), QStringLiteral("B"),
                                    QStringLiteral("."), QStringLiteral(".."), QStringLiteral(":"),
                                    QStringLiteral("\\"), QStringLiteral(" "), QStringLiteral("💾"),
                                    QString(QChar(0xDCE4)), QStringLiteral("Game (1990)")};
    QString p;
    const int n = int(rng.bounded(8));
    for (int i = 0; i < n; ++i)
        p += parts[rng.bounded(int(std::size(parts)))];
    return p;
}

} // namespace

TEST(GamePaths, ReadLikeThePlainListTheyWereMadeFrom)
{
    QRandomGenerator rng(7);
    for (int round = 0; round < 300; ++round) {
        QStringList list;
        const int n = int(rng.bounded(40));
        for (int i = 0; i < n; ++i)
            list << randomPath(rng);
        const GamePaths paths(list);
        ASSERT_EQ(paths.size(), list.size());
        EXPECT_EQ(paths.toList(), list);
        for (qsizetype i = 0; i < list.size(); ++i) {
            EXPECT_EQ(paths.folderOf(i).toString() + paths.nameOf(i).toString(), list.at(i));
            EXPECT_FALSE(paths.nameOf(i).contains(u'/'));
        }
        for (int q = 0; q < 10; ++q) {
            const QString probe = q % 2 && !list.isEmpty() ? list.at(rng.bounded(int(list.size()))) : randomPath(rng);
            EXPECT_EQ(paths.indexOf(probe), list.indexOf(probe)) << qPrintable(probe);
        }

        // A copy is a value of its own; cutting it leaves the original whole.
        GamePaths cut = paths;
        const qsizetype keep = list.isEmpty() ? 0 : rng.bounded(int(list.size()) + 1);
        cut.truncate(keep);
        cut.append(QStringLiteral("/after/cut"));
        EXPECT_EQ(cut.toList(), list.mid(0, keep) + QStringList{QStringLiteral("/after/cut")});
        EXPECT_EQ(paths.toList(), list);
        EXPECT_TRUE(paths == GamePaths(list));
        EXPECT_FALSE(cut == paths);
    }
}

TEST(GamePaths, ThousandsOfFoldersMetInAnyOrderAreKeptOnceEach)
{
    // One folder per game, and folders met again out of order: each folder's
    // text is kept once, and every path reads back as it was given.
    QRandomGenerator rng(11);
    QStringList list;
    for (int i = 0; i < 20000; ++i)
        list << QStringLiteral("/games/Folder %1/Game %2.adf").arg(rng.bounded(3000)).arg(i % 7);
    const GamePaths paths(list);
    EXPECT_EQ(paths.toList(), list);
    QHash<QString, const QChar*> folderData;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QStringView folder = paths.folderOf(i);
        const QChar* kept = folderData.value(folder.toString(), folder.data());
        EXPECT_EQ(folder.data(), kept) << "folder kept twice: " << folder.toString().toStdString();
        folderData.insert(folder.toString(), kept);
    }
    EXPECT_LE(folderData.size(), 3000);
    for (int q = 0; q < 500; ++q) {
        const QString probe = q % 3 ? list.at(rng.bounded(int(list.size())))
                                    : QStringLiteral("/games/Folder %1/Game 9.adf").arg(rng.bounded(3100));
        EXPECT_EQ(paths.indexOf(probe), list.indexOf(probe)) << qPrintable(probe);
    }
}

TEST(GamePaths, ACacheLoadResolvesEveryLineAsThatLineAlone)
{
    // Stored lines as caches hold them: below the program folder, beside it,
    // absolute, Windows-style; runs in one folder, folders met again later,
    // and names the folder shortcut must not take (dots, colons, none).
    TempDir dir;
    const QString program = dir.mkdir(QStringLiteral("home/arvex")) + u'/';
    static const char* const folders[] = {"./Games/A/",     "./Games/B/",   "../Games/A/", "../../x/",
                                          "/abs/games/",    "./",           "../",         "./Games/../A/",
                                          "..\\Games\\A\\", "C:\\Games\\", "./Games//",   "../Games/./"};
    static const char* const names[] = {"Zool.adf", "Lotus (1990).adf", ".hidden", "a:b.adf", "", "..", "x"};
    QRandomGenerator rng(11);
    int f = 0;
    for (int round = 0; round < 40; ++round) {
        QByteArray cache;
        QStringList stored;
        for (int i = 0; i < 60; ++i) {
            // Mostly runs in the same folder, as sorted lists have them.
            if (rng.bounded(4) == 0)
                f = int(rng.bounded(int(std::size(folders))));
            const QByteArray line = QByteArray(folders[f]) + names[rng.bounded(int(std::size(names)))];
            stored << QString::fromLatin1(line);
            cache += line + "\r\nName " + QByteArray::number(i) + "\r\n";
        }
        const QString file = dir.write(QStringLiteral("cache.txt"), cache);
        const ListCache::ReadResult r = ListCache::read(file, program);
        ASSERT_EQ(r.fullPaths.size(), stored.size());
        for (qsizetype i = 0; i < stored.size(); ++i)
            EXPECT_EQ(r.fullPaths.at(i), ListCache::resolvedPath(program, stored.at(i))) << qPrintable(stored.at(i));
    }
}
