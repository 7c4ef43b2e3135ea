#pragma once
// UpdateJob: one update as the updater's window runs it after the start
// button (or at once with [NOASK]):
//  1. wait while the program named by PATH runs (a few seconds silently, for
//     a program that is just closing; then the user is asked, Ok checks
//     again, Cancel stops);
//  2. download URL to PATH + "_" (through PATH_.part; a stale PATH_ is
//     removed first, so it is never taken as a download); a failure asks
//     whether to try again;
//  3. backups: PATH.old2 deleted, PATH.old renamed to PATH.old2, PATH renamed
//     to PATH.old; then PATH_ becomes PATH with PATH's permission bits. Until
//     the new file has arrived the old one is never touched; if the final
//     move fails, PATH.old is put back;
//  4. start the new file (autostart, the run check box, or the user's Yes).
// Every failure is told through the prompt in the interface language. UI
// thread; the host lets window events run during waits and the download.
#include "CommandLine.h"
#include "UpdaterPrompt.h"
#include "download/Downloader.h"

#include <QString>
#include <QStringList>

class UpdateHost {
public:
    virtual ~UpdateHost() = default;
    virtual void status(const QString& text) = 0;
    // Download progress; returning false cancels the download.
    virtual bool progress(qint64 received, qint64 total) = 0;
    // Waits about `milliseconds`, letting window events run.
    virtual void pause(int milliseconds) = 0;
    // Starts the updated file with its parameters; false when it could not.
    virtual bool startProgram(const QString& path, const QStringList& parameters) = 0;
    // The id of a running process carrying the file name, 0 when none.
    virtual qint64 runningProgram(const QString& fileName) = 0;
};

class UpdateJob {
public:
    enum class Outcome { Done, Failed, Cancelled };

    UpdateJob(Downloader& downloader, UpdaterPrompt& prompt, UpdateHost& host)
        : m_downloader(downloader), m_prompt(prompt), m_host(host) {}

    // Seconds a program that is just closing gets before the user is asked.
    void setQuietWaitSeconds(int seconds) { m_quietWaitSeconds = seconds; }

    // Runs the update of `cmd` (which must be complete). `runAfter`: the run
    // check box is ticked.
    Outcome run(const UpdaterCommand& cmd, bool runAfter = false);

    // The steps, each usable alone.
    bool waitUntilNotRunning(const QString& path);
    bool download(const QString& url, const QString& path);
    bool replaceWithDownload(const QString& path);
    void startAfterUpdate(const UpdaterCommand& cmd, bool runAfter);

private:
    Downloader& m_downloader;
    UpdaterPrompt& m_prompt;
    UpdateHost& m_host;
    int m_quietWaitSeconds = 5;
};

// The file names of the chain.
inline QString DownloadedName(const QString& path) { return path + QStringLiteral("_"); }
inline QString BackupName(const QString& path) { return path + QStringLiteral(".old"); }
inline QString SecondBackupName(const QString& path) { return path + QStringLiteral(".old2"); }
