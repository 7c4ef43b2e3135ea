#pragma once
// Downloader: fetches one URL and hands its bytes, as they arrive, to a sink.
// The real implementation is CurlDownloader (libcurl); tests may use their
// own. Used by FileDownload (updater and launcher) on the calling thread,
// which it blocks while the transfer runs; the progress callback is where
// that thread can let window events run and ask for a cancel.
#include <QString>

#include <cstddef>
#include <functional>

// Where downloaded bytes go. write() returns false when they could not be
// stored; the transfer then stops with DownloadStatus::WriteFailed.
class DownloadSink {
public:
    virtual ~DownloadSink() = default;
    virtual bool write(const char* data, std::size_t size) = 0;
};

enum class DownloadStatus {
    Ok,
    HttpError,         // the server answered with a status outside 2xx
    TooManyRedirects,  // a redirect loop, or a chain longer than allowed
    Stalled,           // no data arrived for the stall time, or no connection in time
    TlsFailed,         // certificate not trusted, or the TLS handshake failed
    NetworkFailed,     // host unknown, connection refused or dropped, short body
    WriteFailed,       // the sink could not store the bytes (see DownloadResult::diskFull)
    Cancelled,         // the progress callback asked to stop
    LocalFailed,       // the target could not be created, synced or renamed
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::NetworkFailed;
    int httpStatus = 0;      // last HTTP status seen (0 when none)
    bool diskFull = false;   // WriteFailed / LocalFailed because the disk is full
    qint64 bytes = 0;        // bytes received
    QString detail;          // technical reason (library or system text), English

    bool ok() const { return status == DownloadStatus::Ok; }
};

// Called while the transfer runs: bytes so far and the total (0 when the
// server did not say). Returning false cancels the download.
using DownloadProgress = std::function<bool(qint64 received, qint64 total)>;

class Downloader {
public:
    virtual ~Downloader() = default;
    virtual DownloadResult fetch(const QString& url, DownloadSink& sink,
                                 const DownloadProgress& progress) = 0;
};

// Short English description of a result for status lines and messages.
QString DescribeDownload(const DownloadResult& result);
// The same in German.
QString DescribeDownloadGerman(const DownloadResult& result);
