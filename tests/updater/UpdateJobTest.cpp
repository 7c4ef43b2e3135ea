// The update chain of the updater: backups, permission bits, retries, the
// running-program wait, starting the new file, script mode, and finding a
// running program by name among real processes.
#include "ProcessLookup.h"
#include "ScriptMode.h"
#include "UpdateJob.h"
#include "UpdaterLanguage.h"
#include "download/CurlDownloader.h"
#include "support/TempDir.h"
#include "updater/TestServers.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Answers from a queue, then the safe default; records every box.
class QueuedPrompt final : public UpdaterPrompt {
public:
    QList<UpdaterAnswer> answers;
    QStringList titles;
    QStringList texts;
    UpdaterAnswer ask(const QString& title, const QString& text, UpdaterButtons buttons, UpdaterIcon) override
    {
        titles << title;
        texts << text;
        if (!answers.isEmpty())
            return answers.takeFirst();
        return buttons == UpdaterButtons::Ok ? UpdaterAnswer::Ok
               : buttons == UpdaterButtons::YesNo ? UpdaterAnswer::No
                                                  : UpdaterAnswer::Cancel;
    }
};

class RecordingHost final : public UpdateHost {
public:
    QStringList statuses;
    QList<QStringList> started;
    int runningChecks = 0; // how many checks still find the program running
    void status(const QString& text) override { statuses << text; }
    bool progress(qint64, qint64) override { return true; }
    void pause(int) override {}
    bool startProgram(const QString& path, const QStringList& parameters) override
    {
        started << (QStringList{path} + parameters);
        return true;
    }
    qint64 runningProgram(const QString&) override { return runningChecks > 0 ? (--runningChecks, 4242) : 0; }
};

// Fails the first `failures` fetches, then delivers `bytes`.
class FlakyDownloader final : public Downloader {
public:
    int failures = 0;
    QByteArray bytes;
    int calls = 0;
    DownloadResult fetch(const QString&, DownloadSink& sink, const DownloadProgress&) override
    {
        ++calls;
        DownloadResult r;
        if (calls <= failures) {
            r.status = DownloadStatus::NetworkFailed;
            r.detail = QStringLiteral("connection reset");
            return r;
        }
        r.status = sink.write(bytes.constData(), std::size_t(bytes.size())) ? DownloadStatus::Ok
                                                                             : DownloadStatus::WriteFailed;
        return r;
    }
};

int modeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

UpdaterCommand command(const QString& url, const QString& path)
{
    UpdaterCommand cmd;
    cmd.kind = UpdaterCommand::Kind::Update;
    cmd.url = url;
    cmd.path = path;
    cmd.ask = false;
    return cmd;
}

class UpdateJobTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpdaterGerman(false); }
    TempDir dir;
    QueuedPrompt prompt;
    RecordingHost host;
};

TEST_F(UpdateJobTest, TwoUpdatesInARowKeepTwoGenerationsAndTheModeBits)
{
    FlakyDownloader server;
    UpdateJob job(server, prompt, host);
    const QString app = dir.write(QStringLiteral("app"), "version 1");
    ::chmod(QFile::encodeName(app).constData(), 0750);

    server.bytes = "version 2";
    ASSERT_EQ(job.run(command(QStringLiteral("u"), app), true), UpdateJob::Outcome::Done);
    server.bytes = "version 3";
    ASSERT_EQ(job.run(command(QStringLiteral("u"), app), true), UpdateJob::Outcome::Done);

    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("version 3"));
    EXPECT_EQ(dir.read(QStringLiteral("app.old")), QByteArray("version 2"));
    EXPECT_EQ(dir.read(QStringLiteral("app.old2")), QByteArray("version 1"));
    EXPECT_FALSE(QFileInfo::exists(app + "_"));
    EXPECT_EQ(modeOf(app), 0750);
    EXPECT_TRUE(host.statuses.contains(QStringLiteral("...all done!")));
    EXPECT_TRUE(prompt.texts.isEmpty());
}

TEST_F(UpdateJobTest, FailedDownloadAsksToRetryAndKeepsTheOldFile)
{
    FlakyDownloader server;
    server.failures = 1;
    server.bytes = "new";
    const QString app = dir.write(QStringLiteral("app"), "old");
    dir.write(QStringLiteral("app_"), "left over from an earlier run");

    // No: nothing changes; the stale PATH_ is not taken as the download.
    UpdateJob job(server, prompt, host);
    EXPECT_EQ(job.run(command(QStringLiteral("u"), app)), UpdateJob::Outcome::Failed);
    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(app + "_"));
    EXPECT_FALSE(QFileInfo::exists(app + ".old"));
    ASSERT_EQ(prompt.texts.size(), 1);
    EXPECT_TRUE(prompt.texts[0].startsWith(QStringLiteral("Download Error!\nYou want to try it again?")));

    // Yes: the second try arrives.
    server.calls = 0;
    prompt.answers = {UpdaterAnswer::Yes, UpdaterAnswer::No};
    EXPECT_EQ(job.run(command(QStringLiteral("u"), app)), UpdateJob::Outcome::Done);
    EXPECT_EQ(server.calls, 2);
    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("new"));
    EXPECT_EQ(dir.read(QStringLiteral("app.old")), QByteArray("old"));
}

TEST_F(UpdateJobTest, WriteProtectedBackupStopsBeforeTheOldFileMoves)
{
    FlakyDownloader server;
    server.bytes = "new";
    const QString app = dir.write(QStringLiteral("app"), "current");
    dir.write(QStringLiteral("app.old"), "previous");
    // A non-empty folder named .old2 can be neither deleted nor replaced.
    dir.write(QStringLiteral("app.old2/keep"), "x");
    UpdateJob job(server, prompt, host);
    EXPECT_EQ(job.run(command(QStringLiteral("u"), app)), UpdateJob::Outcome::Failed);
    ASSERT_EQ(prompt.texts.size(), 1);
    EXPECT_EQ(prompt.texts[0], QStringLiteral("Fehler: Backup file is writeprotected!"));
    EXPECT_EQ(dir.read(QStringLiteral("app")), QByteArray("current"));
    EXPECT_EQ(dir.read(QStringLiteral("app.old")), QByteArray("previous"));
}

TEST_F(UpdateJobTest, RunningProgramIsWaitedForAndCancelLeavesEverything)
{
    FlakyDownloader server;
    server.bytes = "new";
    const QString app = dir.write(QStringLiteral("my app"), "old");
    UpdateJob job(server, prompt, host);
    job.setQuietWaitSeconds(0);

    host.runningChecks = 100;
    EXPECT_EQ(job.run(command(QStringLiteral("u"), app)), UpdateJob::Outcome::Cancelled);
    ASSERT_EQ(prompt.titles.size(), 1);
    EXPECT_EQ(prompt.titles[0], QStringLiteral("Close program.."));
    EXPECT_EQ(prompt.texts[0], QStringLiteral("The program: my app is still running!\n"
                                              "Please close the program before starting the Update-Process!"));
    EXPECT_EQ(server.calls, 0);
    EXPECT_EQ(dir.read(QStringLiteral("my app")), QByteArray("old"));

    // Ok after the program ended: the update goes on.
    prompt.titles.clear();
    host.runningChecks = 1;
    prompt.answers = {UpdaterAnswer::Ok, UpdaterAnswer::No};
    EXPECT_EQ(job.run(command(QStringLiteral("u"), app)), UpdateJob::Outcome::Done);
    EXPECT_EQ(dir.read(QStringLiteral("my app")), QByteArray("new"));
}

TEST_F(UpdateJobTest, NewFileStartsWithItsParametersAsSeparateArguments)
{
    FlakyDownloader server;
    server.bytes = "new";
    const QString app = dir.write(QStringLiteral("app"), "old");
    UpdateJob job(server, prompt, host);
    UpdaterCommand cmd = command(QStringLiteral("u"), app);
    cmd.param1 = QStringLiteral("--first one");
    cmd.param2 = QStringLiteral("$second");

    // Without autostart the user is asked; No starts nothing.
    EXPECT_EQ(job.run(cmd), UpdateJob::Outcome::Done);
    ASSERT_EQ(prompt.titles.size(), 1);
    EXPECT_EQ(prompt.titles[0], QStringLiteral("Run program?"));
    EXPECT_EQ(prompt.texts[0], QStringLiteral("Restart: app"));
    EXPECT_TRUE(host.started.isEmpty());

    cmd.autostart = true;
    EXPECT_EQ(job.run(cmd), UpdateJob::Outcome::Done);
    ASSERT_EQ(host.started.size(), 1);
    EXPECT_EQ(host.started[0], (QStringList{app, QStringLiteral("--first one"), QStringLiteral("$second")}));
    EXPECT_TRUE(host.statuses.contains(QStringLiteral("Restarting Program..")));
}

TEST_F(UpdateJobTest, GermanTextsFollowTheLanguage)
{
    SetUpdaterGerman(true);
    FlakyDownloader server;
    server.failures = 1;
    const QString app = dir.write(QStringLiteral("app"), "old");
    UpdateJob job(server, prompt, host);
    job.run(command(QStringLiteral("u"), app));
    ASSERT_EQ(prompt.texts.size(), 1);
    EXPECT_TRUE(prompt.texts[0].startsWith(QStringLiteral("Download Fehler!\nErneut versuchen?")));
    SetUpdaterGerman(false);
}

TEST_F(UpdateJobTest, ScriptRunsItsLinesInOrderAndStopsAtTheFailingOne)
{
    HttpTestServer http;
    if (!http.ok())
        GTEST_SKIP() << "python3 is not installed: no local HTTP server";
    http.put(QStringLiteral("a"), "A2");
    http.put(QStringLiteral("b"), "B2");
    dir.write(QStringLiteral("a"), "A1");
    dir.write(QStringLiteral("b"), "B1");
    dir.write(QStringLiteral("c"), "C1");
    const QString script = dir.write(
        QStringLiteral("update.txt"),
        QStringLiteral("# two files, then one the server lacks\n\n"
                       "[URL] %1 [PATH] %2 [SKIPINFO] [AUTOSTART]\n"
                       "[url] %3 [path] %4 [skipinfo]\n"
                       "[URL] %5 [PATH] %6 [SKIPINFO]\n"
                       "[URL] %1 [PATH] %4 [SKIPINFO]\n")
            .arg(http.url(QStringLiteral("files/a")), dir.file(QStringLiteral("a")), http.url(QStringLiteral("files/b")),
                 dir.file(QStringLiteral("b")), http.url(QStringLiteral("missing")), dir.file(QStringLiteral("c")))
            .toUtf8());
    CurlDownloader curl(5);
    UpdateJob job(curl, prompt, host);
    QStringList statuses;
    ScriptMode mode(job, prompt, curl, [&](const QString& s) { statuses << s; });
    EXPECT_FALSE(mode.run(script, true));
    EXPECT_EQ(dir.read(QStringLiteral("a")), QByteArray("A2"));
    EXPECT_EQ(dir.read(QStringLiteral("b")), QByteArray("B2"));
    EXPECT_EQ(dir.read(QStringLiteral("c")), QByteArray("C1"));
    // Line 5 failed (the retry question answered No); line 6 never ran.
    EXPECT_TRUE(prompt.texts.last().startsWith(QStringLiteral("Line 5 of the script failed")));
    EXPECT_EQ(dir.read(QStringLiteral("b.old")), QByteArray("B1"));
    EXPECT_EQ(statuses.size(), 3);
}

TEST_F(UpdateJobTest, MissingScriptFileIsReported)
{
    FlakyDownloader server;
    UpdateJob job(server, prompt, host);
    ScriptMode mode(job, prompt, server, [](const QString&) {});
    EXPECT_FALSE(mode.run(dir.file(QStringLiteral("no such script.txt"))));
    ASSERT_EQ(prompt.texts.size(), 1);
    EXPECT_TRUE(prompt.texts[0].contains(QStringLiteral("no such script.txt")));
}

TEST(ProcessLookup, FindsARunningProgramByItsFileNameIgnoringCase)
{
    TempDir dir;
    const QString name = QStringLiteral("ArvexProbe%1").arg(QCoreApplication::applicationPid());
    const QString copy = dir.file(name);
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), copy));
    EXPECT_EQ(FindRunningProgram(name), 0);
    QProcess p;
    p.start(copy, {QStringLiteral("60")});
    ASSERT_TRUE(p.waitForStarted());
    EXPECT_EQ(FindRunningProgram(dir.file(name.toLower())), p.processId());
    p.kill();
    p.waitForFinished();
    EXPECT_EQ(FindRunningProgram(name), 0);
    EXPECT_EQ(ProgramFileName(QStringLiteral("C:\\Programme\\App.exe")), QStringLiteral("App.exe"));
}

} // namespace
