// The real program started with a game file on its command line: the
// emulator must receive the file's name as the exact bytes it has on disk,
// also when those are not UTF-8 (a name copied from Windows).
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kArvex = QStringLiteral(ARVEX_TEST_BIN_DIR) + "/arvex";

bool putRaw(const QByteArray& path, const QByteArray& bytes, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}

// `text` as printf's %b writes it back: every byte outside plain ASCII as an octal escape.
QByteArray octalEscaped(const QByteArray& text)
{
    QByteArray out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || c == '\\' || c == '\'')
            out += "\\0" + QByteArray::number(u, 8);
        else
            out += c;
    }
    return out;
}

TEST(CommandLineLaunch, TheEmulatorReceivesTheGameFileAsItsBytesOnDisk)
{
    if (!QFile::exists(kArvex))
        GTEST_SKIP() << "the arvex program is not built";
    TempDir home;
    const QByteArray recorded = QFile::encodeName(home.file("received.txt"));
    const QString emulator = home.write("Emulators/record-emu", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                                                                  + recorded + "'\n");
    ASSERT_TRUE(QFile::setPermissions(emulator, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    home.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Raw\r\nUseJoystick=0\r\n");
    const QString games = home.mkdir("Games");
    home.write("Config/Raw/arvex.ini", "[Settings]\r\nEmulatorPath=" + QFile::encodeName(emulator) + "\r\nRomPath="
                                           + QFile::encodeName(games)
                                           + "\r\nDir_Parameter=*.adf\r\nEmulatorParameter=\r\n"
                                             "EmulatorParameterAddDiskPath=1\r\nUseQuote=0\r\nSplashTimer=0\r\n"
                                             "FullScreen=0\r\nWinUAE_UseMasterConfig=0\r\n");

    for (const QByteArray& name : {QByteArray("Spiele f\xFCr Amiga.adf"), QByteArray("Zool \xF0\x9F\x92\xBE $(x).adf")}) {
        SCOPED_TRACE(name.toHex().constData());
        QFile::remove(QFile::decodeName(recorded));
        const QByteArray game = QFile::encodeName(games) + name;
        ASSERT_TRUE(putRaw(game, "disk"));
        // QProcess passes arguments as UTF-8 text; the shell passes the bytes.
        QProcess arvex;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ARVEX_HOME", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        arvex.setProcessEnvironment(env);
        arvex.start("/bin/sh", {"-c", "exec \"$0\" \"$(printf '%b' \"$1\")\"", kArvex, QString::fromLatin1(octalEscaped(game))});
        ASSERT_TRUE(arvex.waitForFinished(30000)) << "arvex did not end (a message box waiting?)";
        EXPECT_EQ(arvex.exitCode(), 0) << arvex.readAllStandardError().constData();

        QElapsedTimer waited;
        waited.start();
        QByteArray received;
        while (waited.elapsed() < 20000) {
            QFile f(QFile::decodeName(recorded));
            if (f.open(QIODevice::ReadOnly) && (received = f.readAll()).endsWith('\n'))
                break;
            QThread::msleep(50);
        }
        EXPECT_TRUE(received.split('\n').contains(game)) << received.toHex().constData();
    }
}

} // namespace
