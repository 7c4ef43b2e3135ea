// WinUAE master template and start configuration files, and the drive panel.
#include "launch/WinUaeConfig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kDefaultTemplate =
    "fastmem_size=2\r\nchipmem_size=4\r\ngfx_width=720\r\ngfx_height=568\r\n\r\nfloppy_speed=800\r\n"
    "use_gui = no\r\nautoconfig = no\r\ncpu_type = 6800\r\ncpu_speed = Real\r\nsound_output = exact\r\n"
    "sound_channels = stereo\r\nsound_bits = 16\r\nbogomem_size = 1\r\n";

TEST(MasterConfig, MissingTemplateGetsTheDefaultsExistingOneStays)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("arvex_Master.uaecfg"));
    EXPECT_EQ(GetMasterConfig(path), path);
    EXPECT_EQ(dir.read(QStringLiteral("arvex_Master.uaecfg")), kDefaultTemplate);
    dir.write(QStringLiteral("arvex_Master.uaecfg"), "mine=1\n");
    EXPECT_EQ(GetMasterConfig(path), path);
    EXPECT_EQ(dir.read(QStringLiteral("arvex_Master.uaecfg")), "mine=1\n");
    EXPECT_EQ(GetMasterConfig(QString()), QString());
    EXPECT_EQ(GetMasterConfig(dir.file(QStringLiteral("no folder/x.uaecfg"))), QString());
    EXPECT_EQ(GetMasterConfig(dir.mkdir(QStringLiteral("a folder"))), QString());
}

struct ConfigRow {
    const char* what;
    QByteArray templ;      // null: no template file
    bool fullScreen;
    const char* kickstart;
    std::array<const char*, 5> disks;
    QByteArray expected;
    int historyLines;
};

TEST(StartScriptConfig, TemplateThenFullScreenKickstartAndFloppiesInDriveOrder)
{
    const ConfigRow rows[] = {
        {"template only", "a=1\r\nb=2\r\n", false, "", {}, "\r\na=1\r\nb=2\r\n", 0},
        {"template in LF lines", "a=1\nb=2", false, "", {}, "\r\na=1\r\nb=2\r\n", 0},
        {"no template", QByteArray(), false, "", {}, "\r\n", 0},
        {"full screen", QByteArray(), true, "", {}, "\r\ngfx_fullscreen_amiga=True\r\ngfx_fullscreen=True\r\n", 0},
        {"kickstart, trimmed", "a=1", false, "  /roms/kick 1.3.rom ", {},
         "\r\na=1\r\nkickstart_rom_file=/roms/kick 1.3.rom\r\n", 0},
        {"template names the kickstart", "kickstart_rom_file=/mine.rom", false, "/roms/k.rom", {},
         "\r\nkickstart_rom_file=/mine.rom\r\n", 0},
        {"gap between floppies", QByteArray(), false, "", {"/g/d1.adf", "", "/g/d3.adf", nullptr, nullptr},
         "\r\nfloppy0=/g/d1.adf\r\nfloppy2=/g/d3.adf\r\n", 2},
        {"blank in path is quoted", QByteArray(), false, "", {"/g/disk one.adf", nullptr, nullptr, nullptr, "/g/e.adf"},
         "\r\nfloppy0=\"/g/disk one.adf\"\r\nfloppy4=/g/e.adf\r\n", 2},
        {"line break cannot add settings", QByteArray(), false, "/k\nuse_gui=yes",
         {"/g/a\r\nuse_gui=yes.adf", "/g/b.adf", nullptr, nullptr, nullptr}, "\r\nfloppy1=/g/b.adf\r\n", 1},
    };
    for (const ConfigRow& r : rows) {
        TempDir dir;
        StartScriptConfigInput in;
        in.masterPath = dir.file(QStringLiteral("master.uaecfg"));
        if (!r.templ.isNull())
            dir.write(QStringLiteral("master.uaecfg"), r.templ);
        in.outputPath = dir.write(QStringLiteral("start.uaecfg"), "old content that must go");
        in.fullScreen = r.fullScreen;
        in.kickstartRom = QString::fromUtf8(r.kickstart);
        for (size_t i = 0; i < 5; ++i)
            in.drives[i] = QString::fromUtf8(r.disks[i]);
        const QStringList used = WriteStartScriptConfig(in);
        EXPECT_EQ(dir.read(QStringLiteral("start.uaecfg")), r.expected) << r.what;
        EXPECT_EQ(used.size(), r.historyLines) << r.what;
    }
}

TEST(DrivePanel, EmptySlotKeepsItsBoxUntickedAndTheLabelTogglesTheSize)
{
    DrivePanel panel;
    panel.setSlot(1, QStringLiteral("/g/a.adf"));
    for (int i : {0, 1, 5})
        panel.setBoxValue(i, 1);
    EXPECT_EQ(panel.Check_Dfx_MouseUp(0), 0);
    EXPECT_EQ(panel.Check_Dfx_MouseUp(1), 1);
    EXPECT_EQ(panel.Check_Dfx_MouseUp(5), 0);
    EXPECT_EQ(panel.Check_Dfx_MouseUp(6), 0);
    panel.DrivesResizeLabel_Click();
    EXPECT_EQ(QList<int>({panel.autoSize(), panel.widthTwips(), panel.heightTwips()}), QList<int>({0, 480, 210}));
    EXPECT_EQ(panel.resizeLabel(), QStringLiteral(">"));
    panel.DrivesResizeLabel_Click();
    EXPECT_TRUE(panel.autoSize());
    EXPECT_EQ(panel.resizeLabel(), QString(10, u' '));
}

} // namespace
