// The list cache gives back every path and name exactly as it was written,
// whatever characters they hold, resolves every stored path form as a
// single path would be resolved, and holds everything one scan can keep.
#include "config/AppEnvironment.h"
#include "library/FileScanRecursive.h"
#include "library/GameList.h"
#include "library/GameListModel.h"
#include "library/LibraryTestSupport.h"
#include "library/ListCache.h"
#include "support/TempDir.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QString chars(std::initializer_list<char16_t> units)
{
    QString s;
    for (const char16_t u : units)
        s += QChar(u);
    return s;
}

// Pieces real names are made of, and the ones that broke them.
QStringList namePieces()
{
    QStringList pieces = {
        QStringLiteral("Turrican II (1991)(Rainbow Arts)"),
        QStringLiteral("Äpfel & Birnen"),
        chars({0xD83D, 0xDCBE}), // U+1F4BE: its low half lies in the raw-byte range
        chars({0xD83D, 0xDCBF}), // U+1F4BF
        chars({0xD83D, 0xDCC0}), // U+1F4C0
        chars({0xD83D, 0xDC80}), // U+1F480
        chars({0xD83C, 0xDFAE}), // U+1F3AE
        QString(QChar(0)),       // NUL (an alias name can hold one)
        QString(QChar(0xFEFF)),  // BOM
        QStringLiteral(" "),
        QStringLiteral("\t"),
        QString(QChar(0x1B)),
        QString(QChar(0x1B)) + QStringLiteral("0"), // the NUL escape's own spelling as text
        QString(QChar(0x1B)) + QStringLiteral("xE4"),
        QStringLiteral("\r\n"),
        QStringLiteral("\n"),
        QStringLiteral(";"),
        QStringLiteral("a:b"),
    };
    for (const char16_t raw : {0xDC80, 0xDC9F, 0xDCC4, 0xDCE4, 0xDCFF})
        pieces.append(QString(QChar(raw))); // lone: a raw file-name byte
    return pieces;
}

QString randomName(QRandomGenerator& rng, const QStringList& pieces)
{
    QString name;
    const int parts = 1 + int(rng.bounded(5));
    for (int p = 0; p < parts; ++p)
        name += pieces.at(int(rng.bounded(int(pieces.size()))));
    return name;
}

class ListCacheRoundTrip : public ::testing::Test {
protected:
    void SetUp() override { AppEnvironment::setOverrides(program, QStringLiteral("arvex")); }
    void TearDown() override { AppEnvironment::setOverrides(QString(), QString()); }

    TempDir dir;
    const QString program = dir.mkdir("home/arvex");
    const QString outside = QDir::cleanPath(dir.path() + QStringLiteral("/games")) + u'/';
    const QString cache = dir.file("home/arvex/arvex_Cache.txt");
};

TEST_F(ListCacheRoundTrip, GeneratedNamesComeBackExactlyInPathsAndNames)
{
    const QStringList pieces = namePieces();
    QRandomGenerator rng(1907);
    QStringList paths, names;
    for (int i = 0; i < 600; ++i) {
        const QString name = randomName(rng, pieces);
        const QString folder = i % 3 == 0 ? program + "Games/" : outside + (i % 2 ? "Amiga/" : "C64 " + name + u'/');
        paths.append(folder + name + QStringLiteral(".adf"));
        names.append(i % 7 == 0 ? name.trimmed() : name);
    }
    // Every piece once at the start of the first name, where a BOM was lost.
    for (const QString& piece : pieces) {
        paths.prepend(outside + piece + QStringLiteral(" start.adf"));
        names.prepend(piece + QStringLiteral(" start"));
    }

    ASSERT_TRUE(ListCache::write(cache, paths, names, program));
    const QByteArray bytes = dir.read("home/arvex/arvex_Cache.txt");
    EXPECT_FALSE(bytes.contains('\0')) << "NUL must be escaped";
    EXPECT_TRUE(bytes.contains("\xF0\x9F\x92\xBE")) << "characters above U+FFFF are stored as UTF-8";
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));

    const ListCache::ReadResult back = ListCache::read(cache, program);
    EXPECT_FALSE(back.corrupt);
    ASSERT_EQ(back.fullPaths.size(), paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(back.fullPaths.at(i), paths.at(i)) << "path " << i;
        EXPECT_EQ(back.shortNames.at(i), names.at(i)) << "name " << i;
    }
}

TEST_F(ListCacheRoundTrip, EscapesKeepTheirMeaningAndOldFilesReadAsBefore)
{
    // What every writer so far produced, and Windows-1252 lines from Windows.
    const QByteArray old = "./Games/a\x1bnb.adf\r\nline\x1brend\r\n"
                           "./Games/esc\x1b\x1b.adf\r\nraw \x1bxE4 \x1bxe4\r\n"
                           "./Games/\xc4pfel.adf\r\n\xef\xbb\xbfStarts with BOM\r\n";
    dir.write("home/arvex/arvex_Cache.txt", "\xEF\xBB\xBF" + old); // a file BOM is dropped
    const ListCache::ReadResult r = ListCache::read(cache, program);
    EXPECT_EQ(r.fullPaths, (QStringList{program + "Games/a\nb.adf", program + "Games/esc\x1b.adf",
                                        program + QStringLiteral("Games/Äpfel.adf")}));
    EXPECT_EQ(r.shortNames, (QStringList{"line\rend", QStringLiteral("raw ") + QChar(0xDCE4) + " " + QChar(0xDCE4),
                                         QChar(0xFEFF) + QStringLiteral("Starts with BOM")}));

    // The escaped forms of the characters a line cannot hold.
    const QString all = QStringLiteral("n\nr\re") + QChar(0x1B) + QStringLiteral("z") + QChar(0) + QStringLiteral("b")
        + QChar(0xDCE4) + chars({0xD83D, 0xDCBE});
    EXPECT_EQ(ListCache::escapeLine(all), QStringLiteral("n\x1bnr\x1bre\x1b\x1bz\x1b") + QStringLiteral("0b\x1bxE4")
                                              + chars({0xD83D, 0xDCBE}));
    // Unknown escapes and cut-off ones stay as written.
    EXPECT_EQ(ListCache::unescapeLine(QStringLiteral("\x1bq \x1bx4 \x1bx41 end\x1b")),
              QStringLiteral("\x1bq \x1bx4 \x1bx41 end\x1b"));
}

TEST_F(ListCacheRoundTrip, EveryStoredPathFormResolvesAsOnItsOwn)
{
    // Games of one folder are resolved through the folder's form; each line
    // must come out as it does when resolved alone, interleaved or not.
    const QStringList stored = {
        "../../games/Amiga/A.adf", "../../games/Amiga/sub/B.adf", "../../games/Amiga/C.adf",
        "../../games/Amiga/..dots.adf", "../../games/Amiga/.hidden", "../../games/Amiga/..",
        "../../games/Amiga/.", "../../games/Amiga/a:b.adf", "../../games/Amiga/", "../../games/Amiga//D.adf",
        "../../games/./Amiga/E.adf", "../../games/x/../Amiga/F.adf", "../../../../../../../../x/G.adf",
        "../../../../../../../../x/H.adf", "./Games/I.adf", "./Games/../J.adf", "./Games//K.adf",
        "Games/L.adf", "Games\\M.adf", "\\Games\\N.adf", "\\Games\\O.adf", "C:\\Spiele\\P.adf",
        "C:/Spiele/Q.adf", "/abs/R.adf", "/abs/S.adf", "/T.adf", "U.adf", "../V.adf", "../W.adf",
        "../../games/Amiga/A.adf",
    };
    QByteArray file;
    for (const QString& s : stored)
        file += ListCache::escapeLine(s).toUtf8() + "\r\nname\r\n";
    for (const QString& folder : {program, program.chopped(1)}) {
        dir.write("home/arvex/arvex_Cache.txt", file);
        const ListCache::ReadResult r = ListCache::read(cache, folder);
        ASSERT_EQ(r.fullPaths.size(), stored.size());
        for (qsizetype i = 0; i < stored.size(); ++i)
            EXPECT_EQ(r.fullPaths.at(i), ListCache::resolvedPath(folder, stored.at(i)))
                << stored.at(i).toStdString() << " against " << folder.toStdString();
    }
}

TEST_F(ListCacheRoundTrip, LoadHoldsEveryGameAScanCanKeep)
{
    RecordingHost host;
    GameList written(host);
    QStringList paths, names;
    for (int i = 0; i < FileScanRecursive::kScanLimit + 3; ++i) {
        paths.append(outside + QStringLiteral("Folder %1/Game %2.adf").arg(i / 20).arg(i, 5, 10, QChar(u'0')));
        names.append(QStringLiteral("Game %1").arg(i));
    }
    written.setLists(paths.mid(0, FileScanRecursive::kScanLimit), names.mid(0, FileScanRecursive::kScanLimit));
    ASSERT_TRUE(written.SaveListCache(cache));

    GameList loaded(host);
    EXPECT_EQ(loaded.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(loaded.UAE_FULL(), written.UAE_FULL());
    EXPECT_EQ(loaded.UAE_Short(), written.UAE_Short());

    // Beyond that, the rest of a (hand-made) file is not loaded.
    ASSERT_TRUE(ListCache::write(cache, paths, names, program));
    EXPECT_EQ(loaded.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(loaded.count(), FileScanRecursive::kScanLimit);
}

TEST_F(ListCacheRoundTrip, NulInANameNoLongerCutsTheList)
{
    RecordingHost host;
    GameList list(host);
    const QString nul = QStringLiteral("Alias ") + QChar(0) + QStringLiteral(" name");
    list.setLists({program + "Games/a.adf", program + "Games/b.adf", program + "Games/c.adf"}, {"A", nul, "C"});
    ASSERT_TRUE(list.SaveListCache(cache));
    GameList again(host);
    EXPECT_EQ(again.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(again.UAE_Short(), (QStringList{"A", nul, "C"}));
    EXPECT_EQ(again.WIthoutDoubles(), (QStringList{"A", nul, "C"}));
}

TEST(GameListModelNames, OnlyANewListResetsTheModel)
{
    GameListModel model;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QStringList names = {"a", "b"};
    EXPECT_TRUE(model.setNames(names));
    EXPECT_FALSE(model.setNames(names)); // the same shared list: nothing to do
    EXPECT_EQ(resets, 1);
    names.append("c"); // changing the caller's list detaches it from the model's copy
    EXPECT_TRUE(model.setNames(names));
    EXPECT_TRUE(model.setNames(QStringList{"a", "b", "c"})); // equal, but a different list
    EXPECT_EQ(resets, 3);
    EXPECT_EQ(model.rowCount(), 3);
}

} // namespace
