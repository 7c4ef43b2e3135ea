#pragma once
// CurlDownloader: the real Downloader over libcurl. Follows redirects (at most
// kMaxRedirects), verifies TLS certificates against the system's store, sends
// "Cache-Control: no-cache" so caches between us and the server hand out the
// current file, requires a 2xx status, and gives up when the connection
// cannot be made or no byte arrives for the stall time. Bytes are handed to
// the sink as libcurl delivers them; nothing is held whole. Blocks the
// calling thread; one transfer at a time per object.
#include "download/Downloader.h"

class CurlDownloader final : public Downloader {
public:
    static constexpr long kMaxRedirects = 10;

    // Seconds without any received byte before a transfer counts as stalled;
    // also the time allowed to connect.
    explicit CurlDownloader(int stallSeconds = 30);

    // A certificate authority file trusted instead of the system's store
    // (empty: the system's store).
    void setCaFile(const QString& file) { m_caFile = file; }

    DownloadResult fetch(const QString& url, DownloadSink& sink,
                         const DownloadProgress& progress) override;

    // Stall seconds from $ARVEX_DOWNLOAD_STALL_SECONDS when set to a positive
    // number, else `fallback`.
    static int stallSecondsFromEnvironment(int fallback = 30);

private:
    int m_stallSeconds;
    QString m_caFile;
};
