// The emulator's command line built from the profile settings.
#include "launch/GameLauncher.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

CommandLineSettings make(int quote, const char* configParam, int master, const char* param, int add, int without)
{
    return {quote, QString::fromUtf8(configParam), master, QString::fromUtf8(param), add, without};
}

TEST(CommandLine, EachSettingAddsItsPartInOrder)
{
    const QString g = QStringLiteral("'/games/My Game (1990).adf'");
    const QString n = QStringLiteral("'My Game (1990).adf'");
    const QString c = QStringLiteral("'/cfg/arvex_StartScript.uaecfg'");
    const struct { const char* what; CommandLineSettings s; QString cmd; bool writeConfig; } rows[] = {
        {"nothing set", make(0, "", 0, "", 0, 0), QStringLiteral("  "), false},
        {"game only", make(0, "", 0, "", 1, 0), u' ' + g + u' ', false},
        {"quote setting: still one argument", make(1, "", 0, "", 1, 0), u' ' + g + u' ', false},
        {"add disk path off leaves the game out", make(0, "", 0, "-cart", 0, 0), QStringLiteral(" -cart "), false},
        {"file name only", make(0, "", 0, "", 1, 1), u' ' + n + u' ', false},
        {"file name only, quote setting", make(1, "", 0, "", 1, 1), u' ' + n + u' ', false},
        {"switch, template, parameter, game", make(0, "-f", 1, "-s use_gui=no", 1, 0),
         QStringLiteral(" -f ") + c + QStringLiteral(" -s use_gui=no ") + g + u' ', true},
        {"template value other than 1", make(0, "-f", 2, "", 0, 0), QStringLiteral(" -f "), false},
        {"user text as written, ends trimmed", make(0, "  -config=  ", 1, "  \"two words\"  ", 0, 0),
         QStringLiteral(" -config= ") + c + QStringLiteral("   \"two words\" "), true},
    };
    for (const auto& r : rows) {
        const CommandLine out = BuildCommandLine(r.s, QStringLiteral("/games/My Game (1990).adf"),
                                                 QStringLiteral("/cfg/arvex_StartScript.uaecfg"));
        EXPECT_EQ(out.cmd, r.cmd) << r.what;
        EXPECT_EQ(out.writeConfig, r.writeConfig) << r.what;
    }
}

TEST(CommandLine, SettingsAreReadFromTheProfileAndDefaultsStored)
{
    TempDir dir;
    const QString ini = dir.write(QStringLiteral("arvex.ini"), "[Settings]\r\nUseQuote=1\r\nEmulatorParameter=-x\r\n");
    const CommandLineSettings s = CommandLineSettings::read(ini);
    EXPECT_EQ(s.useQuote, 1);
    EXPECT_EQ(s.emulatorParameter, QStringLiteral("-x"));
    EXPECT_EQ(s.useMasterConfig, 1);
    EXPECT_EQ(s.addDiskPath, 0);
    const QByteArray text = dir.read(QStringLiteral("arvex.ini"));
    EXPECT_TRUE(text.contains("WinUAE_UseMasterConfig=1") && text.contains("EmulatorParameterAddDiskPath=0"));
}

} // namespace
