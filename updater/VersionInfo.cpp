#include "VersionInfo.h"

#include "UpdaterLanguage.h"
#include "download/FileDownload.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
constexpr char kDefaultInfoUrl[] = "https://arvex.example.org/download/Arvex/Update.txt";
constexpr char kDefaultDownloadUrl[] = "https://arvex.example.org/download/Arvex/arvex-updater";
}

QString VersionInfoUrl(const QString& downloadUrl)
{
    QString url = downloadUrl.trimmed();
    const qsizetype cut = [&] {
        const qsizetype query = url.indexOf(u'?');
        const qsizetype fragment = url.indexOf(u'#');
        if (query < 0)
            return fragment;
        return fragment < 0 ? query : std::min(query, fragment);
    }();
    if (cut >= 0)
        url.truncate(cut);
    const qsizetype slash = url.lastIndexOf(u'/');
    const qsizetype dot = url.lastIndexOf(u'.');
    // A dot that belongs to the host ("https://host.org") is no extension.
    const bool hasExtension = dot > slash && slash > url.indexOf(QLatin1String("//")) + 1;
    if (hasExtension)
        return url.left(dot + 1) + QStringLiteral("txt");
    return url + QStringLiteral(".txt");
}

std::optional<QString> FetchVersionInfo(Downloader& downloader, const QString& infoUrl,
                                        const std::function<void(const QString&)>& status)
{
    if (status)
        status(Tx(QStringLiteral("Suche Versions - Info ..."), QStringLiteral("Searching for Version Info ...")));
    QTemporaryDir folder;
    if (!folder.isValid())
        return std::nullopt;
    const QString copy = folder.filePath(QStringLiteral("info_tempdownloadfile.txt"));
    if (!DownloadToFile(downloader, infoUrl, copy).ok())
        return std::nullopt;
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    QFile::remove(copy);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    if (status)
        status(QStringLiteral("info loaded .."));
    return text;
}

QString UpdaterVersionText() { return QStringLiteral("Vers. 1.4b"); }

QString UpdaterOwnInfoUrl()
{
    const QString url = qEnvironmentVariable("ARVEX_UPDATER_INFO_URL");
    return url.isEmpty() ? QString::fromLatin1(kDefaultInfoUrl) : url;
}

QString UpdaterOwnDownloadUrl()
{
    const QString url = qEnvironmentVariable("ARVEX_UPDATER_DOWNLOAD_URL");
    return url.isEmpty() ? QString::fromLatin1(kDefaultDownloadUrl) : url;
}
