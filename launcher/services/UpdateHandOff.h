#pragma once
// The launcher's self-update: it makes sure the updater program is there
// (downloading it when missing), starts it with the file to download and the
// file to replace, and ends itself so that its executable can be replaced.
// The updater is started directly with an argument list, never through a
// shell:  [URL] address [PATH] file [PARAM1] text   (PARAM1 only when given),
// so a path with blanks, quotes or "$" arrives unchanged. A launcher whose
// executable lies in a folder the user cannot write (a system-wide install)
// does not start the updater: updates come from the system's package manager.
// Messages go through the prompt service. UI thread.
#include "download/Downloader.h"

#include <QString>
#include <QStringList>

#include <functional>

struct UpdateHandOffSeams {
    // Starts `program` detached with `arguments`; default QProcess::startDetached.
    std::function<bool(const QString& program, const QStringList& arguments)> start;
    // Ends the launcher; default: every window closed, then the event loop left.
    std::function<void()> endLauncher;
    // The downloader for a missing updater; null: the real libcurl one.
    Downloader* downloader = nullptr;
};

// True when the updater was started (the launcher is then ending). False,
// after telling the user why, when the updater could not be fetched
// ("Download Failed! "), is missing ("File not found!", "Update Cancled!"),
// could not be started, or the install is system-wide.
bool DownloadUpdateWithUpdater(const QString& URLFileToDownload, const QString& LocalFileToUpdate,
                               const QString& LocalUpdaterEXE, const QString& URLUpdaterEXE,
                               const QString& ProgramParam, const UpdateHandOffSeams& seams = {});

// The updater's arguments for an update of `localFile` from `url`.
QStringList UpdaterArguments(const QString& url, const QString& localFile, const QString& programParam);

// True when the folder holding `file` cannot be written by this user.
bool IsSystemWideInstall(const QString& file);

// Global settings keys (section "Settings" of Config/arvex.ini) naming the
// update addresses, and their built-in https defaults.
inline constexpr char kUpdateUrlKey[] = "UpdateURL";
inline constexpr char kUpdaterUrlKey[] = "UpdaterURL";
inline constexpr char kDefaultUpdateUrl[] = "https://arvex.example.org/download/Arvex/arvex";
inline constexpr char kDefaultUpdaterUrl[] = "https://arvex.example.org/download/Arvex/arvex-updater";

// The online update of the running launcher: its own executable replaced from
// the address in `UpdateURL`, the updater "arvex-updater" beside it fetched
// from `UpdaterURL` when missing (both read from `globalSettingsFile`).
bool StartOnlineUpdate(const QString& globalSettingsFile, const UpdateHandOffSeams& seams = {});
