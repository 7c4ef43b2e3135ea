#include "config/Ini.h"
#include "config/Profiles.h"
#include "support/TempDir.h"

#include <QFile>

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
