// The real arvex-updater process: command lines, both languages, updates
// against a local HTTP server, a killed run, a running target. Boxes are
// answered through ARVEX_UPDATER_ANSWERS and read back from the prompt log.
#include "support/TempDir.h"
#include "updater/TestServers.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

const QString kUpdater = QStringLiteral(ARVEX_TEST_BIN_DIR "/arvex-updater");

struct RunResult {
    int exitCode = -1;
    QString out;
    QStringList boxes; // "title<TAB>text<TAB>answer"
};

class Updater {
public:
    explicit Updater(const TempDir& dir, const QString& language = QStringLiteral("C.UTF-8"))
        : m_dir(dir)
    {
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.insert(QStringLiteral("LANG"), language);
        m_env.insert(QStringLiteral("LANGUAGE"), QString());
        m_env.insert(QStringLiteral("LC_ALL"), QString());
        m_env.insert(QStringLiteral("LC_MESSAGES"), QString());
        m_env.insert(QStringLiteral("ARVEX_UPDATER_ANSWERS"), dir.file(QStringLiteral("answers.txt")));
        m_env.insert(QStringLiteral("ARVEX_UPDATER_PROMPT_LOG"), dir.file(QStringLiteral("boxes.log")));
        m_env.insert(QStringLiteral("ARVEX_UPDATER_INFO_URL"), QStringLiteral("http://127.0.0.1:1/Update.txt"));
        m_env.insert(QStringLiteral("ARVEX_DOWNLOAD_STALL_SECONDS"), QStringLiteral("5"));
    }
    void setEnv(const QString& key, const QString& value) { m_env.insert(key, value); }

    void start(QProcess& p, const QStringList& args, const QByteArray& answers = {}) const
    {
        m_dir.write(QStringLiteral("answers.txt"), answers);
        QFile::remove(m_dir.file(QStringLiteral("boxes.log")));
        p.setProcessEnvironment(m_env);
        p.start(kUpdater, args);
    }

    RunResult run(const QStringList& args, const QByteArray& answers = {}) const
    {
        QProcess p;
        start(p, args, answers);
        RunResult r;
        if (!p.waitForFinished(120000))
            p.kill();
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.boxes = QString::fromUtf8(m_dir.read(QStringLiteral("boxes.log"))).split(u'\n', Qt::SkipEmptyParts);
        return r;
    }

private:
    const TempDir& m_dir;
    QProcessEnvironment m_env;
};

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

struct TextCase {
    const char* language;
    QStringList args;
    const char* box;    // "title<TAB>text" the box starts with
    const char* status; // a line on stdout
    int exitCode;
};

TEST(UpdaterProcess, CommandLinesWithoutAnUpdateInBothLanguages)
{
    if (!QFileInfo(kUpdater).isExecutable())
        GTEST_SKIP() << "arvex-updater is not built";
    const TextCase cases[] = {
        {"C.UTF-8", {}, "Missing commandline parameter\tThis program needs Command-Line Parameters:",
         "Parameter missing", 2},
        {"de_DE.UTF-8", {}, "Missing commandline parameter\tThis program needs Command-Line Parameters:",
         "Parameter fehlt!", 2},
        {"en_GB.UTF-8", {QStringLiteral("[noask]"), QStringLiteral("[AUTOSTART]")},
         "Online Updater\tWrong parameter", "Wrong parameter", 2},
        {"de_AT.UTF-8", {QStringLiteral("[URL]"), QStringLiteral("http://h/x")}, "Online Updater\tFalsche Parameter",
         "Falsche Parameter", 2},
        {"C.UTF-8", {QStringLiteral("/?")},
         "Online Updater Info\tYou are now using Version: \\nOnline Updater - Version: Vers. 1.4b", "", 0},
        {"de_DE.UTF-8", {QStringLiteral("/?")},
         "Online Updater Info\tDies ist die Version: \\nOnline Updater - Version: Vers. 1.4b", "", 0},
        {"C.UTF-8", {QStringLiteral("[BATCHFILE]"), QStringLiteral("/nowhere/update list.txt")},
         "Script-Mode\tThe script file was not found: /nowhere/update list.txt", "", 1},
    };
    TempDir dir;
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.args.join(u' ').toStdString());
        const RunResult r = Updater(dir, QString::fromLatin1(c.language)).run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        ASSERT_FALSE(r.boxes.isEmpty());
        EXPECT_TRUE(r.boxes.first().startsWith(QString::fromUtf8(c.box))) << r.boxes.first().toStdString();
        if (*c.status) {
            EXPECT_TRUE(r.out.split(u'\n').contains(QString::fromUtf8(c.status))) << r.out.toStdString();
        }
    }
}

TEST(UpdaterProcess, VersionBoxReportsMissingOwnInformation)
{
    if (!QFileInfo(kUpdater).isExecutable())
        GTEST_SKIP() << "arvex-updater is not built";
    TempDir dir;
    const RunResult en = Updater(dir).run({QStringLiteral("/?")});
    ASSERT_EQ(en.boxes.size(), 2);
    EXPECT_EQ(en.boxes[1], QStringLiteral("Online Updater Info\tYou are using: Vers. 1.4b\\n\\n"
                                          "Could not download update information\tok"));
    const RunResult de = Updater(dir, QStringLiteral("de_DE.UTF-8")).run({QStringLiteral("/?")});
    ASSERT_EQ(de.boxes.size(), 2);
    EXPECT_EQ(de.boxes[1], QStringLiteral("Online Updater Info\tDies ist: Vers. 1.4b\\n\\n"
                                          "Update Information wurde nicht gefunden.\tok"));
}

class UpdaterServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(kUpdater).isExecutable())
            GTEST_SKIP() << "arvex-updater is not built";
        if (!server.ok())
            GTEST_SKIP() << "python3 is not installed: no local HTTP server";
    }
    HttpTestServer server;
    TempDir dir;
};

TEST_F(UpdaterServerTest, TwoUpdatesInARowKeepOldAndOld2AndTheModeBits)
{
    // Named apart from "arvex": a launcher running elsewhere on the machine
    // would make the updater wait for it.
    const QString app = dir.write(QStringLiteral("My Apps/my-launcher"), "v1");
    ::chmod(QFile::encodeName(app).constData(), 0751);
    const QStringList args{QStringLiteral("[URL]"), server.url(QStringLiteral("files/my-launcher")), QStringLiteral("[PATH]"),
                           app, QStringLiteral("[NOASK]"), QStringLiteral("[SKIPINFO]")};
    server.put(QStringLiteral("my-launcher"), "v2");
    const RunResult first = Updater(dir).run(args, "no\n");
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_TRUE(first.out.contains(QStringLiteral("Download Done ..\ndone ...\n...all done!")));
    server.put(QStringLiteral("my-launcher"), "v3");
    const RunResult second = Updater(dir, QStringLiteral("de_DE.UTF-8")).run(args, "no\n");
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.out.contains(QStringLiteral("Download abgeschlossen\nfertig ...\n...all done!")));
    ASSERT_EQ(second.boxes.size(), 1);
    EXPECT_EQ(second.boxes[0], QStringLiteral("Programm starten?\tProgramm jetzt starten: my-launcher\tno"));

    EXPECT_EQ(dir.read(QStringLiteral("My Apps/my-launcher")), QByteArray("v3"));
    EXPECT_EQ(dir.read(QStringLiteral("My Apps/my-launcher.old")), QByteArray("v2"));
    EXPECT_EQ(dir.read(QStringLiteral("My Apps/my-launcher.old2")), QByteArray("v1"));
    EXPECT_EQ(QFileInfo(app).permissions() & 0x7777, QFileInfo(app + ".old2").permissions() & 0x7777);
    EXPECT_TRUE(QFileInfo(app).isExecutable());
    // No information was asked for with [SKIPINFO].
    for (const QString& request : server.requests())
        EXPECT_FALSE(request.startsWith(QStringLiteral("/files/my-launcher.txt")));
}

TEST_F(UpdaterServerTest, VersionInformationIsFetchedBesideTheDownload)
{
    const QString app = dir.write(QStringLiteral("tool.bin"), "old");
    server.put(QStringLiteral("tool.bin"), "new");
    server.put(QStringLiteral("tool.txt"), "Version 2\r\nfixes\r\n");
    const RunResult r = Updater(dir).run({QStringLiteral("[URL]"), server.url(QStringLiteral("files/tool.bin")),
                                    QStringLiteral("[PATH]"), app});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Searching for Version Info ...\ninfo loaded ..")));
    EXPECT_TRUE(server.requests().contains(QStringLiteral("/files/tool.txt\tno-cache")));
}

TEST_F(UpdaterServerTest, AutostartPassesBothParametersAsSeparateArguments)
{
    // The new version is a script that writes its arguments down.
    const QString folder = dir.mkdir(QStringLiteral("it's a $dir"));
    const QString app = folder + "run me";
    const QString out = dir.file(QStringLiteral("args.txt"));
    dir.write(QStringLiteral("it's a $dir/run me"), "#!/bin/sh\nexit 0\n");
    ::chmod(QFile::encodeName(app).constData(), 0755);
    server.put(QStringLiteral("runme"),
               QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                   .arg(out)
                   .toUtf8());
    const RunResult r = Updater(dir).run({QStringLiteral("[URL]"), server.url(QStringLiteral("files/runme")),
                                    QStringLiteral("[PATH]"), app, QStringLiteral("[PARAM1]"),
                                    QStringLiteral("--say \"hi\""), QStringLiteral("[PARAM2]"), QStringLiteral("$HOME"),
                                    QStringLiteral("[SKIPINFO]"), QStringLiteral("[AUTOSTART]")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("Restarting Program..")));
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(out); }));
    EXPECT_EQ(dir.read(QStringLiteral("args.txt")), QByteArray("--say \"hi\"\n$HOME\n"));
}

TEST_F(UpdaterServerTest, FailedDownloadAsksAgainAndKeepsTheOldFile)
{
    const QString app = dir.write(QStringLiteral("app"), "old");
    for (const char* path : {"missing", "loop", "truncated/app"}) {
        SCOPED_TRACE(path);
        server.put(QStringLiteral("app"), QByteArray(100000, 'n'));
        const RunResult r = Updater(dir).run({QStringLiteral("[URL]"), server.url(QString::fromLatin1(path)),
                                        QStringLiteral("[PATH]"), app, QStringLiteral("[NOASK]"),
                                        QStringLiteral("[SKIPINFO]")},
                                       "yes\nno\n");
        EXPECT_EQ(r.exitCode, 1);
        ASSERT_EQ(r.boxes.size(), 2);
        EXPECT_TRUE(r.boxes[0].startsWith(QStringLiteral("Download\tDownload Error!\\nYou want to try it again?")));
        EXPECT_TRUE(r.boxes[1].endsWith(QStringLiteral("\tno")));
        EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("old"));
        EXPECT_FALSE(QFileInfo::exists(app + "_"));
        EXPECT_FALSE(QFileInfo::exists(app + ".old"));
    }
}

TEST_F(UpdaterServerTest, KilledMidDownloadLeavesTheOldFileInPlace)
{
    const QString app = dir.write(QStringLiteral("app"), "old");
    server.put(QStringLiteral("big"), QByteArray(4 * 1024 * 1024, 'b'));
    const QStringList slow{QStringLiteral("[URL]"), server.url(QStringLiteral("slow/big")), QStringLiteral("[PATH]"),
                           app, QStringLiteral("[NOASK]"), QStringLiteral("[SKIPINFO]")};
    Updater updater(dir);
    QProcess p;
    updater.start(p, slow);
    ASSERT_TRUE(waitFor([&] { return QFileInfo(app + "_.part").size() > 0; }));
    p.kill();
    p.waitForFinished();
    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(app + "_"));
    EXPECT_FALSE(QFileInfo::exists(app + ".old"));

    // The next run starts afresh and does not take the left-over part.
    server.put(QStringLiteral("small"), "new");
    const RunResult r = updater.run({QStringLiteral("[URL]"), server.url(QStringLiteral("files/small")),
                               QStringLiteral("[PATH]"), app, QStringLiteral("[NOASK]"), QStringLiteral("[SKIPINFO]")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(app + "_.part"));
}

TEST_F(UpdaterServerTest, RunningTargetBlocksTheReplacement)
{
    const QString app = dir.file(QStringLiteral("busyapp"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), app));
    const QByteArray before = dir.read(QStringLiteral("busyapp"));
    QProcess running;
    running.start(app, {QStringLiteral("120")});
    ASSERT_TRUE(running.waitForStarted());
    server.put(QStringLiteral("busyapp"), "new");
    const RunResult r = Updater(dir).run({QStringLiteral("[URL]"), server.url(QStringLiteral("files/busyapp")),
                                    QStringLiteral("[PATH]"), app, QStringLiteral("[NOASK]"),
                                    QStringLiteral("[SKIPINFO]")},
                                   "cancel\n");
    running.kill();
    running.waitForFinished();
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(r.boxes.size(), 1);
    EXPECT_TRUE(r.boxes[0].startsWith(QStringLiteral("Close program..\tThe program: busyapp is still running!")));
    EXPECT_EQ(dir.read(QStringLiteral("busyapp")), before);
    EXPECT_FALSE(QFileInfo::exists(app + "_"));
}

} // namespace
