// "cmake --install" into a prefix with blanks and umlauts: what it holds, that
// the desktop entry and AppStream data validate, and what the installed
// program does without a display and from a prefix it must not write into.
#include "cli/ProgramOptions.h"
#include "install/InstallSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <unistd.h>

namespace {

class InstallTreeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        s_prefix = s_dir->file(QStringLiteral("Präfix mit Blanks/usr"));
        s_install = runProgram(QStringLiteral(ARVEX_CMAKE),
                               {QStringLiteral("--install"), buildFolder(), QStringLiteral("--prefix"), s_prefix});
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(s_install.exitCode, 0) << s_install.out.toStdString() << s_install.err.toStdString();
    }
    static QString installed(const QString& relative) { return s_prefix + u'/' + relative; }

    static inline TempDir* s_dir = nullptr;
    static inline QString s_prefix;
    static inline RunResult s_install;
};

TEST_F(InstallTreeTest, PrefixHoldsExactlyTheInstallList)
{
    EXPECT_EQ(listTree(s_prefix), expectedInstallList());
    for (const char* program : {"bin/arvex", "bin/arvex-updater", "libexec/arvex/arvex-demo-emu"})
        EXPECT_TRUE(QFileInfo(installed(QString::fromLatin1(program))).isExecutable()) << program;
}

TEST_F(InstallTreeTest, OneApplicationIdNamesEntryDataIconAndWindow)
{
    const QString id = ProgramOptions::appId();
    EXPECT_EQ(id, QStringLiteral("org.example.arvex"));
    QFile desktop(installed(QStringLiteral("share/applications/%1.desktop").arg(id)));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=%1\n").arg(id)));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=arvex")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nCategories=Game;Emulator;\n")));
    // X11 desktops match the running window by its WM_CLASS class, the application name.
    EXPECT_TRUE(entry.contains(QStringLiteral("\nStartupWMClass=Arvex\n")));

    QFile metainfo(installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id)));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    const QString data = QString::fromUtf8(metainfo.readAll());
    EXPECT_TRUE(data.contains(QStringLiteral("<id>%1</id>").arg(id)));
    EXPECT_TRUE(data.contains(QStringLiteral("<launchable type=\"desktop-id\">%1.desktop</launchable>").arg(id)));
    EXPECT_TRUE(data.contains(QStringLiteral("<icon type=\"stock\">%1</icon>").arg(id)));
    EXPECT_TRUE(data.contains(QStringLiteral("<summary xml:lang=\"de\">")));
    EXPECT_TRUE(data.contains(QStringLiteral("<p xml:lang=\"de\">")));
    EXPECT_TRUE(data.contains(QStringLiteral("<content_rating")));
    // The screenshot is the README's picture at the project's address, with its real size.
    const QImage shot(sourceFolder() + QStringLiteral("/docs/screenshot.png"));
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(data.contains(QStringLiteral("width=\"%1\" height=\"%2\">https://arvex.example.org/screenshots/screenshot.png<")
                                  .arg(shot.width())
                                  .arg(shot.height())));
}

TEST_F(InstallTreeTest, DesktopEntryAndAppStreamDataValidateWithoutErrors)
{
    for (const char* tool : {"desktop-file-validate", "appstreamcli"})
        ASSERT_TRUE(haveProgram(QString::fromLatin1(tool))) << tool << " missing: run scripts/setup.sh's package install";
    const RunResult desktop = runProgram(QStringLiteral("desktop-file-validate"),
                                         {installed(QStringLiteral("share/applications/org.example.arvex.desktop"))});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out.toStdString() << desktop.err.toStdString();
    EXPECT_FALSE(desktop.out.contains(QStringLiteral("error:"))) << desktop.out.toStdString();
    const RunResult appstream = runProgram(
        QStringLiteral("appstreamcli"),
        {QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral("--pedantic"),
         installed(QStringLiteral("share/metainfo/org.example.arvex.metainfo.xml"))});
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out.toStdString() << appstream.err.toStdString();
    EXPECT_FALSE(QRegularExpression(QStringLiteral("(?m)^[EW]:")).match(appstream.out).hasMatch())
        << appstream.out.toStdString();
}

TEST_F(InstallTreeTest, IconsAreTheSvgAndItsThreePngSizes)
{
    for (int size : {48, 128, 256}) {
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/org.example.arvex.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    QFile svg(installed(QStringLiteral("share/icons/hicolor/scalable/apps/org.example.arvex.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg xmlns=\"http://www.w3.org/2000/svg\""));
}

TEST_F(InstallTreeTest, HelpAndVersionNeedNoDisplayAndFollowTheLocale)
{
    struct Case {
        const char* arguments;
        const char* lang;
        int exitCode;
        const char* outStart;
        const char* errPart;
    };
    const Case cases[] = {
        {"--version", "C", 0, "arvex " ARVEX_VERSION "\n", nullptr},
        {"--help", "C.UTF-8", 0, "Usage: arvex", nullptr},
        {"-h", "en_GB.UTF-8", 0, "Usage: arvex", nullptr},
        {"--help", "de_DE.UTF-8", 0, "Aufruf: arvex", nullptr},
        {"--help", "de_AT", 0, "Aufruf: arvex", nullptr},
        {"--help", "xx_YY.UTF-8", 0, "Usage: arvex", nullptr}, // a locale nobody has: English
        {"--no-such-option", "C", 2, "", "unknown option \"--no-such-option\""},
        {"--no-such-option", "de_DE.UTF-8", 2, "", "unbekannte Option \"--no-such-option\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.arguments) + " LANG=" + c.lang);
        const RunResult r = runProgram(installed(QStringLiteral("bin/arvex")), {QString::fromLatin1(c.arguments)},
                                       noDisplayEnvironment(QString::fromLatin1(c.lang)));
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        if (c.outStart[0])
            EXPECT_TRUE(r.out.startsWith(QString::fromUtf8(c.outStart))) << r.out.toStdString();
        else
            EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        if (c.errPart)
            EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.errPart))) << r.err.toStdString();
        else
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
}

TEST_F(InstallTreeTest, InstalledProgramKeepsItsSettingsInXdgAndNeverWritesIntoItsPrefix)
{
    // Root may write into bin/: the installed program must still not.
    const QStringList before = listTree(s_dir->path());
    TempDir user;
    QProcessEnvironment env = noDisplayEnvironment(QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("ARVEX_HOME"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), user.file(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), user.file(QStringLiteral("xdg config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), user.mkdir(QStringLiteral("run")));
    QProcess arvex;
    arvex.setProcessEnvironment(env);
    arvex.start(installed(QStringLiteral("bin/arvex")), {});
    ASSERT_TRUE(arvex.waitForStarted(-1));
    // The global settings file is written during start-up; the first box
    // (no pads here) then waits for an answer that never comes.
    const QString global = user.file(QStringLiteral("xdg config/arvex/Config/arvex.ini"));
    // A program that wrongly settles in its own bin folder ends the wait as well;
    // the deadline only keeps a wrong program from hanging the test.
    const QString wrong = installed(QStringLiteral("bin/Config/arvex.ini"));
    QElapsedTimer guard;
    guard.start();
    while (!QFileInfo::exists(global) && !QFileInfo::exists(wrong) && arvex.state() != QProcess::NotRunning &&
           guard.elapsed() < 120000)
        QThread::msleep(20);
    arvex.kill();
    arvex.waitForFinished(-1);
    EXPECT_TRUE(QFileInfo::exists(global)) << arvex.readAllStandardError().toStdString();
    EXPECT_FALSE(QFileInfo::exists(installed(QStringLiteral("bin/Config"))));
    EXPECT_EQ(listTree(s_dir->path()), before);
}

TEST_F(InstallTreeTest, UnwritableProgramFolderIsReportedNotCrashedOn)
{
    TempDir user;
    const QString notAFolder = user.write(QStringLiteral("home is a file"), "x");
    QProcessEnvironment env = noDisplayEnvironment(QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ARVEX_HOME"), notAFolder);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), user.mkdir(QStringLiteral("run")));
    QProcess arvex;
    arvex.setProcessEnvironment(env);
    arvex.start(installed(QStringLiteral("bin/arvex")), {});
    ASSERT_TRUE(arvex.waitForStarted(-1));
    // The message is written to standard error, then shown in a box that waits for OK.
    QByteArray err;
    QElapsedTimer guard; // keeps a program that never reports from hanging the test
    guard.start();
    while (!err.contains("ARVEX_HOME") && arvex.state() != QProcess::NotRunning && guard.elapsed() < 120000) {
        arvex.waitForReadyRead(100);
        err += arvex.readAllStandardError();
    }
    arvex.kill();
    arvex.waitForFinished(-1);
    err += arvex.readAllStandardError();
    EXPECT_TRUE(err.contains(notAFolder.toLocal8Bit())) << err.toStdString();
    EXPECT_TRUE(err.contains("cannot be written to")) << err.toStdString();
    EXPECT_FALSE(err.contains("Segmentation")) << err.toStdString();
}

TEST_F(InstallTreeTest, DemoCopiedWithDereferencedLinksRunsItsOwnEmulator)
{
    const QString link = installed(QStringLiteral("share/arvex/demo/Emulators/arvex-demo-emu"));
    const QFileInfo info(link);
    ASSERT_TRUE(info.isSymLink());
    char target[4096] = {};
    ASSERT_GT(::readlink(QFile::encodeName(link).constData(), target, sizeof target - 1), 0);
    EXPECT_EQ(target[0], '.') << target; // relative: the prefix can move
    EXPECT_EQ(info.canonicalFilePath(), QFileInfo(installed(QStringLiteral("libexec/arvex/arvex-demo-emu"))).canonicalFilePath());

    TempDir user;
    const QString copy = user.file(QStringLiteral("my demo"));
    const RunResult cp = runProgram(QStringLiteral("cp"), {QStringLiteral("-rL"), installed(QStringLiteral("share/arvex/demo")), copy});
    ASSERT_EQ(cp.exitCode, 0) << cp.err.toStdString();
    const QFileInfo emu(copy + QStringLiteral("/Emulators/arvex-demo-emu"));
    EXPECT_FALSE(emu.isSymLink());
    EXPECT_TRUE(emu.isFile() && emu.isExecutable());
    EXPECT_TRUE(QFileInfo(copy + QStringLiteral("/Config/Amiga/arvex.ini")).isWritable());
}

} // namespace
