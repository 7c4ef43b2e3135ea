// The emulator command line built from the profile settings, the launcher
// script around it (run by a real shell), and the batch-file check.
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "launch/PathOps.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QString kGame = QStringLiteral("/games/My Game (1990).adf");
const QString kConfig = QStringLiteral("/cfg/arvex_StartScript.uaecfg");

struct Row {
    const char* what;
    CommandLineSettings settings;
    QString cmd;
    bool writeConfig;
};

CommandLineSettings make(int quote, const char* configParam, int master, const char* param, int add, int without)
{
    CommandLineSettings s;
    s.useQuote = quote;
    s.winUaeConfigParameter = QString::fromUtf8(configParam);
    s.useMasterConfig = master;
    s.emulatorParameter = QString::fromUtf8(param);
    s.addDiskPath = add;
    s.addDiskPathWithoutPath = without;
    return s;
}

TEST(CommandLine, EachSettingAddsItsPartInOrder)
{
    const QString g = QStringLiteral("'/games/My Game (1990).adf'");
    const QString n = QStringLiteral("'My Game (1990).adf'");
    const QString c = QStringLiteral("'/cfg/arvex_StartScript.uaecfg'");
    const Row rows[] = {
        {"nothing set", make(0, "", 0, "", 0, 0), QStringLiteral("  "), false},
        {"game only", make(0, "", 0, "", 1, 0), u' ' + g + u' ', false},
        {"game, quoted setting changes nothing", make(1, "", 0, "", 1, 0), u' ' + g + u' ', false},
        {"add disk path off leaves the game out", make(0, "", 0, "-cart", 0, 0), QStringLiteral(" -cart "), false},
        {"file name only", make(0, "", 0, "", 1, 1), u' ' + n + u' ', false},
        {"file name only, quoted", make(1, "", 0, "", 1, 1), u' ' + n + u' ', false},
        {"config switch, template, parameter, game", make(0, "-f", 1, "-s use_gui=no", 1, 0),
         QStringLiteral(" -f ") + c + QStringLiteral(" -s use_gui=no ") + g + u' ', true},
        {"template value other than 1 writes nothing", make(0, "-f", 2, "", 0, 0), QStringLiteral(" -f "), false},
        {"user text inserted as written, only the ends trimmed", make(0, "  -config=  ", 1, "  \"two words\"  ", 0, 0),
         QStringLiteral(" -config= ") + c + QStringLiteral("   \"two words\" "), true},
    };
    for (const Row& r : rows) {
        const CommandLine out = BuildCommandLine(r.settings, kGame, kConfig);
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
    EXPECT_TRUE(text.contains("WinUAE_UseMasterConfig=1"));
    EXPECT_TRUE(text.contains("EmulatorParameterAddDiskPath=0"));
}

// Runs a launcher script with a fake emulator that prints its folder and
// arguments NUL-separated; returns the fields.
QList<QByteArray> runScript(const TempDir& dir, const QString& emulator, const QString& cmd, const QString& wine = {})
{
    const QString script = dir.write(QStringLiteral("run.sh"), QFile::encodeName(LauncherScriptText(emulator, cmd, wine)));
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {script});
    p.waitForFinished(5000);
    QList<QByteArray> out = p.readAllStandardOutput().split('\0');
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

TEST(LauncherScript, ChangesIntoTheEmulatorFolderAndPassesArgumentsExactly)
{
    TempDir dir;
    const QString emu = WriteExecutable(dir, QStringLiteral("it's $HOME/emu"), "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$@\"\n");
    const QString text = LauncherScriptText(emu, QStringLiteral(" -a ") + ShellQuote(QStringLiteral("x'; touch pwned; '")) + u' ', {});
    EXPECT_TRUE(text.startsWith(QStringLiteral("#!/bin/sh\ncd ")));
    EXPECT_FALSE(text.contains(u'\r'));
    const QList<QByteArray> out =
        runScript(dir, emu, QStringLiteral(" -a ") + ShellQuote(QStringLiteral("x'; touch pwned; '")) + u' ');
    ASSERT_EQ(out.size(), 3);
    EXPECT_EQ(out[0], QFile::encodeName(dir.file(QStringLiteral("it's $HOME"))));
    EXPECT_EQ(out[1], "-a");
    EXPECT_EQ(out[2], "x'; touch pwned; '");
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("it's $HOME/pwned"))));
}

TEST(LauncherScript, WindowsProgramsStartThroughWine)
{
    TempDir dir;
    const QString wine = WriteExecutable(dir, QStringLiteral("bin/wine"), "#!/bin/sh\nprintf '%s\\0' \"$@\"\n");
    const QString emu = dir.write(QStringLiteral("WinUAE.exe"), "MZ");
    const QList<QByteArray> out = runScript(dir, emu, QStringLiteral(" 'a b' "), wine);
    ASSERT_EQ(out.size(), 2);
    EXPECT_EQ(out[0], QFile::encodeName(emu));
    EXPECT_EQ(out[1], "a b");
}

TEST(ResolveBatchFile, ExistingPathStaysMissingOneIsReported)
{
    TempDir dir;
    ScriptedPrompt prompts;
    EXPECT_EQ(ResolveBatchFile(QString()), QString());
    EXPECT_EQ(prompts.count(), 0);
    const QString script = dir.write(QStringLiteral("a b/arvex_tmp.sh"), "#!/bin/sh\n");
    EXPECT_EQ(ResolveBatchFile(script), script);
    EXPECT_EQ(ResolveBatchFile(u'"' + script + u'"'), script);
    EXPECT_EQ(prompts.count(), 0);
    EXPECT_EQ(ResolveBatchFile(dir.file(QStringLiteral("gone.sh"))), QString());
    EXPECT_EQ(prompts.lastText(), QStringLiteral("Bat - Start-File not found: \r") + dir.file(QStringLiteral("gone.sh")));
}

} // namespace
