// The Debian emulators' rows put to work: the options-window field set is
// filled by recognising the installed program, stored in a profile, and the
// real launch code starts the real emulator with a game the test writes. The
// emulator must be running with the game as one argument (read from
// /proc/<pid>/cmdline); then it is ended. A missing package skips its case.
#include "config/Ini.h"
#include "config/Language.h"
#include "launch/GameLauncher.h"
#include "launch/LaunchTestSupport.h"
#include "options/EmulatorFields.h"
#include "options/KnownEmulatorCheck.h"
#include "support/ScriptedPrompt.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

// A private X server for emulators that need a display; it picks a free
// display number itself and reports it on its standard output.
class PrivateXServer {
public:
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        m_process.start(xvfb, {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(10000))
                return false;
        m_display = QByteArray(":") + m_process.readLine().trimmed();
        return m_display.size() > 1;
    }
    QByteArray display() const { return m_display; }
    ~PrivateXServer()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QByteArray m_display;
};

// The argument vector of a process, once its program is `exe` (the shell of
// the launcher script execs the emulator, so the same id changes program).
QList<QByteArray> commandLineOnceRunning(qint64 pid, const QString& exe)
{
    QList<QByteArray> args;
    WaitFor([&] {
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            return false;
        args = f.readAll().split('\0');
        if (!args.isEmpty() && args.last().isEmpty())
            args.removeLast();
        return !args.isEmpty() && QFileInfo(QFile::decodeName(args.first())).fileName() == QFileInfo(exe).fileName();
    }, 10000);
    return args;
}

class KnownEmulatorLaunch : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir};
    RecordingHost host;
    ScriptedPrompt prompts;
    GameMonitor monitor{host};
    GameLauncher launcher{host, monitor};
    ScopedEnv home{"HOME", QFile::encodeName(dir.path() + "home")};
    ScopedEnv audio{"SDL_AUDIODRIVER", "dummy"};
    qint64 pid = -1;

    void SetUp() override
    {
        setCurrentLanguage(kLanguageEnglish);
        dir.mkdir(QStringLiteral("home"));
        monitor.timer().setInterval(3600 * 1000);
        host.launchPaths = profile.paths;
    }
    void TearDown() override
    {
        if (ProcessAlive(pid)) {
            KillProcess(pid);
            EXPECT_TRUE(WaitFor([&] { return !ProcessAlive(pid); }, 5000)) << "the emulator did not end";
        }
    }

    static QString installed(const char* name)
    {
        return QStandardPaths::findExecutable(QString::fromLatin1(name),
                                              {QStringLiteral("/usr/games"), QStringLiteral("/usr/bin")});
    }

    // Recognises `exe` as the options window would (answering Yes), stores
    // the fields in the profile, and launches `game`. Returns the emulator's
    // arguments after its program name.
    QList<QByteArray> launch(const QString& exe, const QString& displayName, QString game)
    {
        EmulatorFields fields;
        prompts.queue(PromptAnswer::Yes);
        CheckKnownEmulator(fields, exe, dir.path());
        EXPECT_TRUE(prompts.lastText().startsWith(displayName + QStringLiteral("found!")));
        for (int i = 0; i < kEmulatorFieldCount; ++i) {
            const QString key = EmulatorFields::settingsKey(EmulatorField(i));
            if (!key.isEmpty() && key != u"EmulatorPath" && key != u"RomPath")
                profile.set(key, fields.text(EmulatorField(i)));
        }
        host.emulator = fields.text(EmulatorField::EmulatorPath);

        EXPECT_EQ(launcher.LaunchGame(game), GameLauncher::Result::Started);
        pid = launcher.lastStartedPid();
        QList<QByteArray> args = commandLineOnceRunning(pid, exe);
        EXPECT_TRUE(ProcessAlive(pid)) << "the emulator ended instead of running the game";
        return args.mid(1);
    }
};

TEST_F(KnownEmulatorLaunch, DosBoxRunsADosProgram)
{
    const QString exe = installed("dosbox");
    if (exe.isEmpty())
        GTEST_SKIP() << "dosbox is not installed (Debian package dosbox)";
    ScopedEnv video{"SDL_VIDEODRIVER", "dummy"};
    // JMP $: a program that runs until DOSBox is ended.
    const QString game = dir.write(QStringLiteral("DOS Games/It's a $loop/LOOP.COM"), QByteArray("\xeb\xfe", 2));

    const QList<QByteArray> args = launch(exe, QStringLiteral("DOSBox (MS-DOS) "), game);
    EXPECT_EQ(args, (QList<QByteArray>{"-exit", QFile::encodeName(game)}));
}

TEST_F(KnownEmulatorLaunch, StellaRunsAnAtari2600Cartridge)
{
    const QString exe = installed("stella");
    if (exe.isEmpty())
        GTEST_SKIP() << "stella is not installed (Debian package stella)";
    PrivateXServer x;
    if (!x.start())
        GTEST_SKIP() << "Stella needs a display and Xvfb could not be started (Debian package xvfb)";
    ScopedEnv display{"DISPLAY", x.display()};
    // A 4 KiB cartridge whose reset vector points at "JMP $F000".
    QByteArray rom(4096, '\0');
    rom[0] = char(0x4c), rom[1] = 0x00, rom[2] = char(0xf0);
    rom[0xffc] = 0x00, rom[0xffd] = char(0xf0);
    const QString game = dir.write(QStringLiteral("2600/Loop (1982) [a].a26"), rom);

    const QList<QByteArray> args = launch(exe, QStringLiteral("Stella (Atari 2600) "), game);
    EXPECT_EQ(args, QList<QByteArray>{QFile::encodeName(game)});
}

TEST_F(KnownEmulatorLaunch, MednafenRunsANesCartridge)
{
    const QString exe = installed("mednafen");
    if (exe.isEmpty())
        GTEST_SKIP() << "mednafen is not installed (Debian package mednafen)";
    ScopedEnv video{"SDL_VIDEODRIVER", "dummy"};
    // iNES: 16 KiB program (reset vector to "JMP $C000"), 8 KiB pictures.
    QByteArray rom = QByteArray("NES\x1a\x01\x01", 6) + QByteArray(10, '\0');
    QByteArray prg(16384, '\0');
    prg[0] = char(0x4c), prg[1] = 0x00, prg[2] = char(0xc0);
    for (int v = 0x3ffa; v < 0x4000; v += 2)
        prg[v] = 0x00, prg[v + 1] = char(0xc0);
    rom += prg + QByteArray(8192, '\0');
    const QString game = dir.write(QStringLiteral("NES/Loop \"Deluxe\" & Co.nes"), rom);

    const QList<QByteArray> args = launch(exe, QStringLiteral("Mednafen (Multi-System) "), game);
    EXPECT_EQ(args, QList<QByteArray>{QFile::encodeName(game)});
}

} // namespace
