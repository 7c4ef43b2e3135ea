#include "config/FileNameCodec.h"
#include "config/Ini.h"
#include "config/IniScan.h"
#include "config/Profiles.h"
#include "support/RawFiles.h"
#include "support/TempDir.h"

#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

TEST(Profiles, ListsFoldersOnly)
{
    TempDir dir;
    dir.mkdir("Config/Amiga");
    dir.mkdir("Config/MAME 0.250");
    dir.mkdir("Config/.hidden");
    dir.write("Config/arvex.ini", "[Settings]\r\n");
    dir.write("Config/Skin.ini");
    QFile::link(dir.file("Config/Amiga"), dir.file("Config/Linked"));
    QStringList found = Profiles::list(dir.file("Config/"));
    found.sort();
    EXPECT_EQ(found, QStringList({"Amiga", "Linked", "MAME 0.250"}));
    EXPECT_TRUE(Profiles::list(dir.file("missing/")).isEmpty());
}

TEST(Profiles, RomCountSuffix)
{
    TempDir dir;
    EXPECT_EQ(Profiles::romCountSuffix(dir.file("none.ini")), "");
    const QString f = dir.write("a.ini", "[Settings]\r\n");
    EXPECT_EQ(Profiles::romCountSuffix(f), " (Roms: ?)");
    EXPECT_FALSE(dir.read("a.ini").contains("RomCount"));
    WriteIniValue("Settings", "RomCount", "42", f, false);
    EXPECT_EQ(Profiles::romCountSuffix(f), " (Roms: 42)");
}

TEST(Profiles, AFolderNamedInWindows1252IsAProfileLikeAnyOther)
{
    // "Spiele für Amiga" as Windows writes it: one byte 0xFC, not UTF-8.
    TempDir dir;
    const QByteArray root = QFile::encodeName(dir.mkdir("Config")) + '/';
    const QByteArray folder = root + "Spiele f\xFCr Amiga";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    ASSERT_TRUE(writeRawFile(folder + "/arvex.ini", "[Settings]\r\nRomCount=7\r\n"));

    const QStringList found = Profiles::list(dir.file("Config/"));
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(encodeFileName(found.first()), "Spiele f\xFCr Amiga");

    // Its settings read and write in place: no second folder or file appears.
    const QString settings = decodeFileName(folder) + QStringLiteral("/arvex.ini");
    EXPECT_EQ(Profiles::romCountSuffix(settings), " (Roms: 7)");
    EXPECT_TRUE(WriteIniValue("Settings", "GamePath", QStringLiteral("/Spiele/Ä"), settings, false));
    EXPECT_EQ(ReadIniValue("Settings", "GamePath", settings, "", false), QStringLiteral("/Spiele/Ä"));
    EXPECT_EQ(ReadIniValue("Settings", "Missing", settings, "default", true), QStringLiteral("default"));
    EXPECT_EQ(ReadIniValue("Settings", "Missing", settings, "", false), QStringLiteral("default"));
    EXPECT_EQ(Profiles::list(dir.file("Config/")).size(), 1);

    // A large settings file there is read by the scanning reader just the same.
    QByteArray large = "[Settings]\r\nRomCount=9\r\n";
    large += QByteArray(IniScan::kLargeFileBytes, '\n');
    ASSERT_TRUE(writeRawFile(folder + "/large.ini", large));
    EXPECT_EQ(Profiles::romCountSuffix(decodeFileName(folder) + QStringLiteral("/large.ini")), " (Roms: 9)");
    removeRawTree(folder);
}
