// The launcher's side of updating itself: downloads into files, fetching a
// missing updater, the updater's arguments, the hand-off to a second process
// and the refusal for system-wide installs.
#include "config/Language.h"
#include "services/UpdateHandOff.h"
#include "services/UrlDownload.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "updater/TestServers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

const QString kProbe = QStringLiteral(ARVEX_TEST_BIN_DIR "/UpdateHandOffProbe");
const QString kUpdater = QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex-updater");

bool waitFor(const std::function<bool()>& condition)
{
    // A guard against a hang, not a timing requirement.
    QDeadlineTimer guard(60000);
    while (!condition()) {
        if (guard.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

class UpdateServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!server.ok())
            GTEST_SKIP() << "python3 is not installed: no local HTTP server";
        setCurrentLanguage(kLanguageEnglish);
    }
    HttpTestServer server;
    TempDir dir;
};

TEST_F(UpdateServiceTest, DownloadModesAndFolderDestinations)
{
    server.put(QStringLiteral("Game Pack.zip"), "pack");
    const QString url = server.url(QStringLiteral("files/Game%20Pack.zip"));
    dir.mkdir(QStringLiteral("in"));

    // A folder names the file after the URL's last part (as written in the URL).
    UrlDownloadResult r = URLToFileDownload(url, QStringLiteral("\"") + dir.file(QStringLiteral("in")) + "\"", 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.file, dir.file(QStringLiteral("in/Game%20Pack.zip")));

    // Mode 2 never replaces: the next free " (n)" name.
    const QString target = dir.write(QStringLiteral("pack.zip"), "mine");
    dir.write(QStringLiteral("pack (1).zip"), "mine too");
    r = URLToFileDownload(url, target, kDownloadFreeName);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.file, dir.file(QStringLiteral("pack (2).zip")));
    EXPECT_EQ(dir.read(QStringLiteral("pack.zip")), QByteArray("mine"));
    EXPECT_EQ(dir.read(QStringLiteral("pack (2).zip")), QByteArray("pack"));

    // Modes 1 and 3 replace, keeping the replaced file's permission bits.
    for (int mode : {kDownloadReplace, kDownloadReplaceUpdater}) {
        ::chmod(QFile::encodeName(target).constData(), 0700);
        r = URLToFileDownload(url, target, mode);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(dir.read(QStringLiteral("pack.zip")), QByteArray("pack"));
        EXPECT_EQ(QFileInfo(target).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                                 | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        dir.write(QStringLiteral("pack.zip"), "mine");
    }

    // A failure leaves the existing file and says where it came from.
    r = URLToFileDownload(server.url(QStringLiteral("missing")), target, kDownloadReplace);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.download.detail.startsWith(QStringLiteral("modURLDownload.URLDownload")));
    EXPECT_EQ(dir.read(QStringLiteral("pack.zip")), QByteArray("mine"));
}

TEST(UpdateHandOff, UpdaterArgumentsCarryParam1OnlyWhenGiven)
{
    EXPECT_EQ(UpdaterArguments(QStringLiteral("https://h/arvex"), QStringLiteral("/a b/arvex"), QStringLiteral("  ")),
              (QStringList{QStringLiteral("[URL]"), QStringLiteral("https://h/arvex"), QStringLiteral("[PATH]"),
                           QStringLiteral("/a b/arvex")}));
    EXPECT_EQ(UpdaterArguments(QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("--x y")),
              (QStringList{QStringLiteral("[URL]"), QStringLiteral("u"), QStringLiteral("[PATH]"), QStringLiteral("p"),
                           QStringLiteral("[PARAM1]"), QStringLiteral("--x y")}));
}

TEST_F(UpdateServiceTest, MissingUpdaterIsFetchedMadeExecutableAndStarted)
{
    server.put(QStringLiteral("arvex-updater"), "#!/bin/sh\n");
    const QString self = dir.write(QStringLiteral("arvex"), "launcher");
    QString program;
    QStringList arguments;
    bool ended = false;
    UpdateHandOffSeams seams;
    seams.start = [&](const QString& p, const QStringList& a) {
        program = p;
        arguments = a;
        return true;
    };
    seams.endLauncher = [&] { ended = true; };
    ScriptedPrompt boxes;
    EXPECT_TRUE(DownloadUpdateWithUpdater(QStringLiteral("https://h/Arvex/arvex"), self,
                                          dir.file(QStringLiteral("arvex-updater")),
                                          server.url(QStringLiteral("files/arvex-updater")), QString(), seams));
    EXPECT_TRUE(ended);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(program, dir.file(QStringLiteral("arvex-updater")));
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    EXPECT_EQ(arguments, UpdaterArguments(QStringLiteral("https://h/Arvex/arvex"), self, QString()));
}

TEST_F(UpdateServiceTest, UpdaterThatCannotBeFetchedOrStartedKeepsTheLauncherRunning)
{
    const QString self = dir.write(QStringLiteral("arvex"), "launcher");
    bool ended = false;
    UpdateHandOffSeams seams;
    seams.start = [](const QString&, const QStringList&) { return false; };
    seams.endLauncher = [&] { ended = true; };
    ScriptedPrompt boxes;
    const QString updater = dir.file(QStringLiteral("arvex-updater"));
    EXPECT_FALSE(DownloadUpdateWithUpdater(QStringLiteral("u"), self, updater,
                                           server.url(QStringLiteral("missing")), QString(), seams));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().startsWith(updater + QStringLiteral("\n\nDownload Failed! ")));
    EXPECT_FALSE(QFileInfo::exists(updater));

    // Present but not startable: told, and the launcher stays.
    dir.write(QStringLiteral("arvex-updater"), "not a program");
    EXPECT_FALSE(DownloadUpdateWithUpdater(QStringLiteral("u"), self, updater, QString(), QString(), seams));
    EXPECT_TRUE(boxes.lastText().endsWith(QStringLiteral("Update Cancled!")));
    EXPECT_FALSE(ended);
}

TEST(UpdateHandOff, SystemWideInstallIsLeftToThePackageManager)
{
    TempDir dir;
    const QString folder = dir.mkdir(QStringLiteral("usr-bin"));
    const QByteArray name = QFile::encodeName(folder);
    bool mounted = false;
    if (::geteuid() == 0) {
        // Root may write any folder; only a read-only file system stops it.
        if (::mount("tmpfs", name.constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
            GTEST_SKIP() << "as root this case needs a read-only tmpfs, which cannot be mounted here";
        mounted = true;
    } else {
        ::chmod(name.constData(), 0555);
    }
    setCurrentLanguage(kLanguageGerman);
    ScriptedPrompt boxes;
    bool started = false;
    UpdateHandOffSeams seams;
    seams.start = [&](const QString&, const QStringList&) { return started = true; };
    seams.endLauncher = [] {};
    const bool handedOff = DownloadUpdateWithUpdater(QStringLiteral("u"), folder + "arvex", folder + "arvex-updater",
                                                     QStringLiteral("u2"), QString(), seams);
    if (mounted)
        ::umount(name.constData());
    else
        ::chmod(name.constData(), 0755);
    setCurrentLanguage(kLanguageEnglish);
    EXPECT_FALSE(handedOff);
    EXPECT_FALSE(started);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("Paketverwaltung")));
}

TEST(UpdateHandOff, SecondProcessStartsTheUpdaterWithExactArgumentsAndEnds)
{
    TempDir dir;
    const QString folder = dir.mkdir(QStringLiteral("it's \"my\" $HOME"));
    const QString self = folder + "arvex";
    dir.write(QStringLiteral("it's \"my\" $HOME/arvex"), "launcher");
    const QString record = dir.file(QStringLiteral("args.txt"));
    const QString updater = dir.write(
        QStringLiteral("fake-updater"),
        QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.tmp'\nmv '%1.tmp' '%1'\n")
            .arg(record)
            .toUtf8());
    ::chmod(QFile::encodeName(updater).constData(), 0755);
    QProcess probe;
    probe.start(kProbe, {QStringLiteral("https://h/Arvex/arvex"), self, updater, QStringLiteral("https://h/u"),
                         QStringLiteral("--fresh start")});
    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardOutput().toStdString();
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(record); }));
    EXPECT_EQ(dir.read(QStringLiteral("args.txt")),
              (QStringLiteral("[URL]\nhttps://h/Arvex/arvex\n[PATH]\n") + self + "\n[PARAM1]\n--fresh start\n").toUtf8());
}

TEST_F(UpdateServiceTest, HandOffToTheRealUpdaterReplacesTheLauncher)
{
    if (!QFileInfo(kUpdater).isExecutable())
        GTEST_SKIP() << "arvex-updater is not built";
    // Named apart from "arvex": a launcher running elsewhere on the machine
    // would make the updater wait for it.
    const QString self = dir.write(QStringLiteral("app dir/handoff-launcher"), "launcher 1");
    ::chmod(QFile::encodeName(self).constData(), 0755);
    const QString updater = dir.file(QStringLiteral("app dir/arvex-updater"));
    ASSERT_TRUE(QFile::copy(kUpdater, updater));
    server.put(QStringLiteral("handoff-launcher"), "launcher 2");
    dir.write(QStringLiteral("answers.txt"), "no\n");

    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // The updater runs unattended: boxes answered from the file, start pressed at once.
    env.insert(QStringLiteral("ARVEX_UPDATER_ANSWERS"), dir.file(QStringLiteral("answers.txt")));
    env.insert(QStringLiteral("ARVEX_UPDATER_PROMPT_LOG"), dir.file(QStringLiteral("boxes.log")));
    probe.setProcessEnvironment(env);
    probe.start(kProbe, {server.url(QStringLiteral("files/handoff-launcher")), self, updater, QStringLiteral("unused"), QString()});
    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0);
    // The updater asks whether to start the new launcher once it is in place.
    ASSERT_TRUE(waitFor([&] { return dir.read(QStringLiteral("boxes.log")).contains("Run program?"); }))
        << dir.read(QStringLiteral("boxes.log")).toStdString() << probe.readAll().toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("app dir/handoff-launcher")), QByteArray("launcher 2"));
    EXPECT_EQ(dir.read(QStringLiteral("app dir/handoff-launcher.old")), QByteArray("launcher 1"));
    EXPECT_TRUE(QFileInfo(self).isExecutable());
}

} // namespace
