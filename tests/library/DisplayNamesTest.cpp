#include "config/Language.h"
#include "library/DisplayNames.h"
#include "library/DriveSelection.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(CutShortName, CutsAfterTheReleaseTags)
{
    const struct {
        const char* path;
        const char* sep;
        bool second;
        const char* expected;
    } rows[] = {
        {"/g/Turrican II (1991)(Rainbow Arts)[cr CSL](Disk 1 of 2).adf", ")", true, "Turrican II (1991)(Rainbow Arts)"},
        {"/g/Turrican II (1991)(Rainbow Arts)(Disk 2 of 2)[cr].adf", ")", true, "Turrican II (1991)(Rainbow Arts)"},
        {"/g/Lotus (1990).adf", ")", true, "Lotus (1990)"},
        {"/g/Tetris.adf", ")", true, "Tetris"},
        {"/g/a(b)cdef.adf", ")", true, "a(b)cdef"},     // first ")" at position 4: extension cut only
        {"/g/ab)cdefgh.zip2", ")", true, "ab)cdefgh."}, // four characters go, whatever the extension
        {"/g/a.ad", ")", true, "/g/a.ad"},              // fewer than 5 characters: the whole path
        {"  \"/g/Turrican II (1991)(Rainbow).adf\" ", "(", false, "Turrican II ("},
        {"/g/Zool (1992)(Gremlin).adf", "(", false, "Zool ("},
        {"/g/(1992) Zool.adf", "(", false, "(1992) Zool"},
        {"C:\\Games\\Lotus II (1991)(Gremlin).adf", ")", false, "Lotus II (1991)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(CutShortName(QString::fromUtf8(r.path), QString::fromUtf8(r.sep), r.second), QString::fromUtf8(r.expected))
            << r.path;
}

TEST(GetCharDiff, IsACappedEditDistance)
{
    const struct {
        const char* a;
        const char* b;
        qint16 limit;
        qint16 expected;
    } rows[] = {
        {"Turrican.adf", "Turrican.adf", 5, 0},
        {"ab", "ba", 5, 1},                          // swapped neighbours
        {"abc", "abcdefgh", 5, 5},                   // lengths differ by the limit or more
        {"Disk 1 of 3.adf", "Disk 2 of 3.adf", 5, 1},
        {"kitten", "sitting", 5, 3},
        {"", "abc", 5, 3},
        {"abc", "", 2, 2},
        {"Game A.adf", "Game B.adf", 1, 1},          // limit 1: only identical names score 0
        {"completely", "different!", 5, 5},
        {"x", "X", 5, 1},                            // case counts
    };
    for (const auto& r : rows) {
        EXPECT_EQ(getCharDiff(QString::fromUtf8(r.a), QString::fromUtf8(r.b), r.limit), r.expected) << r.a << " / " << r.b;
        EXPECT_EQ(getCharDiff(QString::fromUtf8(r.b), QString::fromUtf8(r.a), r.limit), r.expected) << "symmetric " << r.a;
    }
    // Long names stay cheap and never exceed the limit.
    const QString longA(5000, u'a');
    const QString longB = QString(4999, u'a') + u'b';
    EXPECT_EQ(getCharDiff(longA, longB, 5), 1);
    EXPECT_EQ(getCharDiff(longA, QString(5000, u'b'), 5), 5);
}

namespace {
const QStringList kDisks = {
    "/g/Apidya (1992)(Blue Byte).adf",
    "/g/Monkey Island (1991)(LucasArts)(Disk 1 of 3).adf",
    "/g/Monkey Island (1991)(LucasArts)(Disk 2 of 3).adf",
    "/g/Monkey Island (1991)(LucasArts)(Disk 3 of 3).adf",
    "/g/Zool (1992)(Gremlin).adf",
};
}

TEST(DriveSelection, SmartSelectionPutsTheNeighbouringDisksIntoTheDrives)
{
    const CompleteListClick c = CompleteListClicked(kDisks, 2, true, "1", {0, 2, 4});
    EXPECT_EQ(c.previewIndex, 2);
    ASSERT_TRUE(c.drivesChanged);
    EXPECT_EQ(c.selection, QList<int>{2});
    EXPECT_EQ(c.drives[0].filePath, kDisks[1]);
    EXPECT_EQ(c.drives[1].filePath, kDisks[2]);
    EXPECT_EQ(c.drives[2].filePath, kDisks[3]);
    EXPECT_EQ(c.drives[2].toolTip, QStringLiteral("Monkey Island (1991)(LucasArts)(Disk 3 of 3).adf"));
    EXPECT_TRUE(c.drives[2].ticked);
    EXPECT_FALSE(c.drives[3].ticked);
    EXPECT_FALSE(c.noEmptyDrive);
}

TEST(DriveSelection, WithoutFocusOnlyThePreviewChanges)
{
    const CompleteListClick c = CompleteListClicked(kDisks, 1, false, "1", {});
    EXPECT_EQ(c.previewIndex, 1);
    EXPECT_FALSE(c.drivesChanged);
    EXPECT_EQ(CompleteListClicked(kDisks, 9, true, "1", {}).previewIndex, -1);
}

TEST(DriveSelection, MultipleSelectionFillsFiveDrivesAndReportsTheSixth)
{
    QStringList many;
    for (int i = 0; i < 8; ++i)
        many.append(QStringLiteral("/g/game%1.adf").arg(i));
    const CompleteListClick c = CompleteListClicked(many, 0, true, "0", {5, 0, 1, 2, 3, 4});
    EXPECT_TRUE(c.noEmptyDrive);
    for (int d = 0; d < kDriveCount; ++d)
        EXPECT_EQ(c.drives[size_t(d)].filePath, many[d]);
    const CompleteListClick two = CompleteListClicked(many, 3, true, "0", {3, 7});
    EXPECT_FALSE(two.noEmptyDrive);
    EXPECT_EQ(two.drives[1].filePath, many[7]);
    EXPECT_FALSE(two.drives[2].ticked);
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(NoEmptyDriveText(), QStringLiteral("Keine Laufw. mehr frei"));
    setCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(NoEmptyDriveText(), QStringLiteral("No empty drive"));
}

TEST(DriveSelection, FromTheSimpleListOnlyIdenticalFileNamesFollow)
{
    const QStringList paths = {"/g/a/Game.adf", "/g/b/Game.adf", "/g/c/Gamf.adf", "/g/d/Game.adf"};
    const SimpleListClick on = SelectFromOtherList(paths, 0, "1");
    EXPECT_EQ(on.completeIndex, 0);
    EXPECT_EQ(on.selection, (QList<int>{0, 1, 3}));
    EXPECT_EQ(on.drives[2].filePath, paths[3]);
    const SimpleListClick off = SelectFromOtherList(paths, 1, "0");
    EXPECT_EQ(off.selection, QList<int>{1});
    EXPECT_TRUE(off.drives[0].ticked);
    EXPECT_FALSE(off.drives[1].ticked);
    EXPECT_EQ(SelectFromOtherList(paths, -1, "1").completeIndex, -1);
}

TEST(NameLabel, PathListClickShowsFileNameAndIndex)
{
    EXPECT_EQ(FullListNameLabel("/g/x.adf", 7), QStringLiteral("x.adf (7)"));
}
