// Favourites and the list cache when their file cannot be written: the old
// file stays, the user is told once which file, and no success is shown.
#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "config/Language.h"
#include "library/Favorites.h"
#include "library/GameList.h"
#include "library/LibraryTestSupport.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// No write bit: refused for every user, root included.
void protect(const QString& path)
{
    ::chmod(QFile::encodeName(path).constData(), 0444);
}

} // namespace

class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppEnvironment::setOverrides(dir.path(), QStringLiteral("arvex"));
        setCurrentLanguage(kLanguageGerman);
        profile = dir.mkdir("Config/Amiga");
    }
    void TearDown() override
    {
        AppEnvironment::setOverrides(QString(), QString());
        setCurrentLanguage(kLanguageEnglish);
    }

    TempDir dir;
    RecordingHost host;
    GameList games{host};
    ScriptedPrompt prompt;
    QString profile;
};

TEST_F(SaveFailureTest, FavouriteChangesThatCannotBeSavedAreUndoneAndReportedOnce)
{
    const QByteArray before = "[Favoriten]\r\nFav0_Name=Alpha\r\nFav0_FullPath=/g/a.adf\r\n";
    const QString file = dir.write("Config/Amiga/Favoriten.ini", before);
    protect(file);
    games.setLists({"/g/a.adf", "/g/b.adf"}, {"Alpha", "Beta"});
    Favorites fav;
    fav.setFile(file);
    fav.LoadFavorites();

    struct Step {
        const char* what;
        std::function<bool()> change;
    } const steps[] = {
        {"add", [&] { return !fav.AddToFavorit(games, 1).isEmpty(); }},
        {"delete", [&] { return fav.DeleteFavorite(0); }},
        {"rename", [&] {
             prompt.queueInput("Anders");
             return fav.EditAliasName(0);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        prompt.clear();
        EXPECT_FALSE(step.change()) << "no success shown for a failed save";
        EXPECT_EQ(fav.names(), QStringList{"Alpha"}) << "the list shows what the file holds";
        EXPECT_EQ(dir.read("Config/Amiga/Favoriten.ini"), before);
        const QStringList messages = [&] {
            QStringList m;
            for (const ScriptedPrompt::Asked& a : prompt.asked())
                if (a.text.startsWith("Die Datei konnte nicht gespeichert werden:\r"))
                    m << a.text;
            return m;
        }();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.first().contains(file));
    }
}

TEST_F(SaveFailureTest, ARebuildWhoseCacheCannotBeSavedKeepsTheOldCacheAndItsCount)
{
    const QString settings = profile + "arvex.ini";
    const QString cache = profile + "arvex_Cache.txt";
    WriteIniValue("Settings", "RomCount", "1", settings, true);
    const QByteArray oldCache = "./Games/old.adf\r\nold\r\n";
    dir.write("Config/Amiga/arvex_Cache.txt", oldCache);
    protect(cache);
    const QString gameFolder = dir.mkdir("Games");
    dir.write("Games/a.adf");
    dir.write("Games/b.adf");

    games.RebuildList({gameFolder, settings, profile, cache});
    EXPECT_EQ(dir.read("Config/Amiga/arvex_Cache.txt"), oldCache);
    EXPECT_EQ(ReadIniValue("Settings", "RomCount", settings, "-1", false), "1");
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.asked().first().title, "Speichern fehlgeschlagen");
    EXPECT_TRUE(prompt.lastText().contains(cache));
}
