#include "config/SettingsPaths.h"

#include <gtest/gtest.h>

TEST(SettingsPaths, NoEmulatorAndSelectedValues)
{
    SettingsPaths p("/opt/arvex", "arvex");
    EXPECT_EQ(p.configRoot(), "/opt/arvex/Config/");
    EXPECT_EQ(p.startFolder(), "/opt/arvex/Config/");
    EXPECT_EQ(p.settingsFile(), "/opt/arvex/Config/arvex.ini");
    EXPECT_EQ(p.globalSettingsFile(), p.settingsFile());
    EXPECT_EQ(p.skinFile(), "/opt/arvex/Config/Skin.ini");
    EXPECT_EQ(p.favouritesFile(), "/opt/arvex/Config/Favoriten.ini");

    p.selectEmulator("Amiga 500");
    EXPECT_EQ(p.startFolder(), "/opt/arvex/Config/Amiga 500/");
    EXPECT_EQ(p.settingsFile(), "/opt/arvex/Config/Amiga 500/arvex.ini");
    EXPECT_EQ(p.globalSettingsFile(), "/opt/arvex/Config/arvex.ini");
    EXPECT_EQ(p.skinFile(), "/opt/arvex/Config/Amiga 500/Skin/Skin.ini");
    EXPECT_EQ(p.startScriptFile(), "/opt/arvex/Config/Amiga 500/Startscript.vbs");
    EXPECT_EQ(p.launcherScriptFile(), "/opt/arvex/Config/Amiga 500/arvex_tmp.sh");
    EXPECT_EQ(p.listCacheFile(), "/opt/arvex/Config/Amiga 500/arvex_Cache.txt");
    EXPECT_EQ(p.startScriptConfigFile(), "/opt/arvex/Config/Amiga 500/arvex_StartScript.uaecfg");
    EXPECT_EQ(p.settingsFileOf("C64"), "/opt/arvex/Config/C64/arvex.ini");

    p.selectNone();
    EXPECT_EQ(p.settingsFile(), "/opt/arvex/Config/arvex.ini");
}
