#pragma once
// The launcher's download of one URL into a local file (libcurl through the
// shared download code: redirects followed, TLS verified, no cached copy,
// written under a temporary name and renamed when complete). Window events
// run while the bytes arrive. UI thread.
#include "download/Downloader.h"

#include <QString>

// What happens when the destination file exists.
enum UrlDownloadMode : int {
    kDownloadReplace = 1,       // the new file replaces it
    kDownloadFreeName = 2,      // the new file gets a free name "name (n).ext"
    kDownloadReplaceUpdater = 3 // as 1; the mode the updater download uses
};

struct UrlDownloadResult {
    bool ok = false;
    QString file;            // the file written (or that would have been)
    DownloadResult download; // the transfer's details
};

// Downloads `URL_Source` to `Path_Destination` (surrounding double quotes
// removed). A destination that is an existing folder gets the file named
// after the URL's last part. `downloader` null: the real libcurl one.
// Tells the user nothing: the caller decides (its source name for reports
// is "modURLDownload.URLDownload").
UrlDownloadResult URLToFileDownload(const QString& URL_Source, const QString& Path_Destination, int Overwrite,
                                    Downloader* downloader = nullptr);

// The file name a URL names: the text after its last "/", without a query
// or fragment; "download" when that is empty.
QString UrlFileName(const QString& url);
// `path` itself when no such file exists, else the first "name (n).ext"
// (n = 1, 2, ...) that does not exist.
QString FreeFileName(const QString& path);
