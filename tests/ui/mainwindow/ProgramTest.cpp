// The arvex program itself, started as a process over a temporary collection:
// a game file given on its command line is launched with the last emulator
// and the program ends.
#include "support/TempDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The NUL-separated fields the demo emulator records, once the record exists.
QList<QByteArray> waitForRecord(const QString& path)
{
    QElapsedTimer t;
    t.start();
    while (!QFile::exists(path) && t.elapsed() < 10000)
        QThread::msleep(20);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> fields = f.readAll().split('\0');
    fields.removeLast();
    return fields;
}

TEST(Program, AGameFileArgumentIsLaunchedWithTheLastEmulatorThenTheProgramEnds)
{
    TempDir home;
    home.write("Config/arvex.ini", "[Settings]\r\nLastEmulator=Demo\r\nUseJoystick=0\r\n");
    home.write("Config/Demo/arvex.ini", "[Settings]\r\nEmulatorPath=./Emulators/demo-emu\r\n"
                                        "EmulatorParameter=--machine Demo\r\nEmulatorParameterAddDiskPath=1\r\n"
                                        "WinUAE_UseMasterConfig=0\r\nSplashTimer=0\r\n");
    QFile emulator(QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex-demo-emu"));
    ASSERT_TRUE(emulator.open(QIODevice::ReadOnly));
    const QString installed = home.write("Emulators/demo-emu", emulator.readAll());
    QFile::setPermissions(installed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A name a shell would act on, were the path ever given to one unquoted.
    const QString game = home.write("Games/It's $(touch pwned) `id` game.adf", "disk");

    const QString record = home.file("record");
    QProcess arvex;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ARVEX_HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ARVEX_DEMO_RECORD", record);
    env.insert("ARVEX_DEMO_HEADLESS", "1");
    env.insert("ARVEX_DEMO_SECONDS", "0");
    arvex.setProcessEnvironment(env);
    arvex.setWorkingDirectory(home.path());
    arvex.start(QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex"), {game});
    ASSERT_TRUE(arvex.waitForFinished(20000));
    EXPECT_EQ(arvex.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(arvex.exitCode(), 0);

    const QList<QByteArray> fields = waitForRecord(record);
    ASSERT_EQ(fields.size(), 4) << fields.join('|').toStdString();
    EXPECT_EQ(fields.mid(1), (QList<QByteArray>{"--machine", "Demo", QFile::encodeName(game)}));
    EXPECT_FALSE(QFile::exists(home.file("pwned")));
    EXPECT_FALSE(QFile::exists(home.file("Games/pwned")));
    // The launcher script is gone again.
    EXPECT_TRUE(QDir(home.file("Config/Demo")).entryList({"*_tmp.sh"}, QDir::Files).isEmpty());
}

} // namespace
