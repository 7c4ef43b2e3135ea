#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "config/Language.h"
#include "library/FileNames.h"
#include "library/GameList.h"
#include "library/LibraryTestSupport.h"
#include "library/ListCache.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

class GameListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        setCurrentLanguage(kLanguageEnglish);
        profile = dir.mkdir("Config/Amiga");
        settings = profile + "arvex.ini";
        cache = profile + "arvex_Cache.txt";
        games = dir.mkdir("Games");
    }
    void TearDown() override { AppEnvironment::setOverrides(QString(), QString()); }

    GameList::RebuildInput input() const { return {games, settings, profile, cache}; }

    TempDir dir;
    RecordingHost host;
    GameList list{host};
    ScriptedPrompt prompt;
    QString profile, settings, cache, games;
};

TEST_F(GameListTest, RebuildScansEachPatternMergesSortedAndRoundTripsThroughTheCache)
{
    WriteIniValue("Settings", "Dir_Parameter", "*.adf, *.DMS", settings, true);
    dir.write("Games/Turrican II (1991)(Rainbow Arts)(Disk 2 of 2)[cr CSL].adf");
    dir.write("Games/Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)[cr CSL].adf");
    dir.write("Games/b/Apidya (1992)(Blue Byte).dms");
    dir.write("Games/a/zool.adf");
    dir.write("Games/readme.txt");

    EXPECT_EQ(list.RebuildList(input()), 4);
    EXPECT_EQ(list.UAE_FULL(),
              (QStringList{games + "a/zool.adf", games + "b/Apidya (1992)(Blue Byte).dms",
                           games + "Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)[cr CSL].adf",
                           games + "Turrican II (1991)(Rainbow Arts)(Disk 2 of 2)[cr CSL].adf"}));
    EXPECT_EQ(list.UAE_Short(), (QStringList{"zool", "Apidya (1992)(Blue Byte)", "Turrican II (1991)(Rainbow Arts)",
                                             "Turrican II (1991)(Rainbow Arts)"}));
    EXPECT_EQ(list.WIthoutDoubles().size(), 3);
    EXPECT_EQ(ReadIniValue("Settings", "RomCount", settings, "-1", false), QStringLiteral("4"));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Suche: *.adf\r") + games));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Suche: *.DMS\r") + games));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Sorting Files: *.DMS")));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Cut Names..")));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Saving List..")));
    EXPECT_TRUE(host.statuses.contains(QStringLiteral("Scanning...")));
    EXPECT_EQ(host.statusText(), QStringLiteral("Loading..."));
    EXPECT_EQ(host.controls, (QList<bool>{false, true}));
    EXPECT_EQ(host.reloads, 1);

    const QByteArray bytes = dir.read("Config/Amiga/arvex_Cache.txt");
    EXPECT_TRUE(bytes.startsWith("./Games/a/zool.adf\r\nzool\r\n./Games/b/"));
    EXPECT_EQ(bytes.count("\r\n"), 8);

    GameList again(host);
    EXPECT_EQ(again.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(again.UAE_FULL(), list.UAE_FULL());
    EXPECT_EQ(again.UAE_Short(), list.UAE_Short());
    EXPECT_EQ(again.WIthoutDoubles(), list.WIthoutDoubles());
}

TEST_F(GameListTest, WindowEventsDuringTheSaveCannotChangeWhatIsWritten)
{
    // Events run while a large list is written; one that replaces the lists
    // (a reload) must not cut or mix the file being written.
    WriteIniValue("Settings", "Dir_Parameter", "*.adf", settings, true);
    for (int i = 0; i < 1500; ++i)
        dir.write(QStringLiteral("Games/Game %1.adf").arg(i, 4, 10, QLatin1Char('0')));
    list.setSaveEventIntervalMs(0); // events between every few hundred games
    int runsDuringSave = 0;
    host.onEvents = [&] {
        if (host.titleText() != QStringLiteral("Saving List.."))
            return;
        ++runsDuringSave;
        list.setLists(QStringList{QStringLiteral("/elsewhere/x.adf")}, QStringList{QStringLiteral("x")});
    };
    list.RebuildList(input());
    host.onEvents = nullptr;
    EXPECT_GE(runsDuringSave, 4);
    GameList again(host);
    ASSERT_EQ(again.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    ASSERT_EQ(again.count(), 1500);
    EXPECT_EQ(again.UAE_FULL().at(1499), games + "Game 1499.adf");
    EXPECT_EQ(again.UAE_Short().at(1499), QStringLiteral("Game 1499"));
}

TEST_F(GameListTest, EmptyDirParameterScansNothingAndMissingOneDefaultsToEverything)
{
    dir.write("Games/a.adf");
    WriteIniValue("Settings", "Dir_Parameter", "", settings, true);
    EXPECT_EQ(list.RebuildList(input()), 0);
    EXPECT_TRUE(QFile::exists(cache));
    EXPECT_TRUE(dir.read("Config/Amiga/arvex_Cache.txt").isEmpty());

    // A missing file or key means "*.*"; the default is stored once the file exists.
    QFile::remove(settings);
    EXPECT_EQ(list.RebuildList(input()), 1);
    WriteIniValue("Settings", "Other", "x", settings, true);
    EXPECT_EQ(list.RebuildList(input()), 1);
    EXPECT_EQ(GetPrivateProfileString("Settings", "Dir_Parameter", settings), QStringLiteral("*.*"));
}

TEST_F(GameListTest, MissingGameFolderReportsAndWritesAnEmptyCache)
{
    games = dir.file("NoSuchFolder/");
    EXPECT_EQ(list.RebuildList(input()), 0);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Error: Directory not found!"));
    EXPECT_TRUE(QFile::exists(cache));
}

TEST_F(GameListTest, AliasesApplyInFileOrderAndRestartAfterAMiss)
{
    list.setLists({"/g/a1", "/g/a2", "/g/b1", "/g/c1", "/g/c2"},
                  {"Alpha", "Alpha", "Beta", "Gamma", "Gamma"});
    dir.write("Config/Amiga/AliasList.txt",
              "alpha;First Alpha\r\n"            // hit at 0
              "alpha;Second Alpha\r\n"           // hit at 1: after a hit only later entries count
              ";Empty search text\r\n"           // an empty search text takes the entry at the start index
              "gamma;G;with;semicolons\r"        // hit at 3, the name keeps its ";"
              "beta;Not after gamma\n"           // miss: nothing after index 3 holds "beta"
              "no separator line\r\n"
              "\r\n"
              "EMPTY search;Beta found again\r\n"); // after the miss the search restarts at the top
    list.ApplyAliasList(profile + "AliasList.txt");
    EXPECT_EQ(list.UAE_Short(),
              (QStringList{"First Alpha", "Second Alpha", "Beta found again", "G;with;semicolons", "Gamma"}));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Alias names: ")));
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Alias Names: 0"))); // progress shows from the start
}

TEST_F(GameListTest, CacheWrittenOnWindowsReadsCorrectly)
{
    dir.write("Config/Amiga/arvex_Cache.txt",
              "\\Games\\\xc4pfel.adf\r\n\xc4pfel\r\n"
              "C:\\Spiele\\x.adf\r\nx\r\n"
              "./Games/sub/y.adf\r\ny\r\n"
              "/abs/z.adf\r\n");
    EXPECT_EQ(list.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(list.UAE_FULL(), (QStringList{dir.path() + QStringLiteral("Games/Äpfel.adf"),
                                            "C:\\Spiele\\x.adf", dir.path() + "Games/sub/y.adf", "/abs/z.adf"}));
    EXPECT_EQ(list.UAE_Short(), (QStringList{QStringLiteral("Äpfel"), "x", "y", ""})); // odd line count
    EXPECT_EQ(list.WIthoutDoubles(), (QStringList{QStringLiteral("Äpfel"), "x", "y"}));
}

TEST_F(GameListTest, CacheLoadIsCappedAndBadCachesNeverBreakTheLists)
{
    QByteArray big;
    for (int i = 0; i < ListCache::kMaxPairs + 4; ++i)
        big += "./g/" + QByteArray::number(i) + ".adf\r\nn" + QByteArray::number(i) + "\r\n";
    dir.write("Config/Amiga/arvex_Cache.txt", big);
    int progressSteps = 0;
    host.onEvents = [&] { ++progressSteps; };
    EXPECT_EQ(list.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(list.count(), ListCache::kMaxPairs);
    EXPECT_EQ(list.UAE_Short().last(), QStringLiteral("n%1").arg(ListCache::kMaxPairs - 1));
    EXPECT_EQ(progressSteps, ListCache::kMaxPairs / 500);
    EXPECT_TRUE(host.titles.contains(QStringLiteral("Loading: 30000")));

    // A missing cache leaves the lists as they were.
    EXPECT_EQ(list.LoadGameListFromCache(profile + "none.txt"), GameList::CacheLoad::Missing);
    EXPECT_EQ(list.count(), ListCache::kMaxPairs);

    // A NUL byte is flagged but does not end the read: it is a character.
    dir.write("Config/Amiga/arvex_Cache.txt", QByteArray("./a.adf\r\na\r\n./b\0\x01\x02", 17));
    EXPECT_EQ(list.LoadGameListFromCache(cache), GameList::CacheLoad::Corrupt);
    EXPECT_EQ(list.UAE_Short(), (QStringList{"a", ""}));
    EXPECT_EQ(list.UAE_FULL().last(), dir.path() + QString::fromLatin1("b\0\x01", 3));

    // A CR LF split between two reads of the file (256 KiB each) ends one line.
    dir.write("Config/Amiga/arvex_Cache.txt",
              "./" + QByteArray(256 * 1024 - 3, 'p') + "\r\nname\r\n./b.adf\r\nb\r\n");
    EXPECT_EQ(list.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(list.UAE_Short(), (QStringList{"name", "b"}));

    // One enormous line is cut, not loaded whole.
    dir.write("Config/Amiga/arvex_Cache.txt", QByteArray(20 << 20, 'x'));
    EXPECT_EQ(list.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    ASSERT_EQ(list.count(), 1);
    EXPECT_LE(list.UAE_FULL().first().size(), ListCache::kMaxLineBytes + dir.path().size());
}

TEST_F(GameListTest, OddNamesSurviveTheCacheExactly)
{
    const QByteArray folder = QFile::encodeName(games);
    const QByteArray names[] = {"new\nline (1990)(X).adf", "cr\rhere.adf", "\xe4pfel.adf", "esc\x1b.adf",
                                "q \"x\" $y; [z] (1).adf", "back\\slash.adf"};
    for (const QByteArray& n : names)
        ASSERT_TRUE(touchRaw(folder, n));
    EXPECT_EQ(list.RebuildList(input()), 6);
    GameList again(host);
    ASSERT_EQ(again.LoadGameListFromCache(cache), GameList::CacheLoad::Loaded);
    EXPECT_EQ(again.UAE_FULL(), list.UAE_FULL());
    EXPECT_EQ(again.UAE_Short(), list.UAE_Short());
    for (const QString& p : again.UAE_FULL())
        EXPECT_TRUE(isRegularFile(p)) << p.toStdString();
}

TEST_F(GameListTest, SimpleListMergesOnlyNeighbouringEqualNames)
{
    list.setLists({"/g/a/Lotus (1990).adf", "/g/b/Other.adf", "/g/c/Lotus (1990).adf", "/g/d/Lotus (1990).adf", "/g/e"},
                  {"Lotus (1990)", "Other", "Lotus (1990)", "Lotus (1990)", ""});
    EXPECT_EQ(list.WIthoutDoubles(), (QStringList{"Lotus (1990)", "Other", "Lotus (1990)"}));
    EXPECT_EQ(list.completeIndexOfSimple(2), 2);
    EXPECT_EQ(list.completeIndexOfSimple(3), -1);
}

TEST_F(GameListTest, FindInFullListMatchesCaseSensitiveSubstrings)
{
    list.setLists({"/g/Alpha.adf", "/g/beta.adf", "/g/sub/Beta.adf"}, {"a", "b", "B"});
    host.setTitleText(QStringLiteral("title"));
    EXPECT_EQ(list.FindInFullList("/g/Alpha"), 0);
    EXPECT_EQ(list.FindInFullList("Beta"), 2);
    EXPECT_EQ(list.FindInFullList("gamma"), -1);
    EXPECT_EQ(list.FindInFullList(QString()), -1);
    EXPECT_EQ(list.FindFileName("Beta.adf"), 2);
    EXPECT_TRUE(host.titles.contains(QStringLiteral(" Suche ...")));
    EXPECT_EQ(host.titleText(), QStringLiteral("title"));
}

TEST(ListCaptions, FollowTheInterfaceLanguage)
{
    setCurrentLanguage(kLanguageGerman);
    const ListCaptions de = UpdateListCaptions(12, 7, 3);
    EXPECT_EQ(de.complete, QStringLiteral(" Komplett (12) "));
    EXPECT_EQ(de.simple, QStringLiteral(" Einfach (7) "));
    EXPECT_EQ(de.favourites, QStringLiteral(" Favoriten (3) "));
    setCurrentLanguage(kLanguageEnglish);
    const ListCaptions en = UpdateListCaptions(12, 7, 3);
    EXPECT_EQ(en.complete, QStringLiteral(" Complete List (12) "));
    EXPECT_EQ(en.simple, QStringLiteral(" Simple (7) "));
    EXPECT_EQ(en.favourites, QStringLiteral(" Favorites (3) "));
}
