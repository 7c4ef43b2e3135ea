// The start script: its template (written only when missing), the host that
// runs it, and running it with the runner file removed afterwards.
#include "launch/LaunchTestSupport.h"
#include "launch/StartScript.h"

#include <gtest/gtest.h>

namespace {

TEST(StartScriptTemplate, WrittenOnlyWhenMissingWithTheEmulatorsName)
{
    TempDir dir;
    const QString script = dir.file(QStringLiteral("Startscript.vbs"));
    EXPECT_TRUE(WriteStartScriptTemplate(script, QStringLiteral("/emus/WinUAE.exe")));
    const QList<QByteArray> lines = dir.read(QStringLiteral("Startscript.vbs")).split('\n');
    ASSERT_EQ(lines.size(), 17); // 16 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "' === Startscript for WinUAE ===\r");
    EXPECT_EQ(lines[2], "Set ws = CreateObject(\"Wscript.shell\")\r");
    EXPECT_EQ(lines[5], "ws.AppActivate \"WinUAE\"\r");
    EXPECT_EQ(lines[6], "wscript.Sleep 500                            \r");
    EXPECT_EQ(lines[15], "ws.SendKeys (\"{F8}\")\r");
    dir.write(QStringLiteral("Startscript.vbs"), "my edits");
    EXPECT_FALSE(WriteStartScriptTemplate(script, QStringLiteral("/emus/WinUAE.exe")));
    EXPECT_EQ(dir.read(QStringLiteral("Startscript.vbs")), "my edits");
}

TEST(StartScriptHost, ShebangInterpreterElseWineElseNothing)
{
    TempDir dir;
    const QString wine = WriteExecutable(dir, QStringLiteral("bin/wine"), "#!/bin/sh\n");
    const QString py = WriteExecutable(dir, QStringLiteral("bin/mypython"), "#!/bin/sh\n");
    ScopedEnv path{"PATH", QFile::encodeName(dir.file(QStringLiteral("bin")))};
    const QString vbs = dir.write(QStringLiteral("Startscript.vbs"), "Set ws = CreateObject(\"Wscript.shell\")\r\n");
    const QString shebang = dir.write(QStringLiteral("a.vbs"), "#!/bin/sh\r\necho\n");
    const QString withArg = dir.write(QStringLiteral("b.vbs"), "#! mypython  -u -x \nprint()\n");
    EXPECT_EQ(StartScriptHost(vbs), (QStringList{wine, QStringLiteral("wscript.exe"), vbs}));
    EXPECT_EQ(StartScriptHost(shebang), (QStringList{QStringLiteral("/bin/sh"), shebang}));
    EXPECT_EQ(StartScriptHost(withArg), (QStringList{py, QStringLiteral("-u -x"), withArg}));
    EXPECT_EQ(StartScriptHost(dir.write(QStringLiteral("c.vbs"), "#!/no/such/interpreter\n")), QStringList());
    QFile::remove(wine);
    EXPECT_EQ(StartScriptHost(vbs), QStringList());
    EXPECT_EQ(RunStartScript(vbs), 0); // nothing can run it: no runner is left either
    EXPECT_FALSE(QFile::exists(vbs + QStringLiteral(".sh")));
    EXPECT_EQ(RunStartScript(dir.file(QStringLiteral("missing.vbs"))), 0);
}

TEST(RunStartScript, RunsTheScriptInItsFolderAndRemovesTheRunner)
{
    TempDir dir;
    const QString marker = dir.file(QStringLiteral("out"));
    const QString script = dir.write(QStringLiteral("Emu Folder/Startscript.vbs"),
                                     "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$0\" > '" + QFile::encodeName(marker) + "'\n");
    EXPECT_GT(RunStartScript(script), 0);
    EXPECT_FALSE(QFile::exists(script + QStringLiteral(".sh")));
    EXPECT_EQ(WaitForRecord(marker), (QList<QByteArray>{QFile::encodeName(dir.file(QStringLiteral("Emu Folder"))),
                                                        QFile::encodeName(script)}));
}

} // namespace
