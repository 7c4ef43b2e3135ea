#include "config/AppEnvironment.h"
#include "config/Language.h"
#include "library/Favorites.h"
#include "library/GameList.h"
#include "library/LibraryTestSupport.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QDir>
#include <gtest/gtest.h>

class FavoritesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        setCurrentLanguage(kLanguageEnglish);
        file = dir.mkdir("Config/Amiga") + "Favoriten.ini";
        fav.setFile(file);
    }
    void TearDown() override { AppEnvironment::setOverrides(QString(), QString()); }

    void writeIni(const QByteArray& body) { dir.write("Config/Amiga/Favoriten.ini", "[Favoriten]\r\n" + body); }
    QString text() const { return QString::fromUtf8(dir.read("Config/Amiga/Favoriten.ini")); }

    TempDir dir;
    RecordingHost host;
    GameList games{host};
    Favorites fav;
    ScriptedPrompt prompt;
    QString file;
};

TEST_F(FavoritesTest, ASingleGapIsSkippedTwoGapsEndTheList)
{
    writeIni("Fav0_Name=Zero\r\nFav0_FullPath=./Games/0.adf\r\n"
             "Fav2_Name=Two\r\nFav2_FullPath=/abs/2.adf\r\n"
             "Fav5_Name=Five\r\nFav5_FullPath=./5.adf\r\n");
    fav.LoadFavorites();
    EXPECT_EQ(fav.names(), (QStringList{"Zero", "Two"}));
    EXPECT_EQ(fav.records().at(0).FullPath, dir.path() + "Games/0.adf");
    EXPECT_EQ(fav.records().at(1).FullPath, QStringLiteral("/abs/2.adf"));

    // What lies beyond the two gaps is not listed, but a save keeps it.
    ASSERT_TRUE(fav.AddFavorite("New", "/abs/new.adf", -1));
    ASSERT_TRUE(fav.SaveFavorites());
    fav.LoadFavorites();
    EXPECT_EQ(fav.names(), (QStringList{"Zero", "Two", "New", "Five"}));
    EXPECT_EQ(fav.records().at(3).FullPath, dir.path() + "5.adf");
}

TEST_F(FavoritesTest, JunkDuplicatesAndMissingFilesGiveWhatIsUsable)
{
    fav.LoadFavorites(); // no file
    EXPECT_EQ(fav.count(), 0);
    writeIni("garbage line\r\nFav0_Name=A\r\nFav0_FullPath=/g/a.adf\r\nfav1_name=Dup\r\nFAV1_FULLPATH=/g/a.adf\r\n"
             "Fav2_Name=NoPath\r\nFav3_Name=B\r\nFav3_FullPath=\\Games\\b.adf\r\nFav0_Name=Ignored\r\n");
    fav.LoadFavorites();
    EXPECT_EQ(fav.names(), (QStringList{"A", "B"}));
    EXPECT_EQ(fav.records().at(1).FullPath, dir.path() + "Games/b.adf");
    dir.write("Config/Amiga/Favoriten.ini", QByteArray("\0\x01\x02\xff", 4));
    fav.LoadFavorites();
    EXPECT_EQ(fav.count(), 0);
}

TEST_F(FavoritesTest, SavingRenumbersReplacesUnderscoresAndLeavesNothingStale)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(fav.AddFavorite(QStringLiteral("Game_%1").arg(i), dir.path() + QStringLiteral("Games/%1.adf").arg(i), i));
    EXPECT_FALSE(fav.AddFavorite("Again", dir.path() + "Games/0.adf", 9)); // same path
    EXPECT_FALSE(fav.AddFavorite("", "/x", 0));
    EXPECT_FALSE(fav.AddFavorite("x", "", 0));
    ASSERT_TRUE(fav.SaveFavorites());
    EXPECT_TRUE(text().contains("Fav3_Name=Game 3\r\nFav3_FullPath=./Games/3.adf\r\n"));

    EXPECT_TRUE(fav.DeleteFavorite(1));
    EXPECT_EQ(fav.names(), (QStringList{"Game 0", "Game 2", "Game 3"}));
    EXPECT_FALSE(text().contains("Fav3_"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(fav.DeleteFavorite(0));
    EXPECT_EQ(text(), QStringLiteral("[Favoriten]\r\nFav0_Name=\r\nFav0_FullPath=\r\n"));
    fav.LoadFavorites();
    EXPECT_EQ(fav.count(), 0);
}

TEST_F(FavoritesTest, AwkwardNamesAndPathsRoundTrip)
{
    const QString path = dir.path() + QStringLiteral("Games/\"q\" $x; [y] = (z)\nnew.adf");
    ASSERT_TRUE(fav.AddFavorite(QStringLiteral("\"Quoted\" = x; y"), path, 0));
    ASSERT_TRUE(fav.AddFavorite(QStringLiteral("Äpfel"), QStringLiteral("/other/place.adf"), 1));
    ASSERT_TRUE(fav.SaveFavorites());
    fav.LoadFavorites();
    ASSERT_EQ(fav.count(), 2);
    EXPECT_EQ(fav.records().at(0).Name, QStringLiteral("\"Quoted\" = x; y"));
    EXPECT_EQ(fav.records().at(0).FullPath, path);
    EXPECT_EQ(fav.records().at(1).Name, QStringLiteral("Äpfel"));
}

TEST_F(FavoritesTest, AnUnreadableFileIsNeverOverwritten)
{
    QDir().mkpath(file); // a folder where the file should be: exists, cannot be read
    fav.LoadFavorites();
    fav.AddFavorite("New", "/g/new.adf", 0);
    EXPECT_FALSE(fav.SaveFavorites());
    EXPECT_TRUE(QFileInfo(file).isDir());
}

TEST_F(FavoritesTest, DeleteKeyAsksFirst)
{
    fav.AddFavorite("Zool", "/g/zool.adf", 0);
    fav.SaveFavorites();
    prompt.queue(PromptAnswer::No);
    EXPECT_FALSE(fav.DeleteFavoriteAsked(0));
    EXPECT_EQ(fav.count(), 1);
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Remove from Favorite-List?"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Remove from Favorite-List:\n\nZool"));
    setCurrentLanguage(kLanguageGerman);
    prompt.queue(PromptAnswer::Yes);
    EXPECT_TRUE(fav.DeleteFavoriteAsked(0));
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Aus Favoriten entfernen?"));
    EXPECT_EQ(fav.count(), 0);
}

TEST_F(FavoritesTest, EditAliasNameRenamesTheRightEntryEvenAfterGaps)
{
    writeIni("Fav0_Name=Zero\r\nFav0_FullPath=/g/0.adf\r\nFav2_Name=Two\r\nFav2_FullPath=/g/2.adf\r\n");
    fav.LoadFavorites();
    prompt.queueInput(QStringLiteral("Better_Name"));
    EXPECT_TRUE(fav.EditAliasName(1));
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Change alias"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Please enter a new title for: Two"));
    fav.LoadFavorites();
    EXPECT_EQ(fav.names(), (QStringList{"Zero", "Better Name"}));
    EXPECT_EQ(fav.records().at(1).FullPath, QStringLiteral("/g/2.adf"));
    prompt.queueInput(QStringLiteral("   "));
    EXPECT_FALSE(fav.EditAliasName(0));
    prompt.queueInput(QStringLiteral("ignored"), false);
    EXPECT_FALSE(fav.EditAliasName(0));
    EXPECT_EQ(fav.names().first(), QStringLiteral("Zero"));
}

TEST_F(FavoritesTest, RepairFindsMovedGamesDeletesLostOnesAndReports)
{
    games.setLists({"/g/a/First.adf", "/g/new/Moved (1990).adf", "/g/Renamed (1991)(X)(Disk 1).adf"},
                   {"First", "Moved (1990)", "Renamed (1991)(X)"});
    fav.AddFavorite("First", "/g/a/First.adf", 0);
    fav.AddFavorite("Moved (1990)", "/g/old/Moved (1990).adf", 1);
    fav.AddFavorite("Gone", "/g/Gone.adf", 2);
    fav.AddFavorite("Renamed (1991)(X)", "/g/Renamed (1991)(X)(Disk 1)[a].adf", 3);
    fav.AddFavorite("Also gone", "/g/Also.adf", 4);
    fav.SaveFavorites();
    const QString report = fav.RepairFavoriten(games);
    EXPECT_EQ(report, QStringLiteral("Repaired:Moved (1990)\nDeleted: Gone\nRepaired:Renamed (1991)(X)\nDeleted: Also gone\n"));
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Repair result:"));
    EXPECT_EQ(prompt.asked().last().icon, PromptIcon::Information);
    EXPECT_EQ(fav.names(), (QStringList{"First", "Moved (1990)", "Renamed (1991)(X)"}));
    EXPECT_EQ(fav.records().at(1).FullPath, QStringLiteral("/g/new/Moved (1990).adf"));

    EXPECT_TRUE(fav.RepairFavoriten(games).isEmpty());
    EXPECT_EQ(prompt.lastText(), QStringLiteral("No errors found!!"));

    // Without any game list (folder unavailable) nothing is deleted.
    GameList none(host);
    EXPECT_FALSE(fav.RepairFavoriten(none).isEmpty());
    EXPECT_EQ(fav.count(), 3);
}

TEST_F(FavoritesTest, ClickingAFavouriteFindsItOrOffersARepair)
{
    games.setLists({"/g/First.adf", "/g/sub/Second.adf"}, {"First", "Second"});
    fav.AddFavorite("First", "/g/First.adf", 0);
    fav.AddFavorite("Second", "/g/elsewhere/Second.adf", 1);
    fav.AddFavorite("Lost", "/g/Lost.adf", 2);
    fav.SaveFavorites();
    EXPECT_EQ(fav.FavoritenListe_Click(0, games), 0); // index 0 counts as found
    EXPECT_EQ(fav.FavoritenListe_Click(1, games), 1); // by file name
    EXPECT_EQ(prompt.count(), 0);

    setCurrentLanguage(kLanguageGerman);
    prompt.queue(PromptAnswer::No);
    EXPECT_EQ(fav.FavoritenListe_Click(2, games), -1);
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Nicht gefunden - Reparieren"));
    EXPECT_EQ(prompt.lastText(),
              QStringLiteral("Datei wurde nicht gefunden!\nSollen die Favoriten repariert werden?\n\nLost.adf"));
    EXPECT_EQ(fav.count(), 3);
    prompt.queue(PromptAnswer::Yes);
    EXPECT_EQ(fav.FavoritenListe_Click(2, games), -1);
    EXPECT_EQ(prompt.lastTitle(), QStringLiteral("Reparatur - Ergebnis:"));
    EXPECT_EQ(fav.names(), (QStringList{"First", "Second"}));
}

TEST_F(FavoritesTest, AddToFavoritTakesTheCompleteListEntry)
{
    games.setLists({"/g/a.adf", "/g/b.adf"}, {"Alpha", "Beta"});
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(fav.AddToFavorit(games, 1), QStringLiteral("Neuer Favorit: Beta"));
    const QByteArray saved = text().toUtf8();
    // Already there: the same caption, one favourite, the file untouched.
    EXPECT_EQ(fav.AddToFavorit(games, 1), QStringLiteral("Neuer Favorit: Beta"));
    EXPECT_EQ(fav.count(), 1);
    EXPECT_EQ(text().toUtf8(), saved);
    EXPECT_EQ(fav.AddToFavorit(games, 5), QString());
    EXPECT_EQ(fav.FindFavorite("b.adf"), 0);
    EXPECT_EQ(fav.FindFavorite("B.ADF"), -1);
    EXPECT_TRUE(text().contains("Fav0_Name=Beta"));
}

TEST_F(FavoritesTest, RepairChoosesTheSamePathsAsTheLookUpOrder)
{
    // Each favourite is found at another step: the exact path (the first of
    // two equal ones), a path containing it, its file name (the first of two
    // folders), a path containing its file name, and only its name.
    games.setLists({"/g/z/Name Only (1990)/disk.adf", "/g/a/Same.adf", "/g/b/Same.adf", "/g/a/Same.adf",
                    "/mnt/g/Inner.adf", "/g/new/Moved.adf", "/g/other/Moved.adf", "/g/c/xSub.adf"},
                   {"n", "s", "s", "s", "i", "m", "m", "x"});
    const QList<FavoriteRecord> favourites{
        {"Same", "/g/a/Same.adf", -1},       {"Inner", "/g/Inner.adf", -1},
        {"Moved", "/g/old/Moved.adf", -1},   {"Sub", "/g/gone/Sub.adf", -1},
        {"Name Only (1990)", "/q/q.adf", -1}, {"Lost", "/q/lost.adf", -1},
    };
    for (const FavoriteRecord& r : favourites)
        fav.AddFavorite(r.Name, r.FullPath, r.Index);
    // The look-ups one by one, as a click on each favourite does them.
    QStringList expected;
    for (const FavoriteRecord& r : favourites) {
        int f = Favorites::locate(games, r.FullPath);
        if (f < 0)
            f = games.FindInFullList(r.Name);
        if (f >= 0)
            expected.append(games.UAE_FULL().at(f));
    }
    fav.RepairFavoriten(games);
    QStringList repaired;
    for (const FavoriteRecord& r : fav.records())
        repaired.append(r.FullPath);
    EXPECT_EQ(repaired, expected);
    EXPECT_EQ(repaired, (QStringList{"/g/a/Same.adf", "/mnt/g/Inner.adf", "/g/new/Moved.adf", "/g/c/xSub.adf",
                                     "/g/z/Name Only (1990)/disk.adf"}));
}
