#include "launch/PathOps.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

TEST(PathOps, SeparatorsQuotesAndNames)
{
    struct Row {
        QString in, trailing, fileName;
    } rows[] = {
        {"/home/u/games", "/home/u/games/", "games"},
        {"/home/u/games/", "/home/u/games/", ""},
        {"C:", "C:", "C:"},
        {"C:\\Games", "C:\\Games\\", "Games"},
        {"C:\\Games/sub", "C:\\Games/sub\\", "Games/sub"},
        {"\"/a b/c\"", "\"/a b/c/\"", "c\""},
        {"", "", ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(AddTrailingSeparator(r.in), r.trailing) << r.in.toStdString();
        EXPECT_EQ(FileNameOf(r.in), r.fileName) << r.in.toStdString();
    }
    EXPECT_EQ(FolderOf("/x/y/file.adf"), "/x/y/");
    EXPECT_EQ(FolderOf("C:\\x\\f.adf"), "C:\\x\\");
    EXPECT_EQ(FolderOf("file.adf"), "");

    EXPECT_EQ(QuoteIfNeeded("  /a b/c  "), "\"/a b/c\"");
    EXPECT_EQ(QuoteIfNeeded("\"/a b/c\""), "\"/a b/c\"");
    EXPECT_EQ(QuoteIfNeeded("/a/c"), "/a/c");
    EXPECT_EQ(StripEnclosingQuotes(" \"/a b\" "), "/a b");
    EXPECT_EQ(StripEnclosingQuotes("\""), "\"");
    EXPECT_EQ(ShortPathName("\"/a b/c\""), "/a b/c");
    EXPECT_EQ(LongPathName("/a/c"), "/a/c");
}

TEST(PathOps, RelativePathsRoundTrip)
{
    struct Row {
        QString base, target, stored;
    } rows[] = {
        {"/opt/arvex/", "/opt/arvex/Games/Amiga/", "./Games/Amiga/"},
        {"/opt/arvex/", "/opt/arvex/Emulators/uae", "./Emulators/uae"},
        {"/opt/arvex", "/opt/arvex/x.adf", "./x.adf"},
        {"/opt/arvex/", "/opt/arvex/", "./"},
        {"/opt/arvex/", "/opt/games/a.adf", "../games/a.adf"},
        {"/home/u/arvex/", "/home/u/Games/x/y z.adf", "../Games/x/y z.adf"},
        {"/home/u/arvex/", "/home/u/arvex2/a.adf", "../arvex2/a.adf"},
        {"/home/u/arvex/", "/home/U/arvex/a.adf", "../../U/arvex/a.adf"},
        {"/opt/arvex/", "/mnt/usb/a.adf", "/mnt/usb/a.adf"},
        {"/opt/arvex/", "C:\\Games\\a.adf", "C:\\Games\\a.adf"},
        {"/opt/arvex/", "", ""},
    };
    for (const Row& r : rows) {
        const QString stored = MakeRelativePath(r.base, r.target);
        EXPECT_EQ(stored, r.stored) << r.target.toStdString();
        EXPECT_EQ(MakeAbsolutePath(r.base, stored), r.target) << r.target.toStdString();
    }
}

TEST(PathOps, ReadsLegacyWindowsValues)
{
    const QString base = "/opt/arvex/";
    EXPECT_EQ(MakeAbsolutePath(base, "\\Games\\Amiga\\"), "/opt/arvex/Games/Amiga/");
    EXPECT_EQ(MakeAbsolutePath(base, "Games\\a.adf"), "/opt/arvex/Games/a.adf");
    EXPECT_EQ(MakeAbsolutePath(base, "..\\other\\a.adf"), "/opt/other/a.adf");
    EXPECT_EQ(MakeAbsolutePath(base, "ab:c.adf"), "/opt/arvex/ab:c.adf");
    EXPECT_EQ(MakeAbsolutePath(base, "D:\\Roms\\"), "D:\\Roms\\");
    EXPECT_EQ(MakeAbsolutePath("/top/", "../../x"), "/x");
}

TEST(PathOps, ShellQuotingKeepsOneWord)
{
    EXPECT_EQ(ShellQuote("plain"), "'plain'");
    EXPECT_EQ(ShellQuote("x'; touch pwned; '"), "'x'\\''; touch pwned; '\\'''");
    EXPECT_EQ(ShellQuote(""), "''");
}

TEST(PathOps, DirectoryTest)
{
    TempDir dir;
    dir.write("f.txt", "x");
    EXPECT_TRUE(IsDirectory(dir.path()));
    EXPECT_FALSE(IsDirectory(dir.file("f.txt")));
    EXPECT_FALSE(IsDirectory(dir.file("missing")));
    EXPECT_FALSE(IsDirectory(""));
}
