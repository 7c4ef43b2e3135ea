// The keys the window reads while it loads an emulator's view: a profile
// that lacks them gets each one written with its default, and the window
// shows what the value says. Real main window (offscreen) and game-list
// area over a real temporary program folder.
#include "WindowFixture.h"

#include <gtest/gtest.h>

namespace {

struct CreatedKey {
    const char* file;
    const char* key;
    const char* expected; // nullptr: any non-empty value
};

TEST(LoadKeys, MissingKeysAreWrittenWithTheirDefaultsOnLoad)
{
    const CreatedKey rows[] = {
        {"Config/Amiga/arvex.ini", "SmartRomSelection", "1"},
        {"Config/Amiga/arvex.ini", "DrvWindowX", nullptr}, // the panel's place at the time
        {"Config/Amiga/arvex.ini", "DrvWindowY", nullptr},
        {"Config/Amiga/Skin/Skin.ini", "BackColor", "#0052bc"},
        {"Config/Amiga/Skin/Skin.ini", "FontColor", "#FFFFFF"},
        {"Config/Amiga/Skin/Skin.ini", "TitleString", "Arvex 1.2"},
    };
    Program p;
    p.start();
    for (const CreatedKey& row : rows) {
        const QString value = p.value(row.file, row.key);
        if (row.expected)
            EXPECT_EQ(value, QString::fromLatin1(row.expected)) << row.file << " " << row.key;
        else
            EXPECT_FALSE(value.isEmpty()) << row.file << " " << row.key;
    }
}

TEST(LoadKeys, DrivePanelFollowsSmartRomSelection)
{
    struct Row {
        QByteArray ini;
        bool shown;
    };
    const Row rows[] = {
        {"[Settings]\r\n", true},                        // missing: default 1
        {"[Settings]\r\nSmartRomSelection=1\r\n", true},
        {"[Settings]\r\nSmartRomSelection=0\r\n", false},
        {"[Settings]\r\nSmartRomSelection=2\r\n", false}, // only exactly 1 shows it
        {"[Settings]\r\nSmartRomSelection=\r\n", true},   // empty counts as missing
    };
    for (const Row& row : rows) {
        Program p(row.ini);
        EXPECT_EQ(p.start().drivePanelShown(), row.shown) << row.ini.constData();
    }
}

TEST(LoadKeys, StoredDrivePanelPlaceIsKeptUntilTheExitWritesTheNewOne)
{
    Program p("[Settings]\r\nDrvWindowX=1234\r\nDrvWindowY=4321\r\n");
    GameListsPanel& panel = p.start();
    EXPECT_EQ(p.value("Config/Amiga/arvex.ini", "DrvWindowX"), "1234");
    EXPECT_EQ(p.value("Config/Amiga/arvex.ini", "DrvWindowY"), "4321");
    p.window->ExitBtn_Click();
    const QPoint place = panel.drivePanelPosition();
    EXPECT_EQ(p.value("Config/Amiga/arvex.ini", "DrvWindowX"), QString::number(place.x()));
    EXPECT_EQ(p.value("Config/Amiga/arvex.ini", "DrvWindowY"), QString::number(place.y()));
}

} // namespace
