// First start without emulators: which installed native emulators are found,
// and what the offer creates, remembers and leaves alone.
#include "config/Ini.h"
#include "config/KnownEmulators.h"
#include "config/Language.h"
#include "firststart/FirstStart.h"
#include "launch/PathOps.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSettings = QStringLiteral("Settings");

QString makeProgram(const TempDir& dir, const QString& relative, bool executable = true)
{
    const QString path = dir.write(relative, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(path, executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                           : QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

QString setting(const QString& file, const QString& key)
{
    return ReadIniValue(kSettings, key, file, QStringLiteral("<missing>"), false);
}

TEST(FirstStartTest, ProfileNamesComeFromTheNativeRowsDisplayNames)
{
    QStringList names;
    for (const KnownEmulator& row : KnownEmulatorTable())
        if (row.match == KnownEmulator::Match::FileName)
            names << FirstStart::profileName(row);
    EXPECT_EQ(names, (QStringList{"DOSBox", "Stella", "Mednafen", "MAME", "Hatari", "FS-UAE", "mGBA", "FCEUX",
                                  "Nestopia"}));
}

TEST(FirstStartTest, FindsExecutableProgramsOnlyByTheirExactNameInTableOrder)
{
    TempDir dir;
    const QString dosbox = makeProgram(dir, "bin/dosbox");
    makeProgram(dir, "bin/stella", false);         // not executable
    dir.mkdir("bin/mame");                          // a folder, not a program
    makeProgram(dir, "bin/hatari.sh");              // another name
    makeProgram(dir, "bin/winuae.exe");             // a Windows row: never offered
    const QString mgba = makeProgram(dir, "games/mgba-qt");
    const QString firstFceux = makeProgram(dir, "bin/fceux");
    makeProgram(dir, "games/fceux");

    const auto found = FirstStart::findInstalled({dir.file("bin"), dir.file("games"), dir.file("missing")});
    QStringList got;
    for (const auto& f : found)
        got << f.profileName + u'=' + f.executable;
    EXPECT_EQ(got, (QStringList{"DOSBox=" + dosbox, "mGBA=" + mgba, "FCEUX=" + firstFceux}));
}

TEST(FirstStartTest, SearchFoldersArePathThenGamesFoldersEachOnce)
{
    const QByteArray saved = qgetenv("PATH");
    qputenv("PATH", "/usr/bin::/usr/games/:relative/bin:/usr/bin");
    const QStringList folders = FirstStart::defaultSearchFolders();
    qputenv("PATH", saved);
    EXPECT_EQ(folders, (QStringList{"/usr/bin", "/usr/games", "/usr/local/games"}));
}

struct Home {
    TempDir dir;
    TempDir games;
    ScriptedPrompt prompt;
    ScriptedFileChooser chooser;
    QList<FirstStart::FoundEmulator> found;

    Home()
    {
        setCurrentLanguage(kLanguageEnglish);
        makeProgram(dir, "usr/bin/dosbox");
        makeProgram(dir, "usr/games/stella");
        found = FirstStart::findInstalled({dir.file("usr/bin"), dir.file("usr/games")});
        dir.mkdir("home/Config");
    }
    QString home() const { return dir.file("home/"); }
    QString configRoot() const { return dir.file("home/Config/"); }
    QString globalFile() const { return dir.file("home/Config/arvex.ini"); }
    QStringList offer() { return FirstStart::offer(home(), "arvex", found, "/start/"); }
};

TEST(FirstStartTest, NoCreatesNothingButIsRememberedAndNotOfferedAgain)
{
    Home h;
    ASSERT_EQ(h.found.size(), 2);
    EXPECT_TRUE(FirstStart::offerPending(h.configRoot(), h.globalFile()));
    EXPECT_FALSE(QFileInfo::exists(h.globalFile())); // asking alone writes nothing

    h.prompt.queue(PromptAnswer::No);
    EXPECT_TRUE(h.offer().isEmpty());
    ASSERT_EQ(h.prompt.count(), 1);
    EXPECT_EQ(h.prompt.asked().first().buttons, PromptButtons::YesNo);
    EXPECT_TRUE(h.prompt.lastText().contains(h.dir.file("usr/bin/dosbox")));
    EXPECT_TRUE(h.prompt.lastText().contains(h.dir.file("usr/games/stella")));
    EXPECT_TRUE(h.chooser.requests().isEmpty());
    EXPECT_EQ(QDir(h.configRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(setting(h.globalFile(), FirstStart::offeredKey()), "1");
    EXPECT_FALSE(FirstStart::offerPending(h.configRoot(), h.globalFile()));
}

TEST(FirstStartTest, YesAsksEachGameFolderAndWritesOnlyTheChosenOnes)
{
    Home h;
    h.prompt.queue(PromptAnswer::Yes);
    h.chooser.queue(QString());                    // DOSBox: cancelled
    const QString roms = h.games.mkdir("Atari 2600 Spiele");
    h.chooser.queue(roms);                         // Stella

    EXPECT_EQ(h.offer(), QStringList{"Stella"});
    ASSERT_EQ(h.chooser.requests().size(), 2);
    EXPECT_EQ(h.chooser.requests()[0].mode, "Dir");
    EXPECT_EQ(h.chooser.requests()[0].defaultPath, "/start/");
    EXPECT_TRUE(h.chooser.requests()[0].caption.contains("DOSBox"));
    EXPECT_TRUE(h.chooser.requests()[1].caption.contains("Stella"));

    EXPECT_FALSE(QFileInfo::exists(h.configRoot() + "DOSBox"));
    const QString ini = h.configRoot() + "Stella/arvex.ini";
    // Stored the way the options window stores paths: they resolve to the chosen ones.
    EXPECT_EQ(QDir::cleanPath(MakeAbsolutePath(h.home(), setting(ini, "EmulatorPath"))),
              h.dir.file("usr/games/stella"));
    EXPECT_EQ(QDir::cleanPath(MakeAbsolutePath(h.home(), setting(ini, "RomPath"))), QDir::cleanPath(roms));
    EXPECT_EQ(setting(ini, "Dir_Parameter"), "*.a26, *.bin, *.zip");
    EXPECT_EQ(setting(ini, "EmulatorParameterAddDiskPath"), "1");
    // A native emulator must not be handed a WinUAE configuration.
    EXPECT_EQ(setting(ini, "WinUAE_UseMasterConfig"), "0");
    EXPECT_EQ(setting(h.globalFile(), FirstStart::offeredKey()), "1");
    EXPECT_FALSE(FirstStart::offerPending(h.configRoot(), h.globalFile()));
}

TEST(FirstStartTest, AnExistingProfileMeansNoOfferAndIsNeverOverwritten)
{
    Home h;
    h.dir.write("home/Config/DOSBox/arvex.ini", "[Settings]\r\nEmulatorPath=/mine/dosbox\r\n");
    EXPECT_FALSE(FirstStart::offerPending(h.configRoot(), h.globalFile()));

    // Offered anyway (the profile appeared meanwhile): DOSBox is skipped, not asked for.
    h.prompt.queue(PromptAnswer::Yes);
    h.chooser.queue(h.games.mkdir("a26"));
    EXPECT_EQ(h.offer(), QStringList{"Stella"});
    ASSERT_EQ(h.chooser.requests().size(), 1);
    EXPECT_EQ(setting(h.configRoot() + "DOSBox/arvex.ini", "EmulatorPath"), "/mine/dosbox");
}

TEST(FirstStartTest, AProfileThatCannotBeMadeIsNotReportedAsRegistered)
{
    Home h;
    // A plain file where the Stella profile folder would go.
    h.dir.write("home/Config/Stella", "a file, not a folder");
    h.prompt.queue(PromptAnswer::Yes);
    h.chooser.queue(h.games.mkdir("dos"));
    h.chooser.queue(h.games.mkdir("a26"));
    EXPECT_EQ(h.offer(), QStringList{"DOSBox"});
    EXPECT_TRUE(QFileInfo(h.configRoot() + "Stella").isFile());
    EXPECT_EQ(h.dir.read("home/Config/Stella"), "a file, not a folder");
}

} // namespace
