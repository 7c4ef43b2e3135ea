#pragma once
// Downloading a URL into a file without ever leaving a file that looks
// finished when it is not: bytes are written to target + ".part" (created
// fresh, with every write checked), flushed to disk with fsync, closed, and
// only then renamed to the target; the folder is synced after the rename.
// A failed, cancelled or short transfer removes the ".part" file and leaves
// any existing target untouched. The target's folder is created when missing.
// Calling thread; blocks while the download runs.
#include "download/Downloader.h"

#include <QString>

// The temporary name a download into `target` is written under.
QString PartFileName(const QString& target);

// Downloads `url` into `target`, replacing it only when the download is
// complete. `mode` < 0 gives the new file the default mode (0666 less the
// umask); otherwise exactly these permission bits.
DownloadResult DownloadToFile(Downloader& downloader, const QString& url, const QString& target,
                              const DownloadProgress& progress = {}, int mode = -1);
