#include "download/Downloader.h"

QString DescribeDownload(const DownloadResult& r)
{
    switch (r.status) {
    case DownloadStatus::Ok: return QStringLiteral("downloaded");
    case DownloadStatus::HttpError:
        return r.httpStatus ? QStringLiteral("the server answered %1").arg(r.httpStatus)
                            : QStringLiteral("the server refused the file");
    case DownloadStatus::TooManyRedirects: return QStringLiteral("too many redirections (a redirect loop?)");
    case DownloadStatus::Stalled: return QStringLiteral("the server stopped answering");
    case DownloadStatus::TlsFailed: return QStringLiteral("the server's certificate is not trusted");
    case DownloadStatus::NetworkFailed: return QStringLiteral("the connection failed: %1").arg(r.detail);
    case DownloadStatus::WriteFailed:
    case DownloadStatus::LocalFailed:
        return r.diskFull ? QStringLiteral("the disk is full")
                          : QStringLiteral("the file could not be written: %1").arg(r.detail);
    case DownloadStatus::Cancelled: return QStringLiteral("cancelled");
    }
    return r.detail;
}

QString DescribeDownloadGerman(const DownloadResult& r)
{
    switch (r.status) {
    case DownloadStatus::Ok: return QStringLiteral("heruntergeladen");
    case DownloadStatus::HttpError:
        return r.httpStatus ? QStringLiteral("der Server antwortete %1").arg(r.httpStatus)
                            : QStringLiteral("der Server verweigerte die Datei");
    case DownloadStatus::TooManyRedirects:
        return QStringLiteral("zu viele Weiterleitungen (eine Weiterleitungsschleife?)");
    case DownloadStatus::Stalled: return QStringLiteral("der Server antwortet nicht mehr");
    case DownloadStatus::TlsFailed: return QStringLiteral("dem Zertifikat des Servers wird nicht vertraut");
    case DownloadStatus::NetworkFailed: return QStringLiteral("die Verbindung schlug fehl: %1").arg(r.detail);
    case DownloadStatus::WriteFailed:
    case DownloadStatus::LocalFailed:
        return r.diskFull ? QStringLiteral("der Datenträger ist voll")
                          : QStringLiteral("die Datei konnte nicht geschrieben werden: %1").arg(r.detail);
    case DownloadStatus::Cancelled: return QStringLiteral("abgebrochen");
    }
    return r.detail;
}
