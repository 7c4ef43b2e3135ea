#include "download/CurlDownloader.h"

#include <curl/curl.h>

#include <mutex>

namespace {

struct Transfer {
    CURL* curl = nullptr;
    DownloadSink* sink = nullptr;
    const DownloadProgress* progress = nullptr;
    qint64 received = 0;
    bool badStatus = false;
    bool sinkFailed = false;
};

bool isSuccess(long code) { return code >= 200 && code < 300; }

size_t onData(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    // Body bytes of an error page must never reach the file; with redirects
    // followed, the status read here is that of the final answer.
    long code = 0;
    curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &code);
    if (!isSuccess(code)) {
        t->badStatus = true;
        return 0;
    }
    if (bytes && !t->sink->write(data, bytes)) {
        t->sinkFailed = true;
        return 0;
    }
    t->received += qint64(bytes);
    return bytes;
}

int onProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto* t = static_cast<Transfer*>(user);
    if (t->progress && *t->progress && !(*t->progress)(qint64(now), qint64(total)))
        return 1;
    return 0;
}

DownloadStatus statusOf(CURLcode code)
{
    switch (code) {
    case CURLE_OK: return DownloadStatus::Ok;
    case CURLE_HTTP_RETURNED_ERROR: return DownloadStatus::HttpError;
    case CURLE_TOO_MANY_REDIRECTS: return DownloadStatus::TooManyRedirects;
    case CURLE_OPERATION_TIMEDOUT: return DownloadStatus::Stalled;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        return DownloadStatus::TlsFailed;
    case CURLE_WRITE_ERROR: return DownloadStatus::WriteFailed;
    case CURLE_ABORTED_BY_CALLBACK: return DownloadStatus::Cancelled;
    default: return DownloadStatus::NetworkFailed;
    }
}

} // namespace

CurlDownloader::CurlDownloader(int stallSeconds) : m_stallSeconds(stallSeconds > 0 ? stallSeconds : 30)
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

int CurlDownloader::stallSecondsFromEnvironment(int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("ARVEX_DOWNLOAD_STALL_SECONDS", &ok);
    return ok && value > 0 ? value : fallback;
}

DownloadResult CurlDownloader::fetch(const QString& url, DownloadSink& sink,
                                     const DownloadProgress& progress)
{
    DownloadResult result;
    CURL* curl = curl_easy_init();
    if (!curl) {
        result.status = DownloadStatus::LocalFailed;
        result.detail = QStringLiteral("could not start the download library");
        return result;
    }
    Transfer t;
    t.curl = curl;
    t.sink = &sink;
    t.progress = &progress;

    const QByteArray urlBytes = url.toUtf8();
    const QByteArray caFile = m_caFile.toLocal8Bit();
    char errorText[CURL_ERROR_SIZE] = {};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");

    curl_easy_setopt(curl, CURLOPT_URL, urlBytes.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "Arvex-Updater/1.4b");
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(m_stallSeconds));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_stallSeconds));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 512L * 1024L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onData);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = curl_easy_perform(curl);
    long httpStatus = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &httpStatus);
    result.httpStatus = int(httpStatus);
    result.bytes = t.received;
    result.status = statusOf(code);
    if (t.badStatus)
        result.status = DownloadStatus::HttpError;
    else if (t.sinkFailed)
        result.status = DownloadStatus::WriteFailed;
    // A transfer curl calls done must still have ended on a success status
    // (an empty 3xx or 1xx answer has no body to catch in onData).
    if (result.status == DownloadStatus::Ok && !isSuccess(httpStatus))
        result.status = DownloadStatus::HttpError;
    if (result.status != DownloadStatus::Ok) {
        result.detail = QString::fromUtf8(errorText[0] ? errorText : curl_easy_strerror(code));
        if (result.status == DownloadStatus::HttpError && httpStatus)
            result.detail = QStringLiteral("HTTP %1").arg(httpStatus);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}
