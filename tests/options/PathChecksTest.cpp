// The options window's path rules on real folders: error pictures, the game
// folder guess, the template line filter and the profile names.
#include "config/Language.h"
#include "options/PathChecks.h"
#include "options/ProfileFolders.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(PathChecks, FilePathValidity)
{
    TempDir dir;
    const QString file = dir.write(QStringLiteral("emu/stella"));
    const struct {
        QString text;
        bool invalid;
    } rows[] = {
        {QString(), true},
        {file, false},
        {dir.path() + QStringLiteral("emu/missing"), true},
        {dir.path() + QStringLiteral("emu"), true}, // a folder
        {dir.path() + QStringLiteral("emu/"), true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IsInvalidFilePath(row.text), row.invalid) << row.text.toStdString();
}

TEST(PathChecks, GameFolderValidity)
{
    TempDir dir;
    dir.write(QStringLiteral("files/game.adf"));
    dir.mkdir(QStringLiteral("folders/Disk A"));
    dir.mkdir(QStringLiteral("empty"));
    dir.write(QStringLiteral("hidden/.keep"));
    for (int i = 0; i < kRomFolderWalkLimit + 1; ++i)
        dir.write(QStringLiteral("manyhidden/.%1").arg(i));
    dir.write(QStringLiteral("fewhidden/.a"));
    dir.write(QStringLiteral("fewhidden/zzz.adf"));
    const struct {
        QString text;
        RomFolderState state;
    } rows[] = {
        {QString(), RomFolderState::Invalid},
        {dir.path() + QStringLiteral("files"), RomFolderState::Valid}, // separator added
        {dir.path() + QStringLiteral("folders/"), RomFolderState::Valid},
        {dir.path() + QStringLiteral("empty/"), RomFolderState::Invalid},
        {dir.path() + QStringLiteral("hidden/"), RomFolderState::Invalid},
        {dir.path() + QStringLiteral("manyhidden/"), RomFolderState::WalkLimit},
        {dir.path() + QStringLiteral("fewhidden/"), RomFolderState::Valid},
        {dir.path() + QStringLiteral("nothing/"), RomFolderState::Invalid},
        {dir.path() + QStringLiteral("files/game.adf"), RomFolderState::Invalid},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CheckRomFolder(row.text), row.state) << row.text.toStdString();
    EXPECT_EQ(RomFolderWalkLimitText(), QStringLiteral("ROMPATH - ERROR 42-001!"));
}

TEST(PathChecks, GameFolderGuessTakesTheFirstCandidateWithFiles)
{
    const struct {
        QStringList files; // below the emulator's folder
        QString expected;  // below the emulator's folder
    } rows[] = {
        {{QStringLiteral("Games/a.bin")}, QStringLiteral("Games/")},
        {{QStringLiteral("Roms/.hidden"), QStringLiteral("Disks/a.adf"), QStringLiteral("Games/b.adf")}, QStringLiteral("Disks/")},
        {{QStringLiteral("Rom/a.rom"), QStringLiteral("Roms/b.rom")}, QStringLiteral("Roms/")},
        {{QStringLiteral("rom/a.rom")}, QStringLiteral("rom/")}, // the name ignoring case
        {{QStringLiteral("Games/Sub/a.bin")}, QStringLiteral("Games/")},
        {{QStringLiteral("Other/a.bin")}, QString()},
        {{}, QString()},
    };
    for (const auto& row : rows) {
        TempDir dir;
        const QString exe = dir.write(QStringLiteral("Emu/emu.exe"));
        for (const QString& f : row.files)
            dir.write(QStringLiteral("Emu/") + f);
        EXPECT_EQ(GuessRomFolder(exe), dir.path() + QStringLiteral("Emu/") + row.expected) << row.files.join(u',').toStdString();
    }
    EXPECT_EQ(GuessRomFolder(QString()), QString());
}

TEST(PathChecks, TemplateLineFilter)
{
    const struct {
        QString line;
        bool allowed;
    } rows[] = {
        {QStringLiteral("use_gui=no"), true},
        {QStringLiteral("floppy0=/g/a.adf"), true},
        {QStringLiteral("floppy3=/g/d.adf"), true},
        {QStringLiteral("floppy1=/g/b.adf"), false},
        {QStringLiteral("floppy2="), false},
        {QStringLiteral("kickstart_rom_file=/k.rom"), false},
        {QStringLiteral(" x_floppy1=y"), false}, // anywhere in the line
        {QStringLiteral("FLOPPY1=/g/b.adf"), true}, // case-sensitive
        {QString(), false},
        {QStringLiteral("   "), false},
    };
    for (const auto& row : rows) {
        bool allowed = !row.allowed;
        ImportOfConfigStringAllowedValue(row.line, allowed);
        EXPECT_EQ(allowed, row.allowed) << row.line.toStdString();
    }
}

TEST(PathChecks, TemplateFileReadInEitherEncodingAndLineEnd)
{
    TempDir dir;
    const QString file = dir.write(QStringLiteral("a.uae"), "a=1\nfloppy1=x\rb=\xe4\r\n");
    QString text = QStringLiteral("old");
    ASSERT_TRUE(ReadTemplateLines(file, text));
    EXPECT_EQ(text, QStringLiteral("a=1\r\nb=ä\r\n"));
    text = QStringLiteral("old");
    EXPECT_FALSE(ReadTemplateLines(dir.path() + QStringLiteral("missing.uae"), text));
    EXPECT_EQ(text, QStringLiteral("old"));
}

TEST(ProfileFolders, NamesAreRefusedWithAMessage)
{
    setCurrentLanguage(kLanguageEnglish);
    TempDir dir;
    const QString root = dir.mkdir(QStringLiteral("Config"));
    dir.mkdir(QStringLiteral("Config/Amiga"));
    dir.write(QStringLiteral("Config/arvex.ini"));
    const struct {
        QString name;
        bool ok;
    } rows[] = {
        {QStringLiteral("C64"), true},      {QStringLiteral("Sega Saturn (Yabause)"), true},
        {QStringLiteral("Spiele äöü"), true}, {QString(), false},
        {QStringLiteral("  "), false},      {QStringLiteral("a/b"), false},
        {QStringLiteral("a\\b"), false},    {QStringLiteral("."), false},
        {QStringLiteral(".."), false},      {QStringLiteral(".hidden"), false},
        {QStringLiteral("amiga"), false},   {QStringLiteral("arvex.ini"), false},
        {QStringLiteral(" C64"), false},
    };
    for (const auto& row : rows) {
        const QString problem = ProfileFolders::nameProblem(root, row.name);
        EXPECT_EQ(problem.isEmpty(), row.ok) << row.name.toStdString() << " " << problem.toStdString();
    }
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(ProfileFolders::nameProblem(root, QStringLiteral("AMIGA")), QStringLiteral("Den Emulator \"Amiga\" gibt es schon."));
}

TEST(ProfileFolders, CreateAndRemoveThroughTheTrash)
{
    setCurrentLanguage(kLanguageEnglish);
    TempDir dir;
    qputenv("XDG_DATA_HOME", dir.mkdir(QStringLiteral("share")).toUtf8());
    const QString root = dir.mkdir(QStringLiteral("Config"));
    QString error;
    ASSERT_TRUE(ProfileFolders::create(root, QStringLiteral("C64"), error)) << error.toStdString();
    dir.write(QStringLiteral("Config/C64/Favoriten.ini"), "[Favoriten]\r\n");
    EXPECT_FALSE(ProfileFolders::create(root, QStringLiteral("C64"), error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(ProfileFolders::remove(root, QStringLiteral("C64"), error)) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("C64")));
    // Nothing is lost: the folder with its files lies in the trash.
    EXPECT_TRUE(QFileInfo::exists(dir.path() + QStringLiteral("share/Trash/files/C64/Favoriten.ini")));
    EXPECT_FALSE(ProfileFolders::remove(root, QStringLiteral("C64"), error));
    EXPECT_FALSE(ProfileFolders::remove(root, QStringLiteral(".."), error));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

} // namespace
