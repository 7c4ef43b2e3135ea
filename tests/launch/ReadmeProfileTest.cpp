// The README's example profile is the file examples/profiles/dosbox/arvex.ini,
// shown there verbatim, and it starts a real DOSBox through the real launch
// code: the game reaches DOSBox as one argument, no WinUAE configuration is
// put in front of it, and DOSBox really runs it.
#include "config/Ini.h"
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kExample = QStringLiteral("examples/profiles/dosbox/arvex.ini");

QByteArray sourceFile(const QString& relative)
{
    QFile f(QStringLiteral(ARVEX_SOURCE_DIR "/") + relative);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A DOS program that creates RAN.TXT ("OK") in its folder, then loops until
// DOSBox is ended.
const QByteArray kRunMeCom = QByteArray::fromHex(
    "b43c31c9ba1b01cd2189c3b440b90200ba2301cd21b43ecd21ebfe") + QByteArray("RAN.TXT\0OK", 10);

TEST(ReadmeProfile, ReadmeShowsTheExampleFileVerbatim)
{
    const QByteArray readme = sourceFile(QStringLiteral("README.md"));
    const QByteArray example = sourceFile(kExample);
    ASSERT_FALSE(example.isEmpty()) << "missing " << kExample.toStdString();
    const qsizetype named = readme.indexOf('`' + kExample.toUtf8() + '`');
    ASSERT_GE(named, 0) << "the README does not name " << kExample.toStdString();
    const qsizetype open = readme.indexOf("```ini\n", named);
    ASSERT_GE(open, 0);
    const qsizetype start = open + 7;
    const qsizetype close = readme.indexOf("\n```\n", start);
    ASSERT_GT(close, start);
    EXPECT_EQ(readme.mid(start, close + 1 - start), example);
}

TEST(ReadmeProfile, DosboxRunsTheGameFromTheExampleProfile)
{
    TempDir dir;
    const QString start = dir.mkdir(QStringLiteral("Config/DOSBox"));
    const LaunchPaths paths{dir.path(),
                            start,
                            dir.write(QStringLiteral("Config/DOSBox/arvex.ini"), sourceFile(kExample)),
                            dir.path() + QStringLiteral("Config/arvex.ini"),
                            start + QStringLiteral("arvex_tmp.sh"),
                            start + QStringLiteral("arvex_StartScript.uaecfg"),
                            QString(),
                            start + QStringLiteral("Startscript.vbs")};
    // The emulator as the main window reads it from the profile.
    const QString emulator = MakeAbsolutePath(
        dir.path(), ReadIniValue(QStringLiteral("Settings"), QStringLiteral("EmulatorPath"), paths.settingsFile,
                                 QString(), true));
    if (!QFileInfo(emulator).isExecutable())
        GTEST_SKIP() << emulator.toStdString()
                     << " is not installed (Debian package dosbox, optional in scripts/setup.sh): "
                        "the README's example profile cannot be started";

    // DOSBox without a screen or sound card, its settings in the temporary folder.
    ScopedEnv home{"HOME", QFile::encodeName(dir.path())};
    ScopedEnv video{"SDL_VIDEODRIVER", "dummy"};
    ScopedEnv audio{"SDL_AUDIODRIVER", "dummy"};
    RecordingHost host;
    host.launchPaths = paths;
    host.emulator = emulator;
    ScriptedPrompt prompts;
    GameMonitor monitor{host};
    monitor.timer().setInterval(3600 * 1000); // the test ticks the monitor itself
    GameLauncher launcher{host, monitor};

    QString game = dir.write(QStringLiteral("Games/Dos Games (1993) & 'more'/RUNME.COM"), kRunMeCom);
    ASSERT_EQ(launcher.LaunchGame(game), GameLauncher::Result::Started);
    const qint64 pid = launcher.lastStartedPid();
    const QString ran = QFileInfo(game).absolutePath() + QStringLiteral("/RAN.TXT");
    const bool gameRan = WaitFor([&] { return QFile::exists(ran) || !ProcessAlive(pid); }, 20000)
                         && QFile::exists(ran);
    const QList<QByteArray> argv = ProcessCommandLine(pid).split('\0');

    // The user ends DOSBox from the launcher; that is no failure to report.
    monitor.EmuActiveTimer_Timer();
    EXPECT_TRUE(host.events.contains(QStringLiteral("running:Running: dosbox")));
    monitor.AppRunningPicture_Click();
    EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid); }, 8000));

    ASSERT_TRUE(gameRan) << "DOSBox did not run the game";
    EXPECT_EQ(QFile(ran).open(QIODevice::ReadOnly) ? QFile(ran).size() : -1, 2);
    ASSERT_GE(argv.size(), 3);
    EXPECT_EQ(QString::fromUtf8(argv[0]), emulator);
    EXPECT_EQ(QString::fromUtf8(argv[1]), QStringLiteral("-exit"));
    EXPECT_EQ(QString::fromUtf8(argv[2]), game) << "the game must be DOSBox's one and only file argument";
    EXPECT_EQ(argv.size(), 4); // the last entry is the empty text after the final NUL
    EXPECT_FALSE(QFile::exists(paths.startScriptConfig)) << "a WinUAE configuration was written";
    EXPECT_FALSE(QFile::exists(paths.launcherScript));
    EXPECT_FALSE(QFile::exists(ErrorOutputPath(paths.launcherScript)));
    EXPECT_EQ(prompts.count(), 0) << prompts.lastText().toStdString();
}

} // namespace
