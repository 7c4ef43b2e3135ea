#include "config/Ini.h"
#include "support/TempDir.h"
#include "ui/WindowPlacement.h"

#include <QWidget>

#include <gtest/gtest.h>

TEST(WindowPlacement, StoresSizeOnlyForLargeNormalWindows)
{
    struct Row {
        WindowPlacement::State state;
        QRect pixels;
        bool stored;
    } rows[] = {
        {WindowPlacement::Normal, {10, 20, 800, 600}, true},
        {WindowPlacement::Normal, {0, 0, 134, 600}, true},   // 2010 twips wide
        {WindowPlacement::Normal, {0, 0, 133, 600}, false},  // 1995 twips
        {WindowPlacement::Normal, {0, 0, 800, 66}, false},   // 990 twips high
        {WindowPlacement::Maximised, {0, 0, 1920, 1080}, false},
        {WindowPlacement::Minimised, {0, 0, 800, 600}, false},
    };
    for (const Row& r : rows) {
        TempDir dir;
        const QString f = dir.write("g.ini", "[Settings]\r\nWindowX=9999\r\n");
        WindowPlacement::write(f, r.state, r.pixels);
        EXPECT_EQ(GetPrivateProfileString("Settings", "WindowState", f), QString::number(r.state));
        EXPECT_EQ(GetPrivateProfileString("Settings", "WindowX", f),
                  r.stored ? QString::number(r.pixels.width() * 15) : QString("9999"));
    }
}

TEST(WindowPlacement, ReadsTwipsWithCurrentValuesAsDefaults)
{
    TempDir dir;
    const QString f = dir.file("g.ini");
    WindowPlacement::read(f, {5, 6, 700, 500}); // creates the file
    const WindowPlacement::Stored s = WindowPlacement::read(f, {5, 6, 700, 500});
    EXPECT_EQ(s.state, 0);
    EXPECT_EQ(s.twips, QRect(75, 90, 10500, 7500));
    EXPECT_EQ(GetPrivateProfileString("Settings", "WindowX", f), "10500");
    // Screens wider than 2184 pixels need more than 16 bits of twips.
    WriteIniValue("Settings", "WindowX", "38400", f, true);
    EXPECT_EQ(WindowPlacement::read(f, {}).twips.width(), 38400);
}

TEST(WindowPlacement, SaveSaysWhetherThePlacementWasWritten)
{
    TempDir dir;
    QWidget window;
    window.resize(800, 600);
    window.move(40, 30);
    EXPECT_TRUE(WindowPlacement::save(dir.file("g.ini"), window));
    EXPECT_EQ(GetPrivateProfileString("Settings", "WindowTop", dir.file("g.ini")), "450");
    // A folder that cannot exist: a file of that name is in the way.
    dir.write("taken", "a file");
    EXPECT_FALSE(WindowPlacement::save(dir.file("taken/g.ini"), window));
}
