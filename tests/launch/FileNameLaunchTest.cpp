// Games whose names are not plain UTF-8 text, or that lie in folders named
// with characters above U+FFFF, really start: the emulator, the mount tool
// and the WinUAE start file get exactly the bytes the file system holds.
// Real files, the real launcher script, real child processes.
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "launch/ProgramRunner.h"
#include "launch/StartScript.h"
#include "library/FileNames.h"
#include "library/FileScanRecursive.h"
#include "library/LibraryHost.h"
#include "support/RawFiles.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QSet>

#include <fcntl.h>
#include <random>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

const QByteArray kFloppy = "\xF0\x9F\x92\xBE"; // U+1F4BE

bool writeRaw(const QByteArray& path, const QByteArray& content = "ADF") { return writeRawFile(path, content); }

QList<QByteArray> readRecord(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> fields = f.readAll().split('\0');
    fields.removeLast();
    return fields;
}

class FileNameLaunchTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    RecordingHost host;
    ScriptedPrompt prompts;
    GameMonitor monitor{host};
    GameLauncher launcher{host, monitor};
    QString record = dir.file(QStringLiteral("record.bin"));
    QByteArray root = QFile::encodeName(dir.path());

    void SetUp() override
    {
        monitor.timer().setInterval(3600 * 1000);
        host.launchPaths = profile.paths;
        host.emulator = RecordingProgram(dir, QStringLiteral("Emu/") + UniqueName(QStringLiteral("emu")), record);
    }
    void TearDown() override
    {
        WaitFor([&] { return !ProcessAlive(launcher.lastStartedPid()); }, 3000);
        EXPECT_FALSE(QFile::exists(profile.paths.launcherScript));
        removeRawTree(root);
    }
    // A game file below the test folder, named by its bytes; its path as the lists hold it.
    QString game(const QByteArray& relative)
    {
        const QByteArray path = root + relative;
        const qsizetype slash = path.lastIndexOf('/');
        QDir().mkpath(QFile::decodeName(path.left(slash)));
        EXPECT_EQ(QFile::encodeName(QFile::decodeName(path.left(slash))), path.left(slash))
            << "folders of these tests are UTF-8";
        EXPECT_TRUE(writeRaw(path)) << path.constData();
        return decodeFileName(path);
    }
};

TEST_F(FileNameLaunchTest, Windows1252AndAstralNamesReachTheEmulatorByteForByte)
{
    const QList<QByteArray> games{"Games/Sp\xE9l (1990)(Disk 1 of 2).adf", "Amiga " + kFloppy + "/Games/Turrican.adf",
                                  "Amiga " + kFloppy + "/M\xF6ller " + kFloppy + "\xBE.adf",
                                  "Games/\xEF\xBB\xBF" "Bom.adf"};
    for (int withoutPath = 0; withoutPath <= 1; ++withoutPath) {
        profile.set(QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), QString::number(withoutPath));
        for (const QByteArray& relative : games) {
            QFile::remove(record);
            QString file = game(relative);
            ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started)
                << relative.constData() << " " << prompts.lastTitle().toStdString();
            const QList<QByteArray> rec = WaitForRecord(record);
            ASSERT_EQ(rec.size(), 2) << relative.constData();
            const QByteArray path = root + relative;
            EXPECT_EQ(rec.at(1), withoutPath ? path.mid(path.lastIndexOf('/') + 1) : path);
            EXPECT_EQ(prompts.count(), 0);
        }
    }
}

TEST_F(FileNameLaunchTest, WinUaeStartFileAndMountToolGetTheRawBytesToo)
{
    ScopedEnv runtime{"XDG_RUNTIME_DIR", QFile::encodeName(dir.mkdir(QStringLiteral("run")))};
    const QString calls = dir.file(QStringLiteral("mount.log"));
    RecordingProgram(dir, QStringLiteral("Tools/dtlite"), calls);
    profile.setGlobal(QStringLiteral("DeamonToolPath"), QStringLiteral("./Tools/dtlite"));
    profile.set(QStringLiteral("AutoMountDeamonTool"), QStringLiteral("1"));
    profile.set(QStringLiteral("WinUAE_UseMasterConfig"), QStringLiteral("1"));
    const QByteArray disk1 = "Amiga " + kFloppy + "/Sp\xE9l Disk 1.adf";
    const QByteArray disk2 = "Amiga " + kFloppy + "/Sp\xE9l\xFC" "Disk2.adf";
    host.disks[0] = game(disk1);
    host.disks[1] = game(disk2);
    QString file = host.disks[0];
    ASSERT_EQ(launcher.LaunchGame(file), GameLauncher::Result::Started) << prompts.lastTitle().toStdString();

    EXPECT_EQ(WaitForRecord(record).mid(1),
              (QList<QByteArray>{QFile::encodeName(profile.paths.startScriptConfig), root + disk1}));
    EXPECT_EQ(dir.read(QStringLiteral("Config/Demo/arvex_StartScript.uaecfg")),
              "\r\nfloppy0=\"" + root + disk1 + "\"\r\nfloppy1=\"" + root + disk2 + "\"\r\n");
    const QList<QByteArray> mount = readRecord(calls); // waited for: both calls are complete
    ASSERT_EQ(mount.size(), 7);
    EXPECT_EQ(mount.mid(4), (QList<QByteArray>{"-mount", "0,", root + disk1}));
}

TEST_F(FileNameLaunchTest, ScannedGeneratedNamesRunThroughTheLauncherScriptAsOneExactArgument)
{
    // Generated names: UTF-8 and Windows-1252 letters, characters above
    // U+FFFF, BOMs, shell specials and blanks at both ends.
    const QList<QByteArray> pieces{"a", "Game", " ", "_", "'", "\"", "$HOME", "`x`", ";", "\\", "\xC3\xBC",
                                   kFloppy, "\xEF\xBB\xBF", "\xE9", "\xFC", "\xBE", "\x80", "\xFF", "(Disk 1)"};
    std::mt19937 rng(41);
    std::uniform_int_distribution<qsizetype> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> count(1, 6);
    const QByteArray folder = root + "Games " + kFloppy + '/';
    ASSERT_TRUE(QDir().mkpath(QFile::decodeName(folder)));
    QSet<QByteArray> names;
    while (names.size() < 40) {
        QByteArray name;
        for (int i = count(rng); i > 0; --i)
            name += pieces.at(pick(rng));
        if (!names.contains(name) && !name.startsWith('.')) {
            ASSERT_TRUE(writeRaw(folder + name)) << name.toHex().constData();
            names.insert(name);
        }
    }
    BasicLibraryHost libraryHost;
    FileScanRecursive scan(libraryHost);
    QString start = decodeFileName(folder);
    ASSERT_EQ(scan.ScanFiles(start, QStringLiteral("*"), QString()), int(names.size()));

    CommandLineSettings settings;
    settings.addDiskPath = 1;
    const QString script = dir.file(QStringLiteral("launch.sh"));
    int run = 0;
    for (const QString& path : scan.Result_list()) {
        settings.addDiskPathWithoutPath = run++ % 2;
        const QString body =
            LauncherScriptText(host.emulator, BuildCommandLine(settings, path, QString()).cmd, QString());
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(encodeFileName(body));
        f.close();
        QFile::remove(record);
        ASSERT_EQ(RunAndWait(QStringLiteral("sh"), {script}), 0);
        const QByteArray bytes = encodeFileName(path);
        const QList<QByteArray> rec = readRecord(record);
        ASSERT_EQ(rec.size(), 2) << bytes.toHex().constData();
        EXPECT_EQ(rec.at(1), settings.addDiskPathWithoutPath ? bytes.mid(folder.size()) : bytes)
            << bytes.toHex().constData();
        EXPECT_TRUE(names.contains(bytes.mid(folder.size())));
    }
}

TEST_F(FileNameLaunchTest, ProgramsAndArgumentsWithRawBytesAreFoundAndStartedAsTheyAre)
{
    const QByteArray folder = root + "Emu \xE9 " + kFloppy;
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray program = folder + "/run\xFC.sh";
    ASSERT_TRUE(writeRaw(program, "#!/bin/sh\nprintf '%s\\0' \"$PWD\" \"$@\" > '" + QFile::encodeName(record) + "'\n"));
    ASSERT_EQ(::chmod(program.constData(), 0755), 0);
    const QString name = decodeFileName(program);
    EXPECT_EQ(FindInPath(name), name);
    EXPECT_EQ(FindExecutable(name), name);
    {
        ScopedEnv path{"PATH", folder};
        EXPECT_EQ(FindInPath(decodeFileName("run\xFC.sh")), name);
    }
    const QByteArray argument = "Sp\xE9l " + kFloppy + "\xBE";
    EXPECT_EQ(RunAndWait(name, {decodeFileName(argument)}), 0);
    EXPECT_EQ(readRecord(record).mid(1), QList<QByteArray>{argument});
    QFile::remove(record);
    ASSERT_GT(SpawnDetached(name, {decodeFileName(argument)}, decodeFileName(folder)), 0);
    EXPECT_EQ(WaitForRecord(record), (QList<QByteArray>{folder, argument}));

    // A start script whose "#!" line names that program runs with it.
    QFile::remove(record);
    const QString script = dir.write(QStringLiteral("Config/Demo/Startscript.vbs"), "#!" + program + "\n");
    EXPECT_GT(RunStartScript(script), 0);
    EXPECT_EQ(WaitForRecord(record).mid(1), QList<QByteArray>{QFile::encodeName(script)});
}

} // namespace
