#include "services/UrlDownload.h"

#include "download/CurlDownloader.h"
#include "download/FileDownload.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    return text;
}

} // namespace

QString UrlFileName(const QString& url)
{
    QString name = url.mid(url.lastIndexOf(u'/') + 1);
    for (QChar end : {u'?', u'#'}) {
        const qsizetype at = name.indexOf(end);
        if (at >= 0)
            name.truncate(at);
    }
    return name.isEmpty() ? QStringLiteral("download") : name;
}

QString FreeFileName(const QString& path)
{
    if (!QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString folder = info.path() + u'/';
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = folder + base + QStringLiteral(" (%1)").arg(n) + suffix;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

UrlDownloadResult URLToFileDownload(const QString& URL_Source, const QString& Path_Destination, int Overwrite,
                                    Downloader* downloader)
{
    UrlDownloadResult result;
    const QString url = unquoted(URL_Source);
    QString target = unquoted(Path_Destination);
    if (QFileInfo(target).isDir())
        target = (target.endsWith(u'/') ? target : target + u'/') + UrlFileName(url);
    if (Overwrite == kDownloadFreeName)
        target = FreeFileName(target);
    result.file = target;
    // A replaced file passes its permission bits on to the new one.
    int mode = -1;
    struct stat st;
    if (::stat(QFile::encodeName(target).constData(), &st) == 0 && S_ISREG(st.st_mode))
        mode = int(st.st_mode & 07777);

    QCoreApplication::processEvents();
    CurlDownloader curl(CurlDownloader::stallSecondsFromEnvironment());
    Downloader& chosen = downloader ? *downloader : curl;
    result.download = DownloadToFile(chosen, url, target, [](qint64, qint64) {
        QCoreApplication::processEvents();
        return true;
    }, mode);
    if (!result.download.ok())
        result.download.detail = QStringLiteral("modURLDownload.URLDownload: ") + result.download.detail;
    result.ok = result.download.ok();
    return result;
}
