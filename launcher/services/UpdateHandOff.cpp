#include "services/UpdateHandOff.h"

#include "config/Ini.h"
#include "config/Language.h"
#include "services/Prompt.h"
#include "services/UrlDownload.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <unistd.h>

namespace {

QString title() { return QStringLiteral("Online-Update"); }

void endLauncherNow()
{
    // The launcher's windows close as on a normal quit (placement saved);
    // a QtCore-only program just leaves its event loop.
    if (QCoreApplication::instance()->metaObject()->indexOfMethod("closeAllWindows()") >= 0)
        QMetaObject::invokeMethod(QCoreApplication::instance(), "closeAllWindows", Qt::DirectConnection);
    QCoreApplication::quit();
}

} // namespace

QStringList UpdaterArguments(const QString& url, const QString& localFile, const QString& programParam)
{
    QStringList arguments{QStringLiteral("[URL]"), url, QStringLiteral("[PATH]"), localFile};
    if (!programParam.trimmed().isEmpty())
        arguments << QStringLiteral("[PARAM1]") << programParam;
    return arguments;
}

bool IsSystemWideInstall(const QString& file)
{
    const QString folder = QFileInfo(QFileInfo(file).absoluteFilePath()).absolutePath();
    return ::access(QFile::encodeName(folder).constData(), W_OK) != 0;
}

bool DownloadUpdateWithUpdater(const QString& URLFileToDownload, const QString& LocalFileToUpdate,
                               const QString& LocalUpdaterEXE, const QString& URLUpdaterEXE,
                               const QString& ProgramParam, const UpdateHandOffSeams& seams)
{
    const QString target = QFileInfo(LocalFileToUpdate).absoluteFilePath();
    const QString updater = QFileInfo(LocalUpdaterEXE).absoluteFilePath();
    if (IsSystemWideInstall(target)) {
        prompt().message(title(),
                         Msg(QStringLiteral("Arvex ist für das ganze System installiert (%1 ist schreibgeschützt).\n"
                                            "Updates kommen über die Paketverwaltung des Systems.")
                                 .arg(QFileInfo(target).absolutePath()),
                             QStringLiteral("Arvex is installed for the whole system (%1 cannot be written).\n"
                                            "Updates come from the system's package manager.")
                                 .arg(QFileInfo(target).absolutePath())),
                         PromptIcon::Information);
        return false;
    }
    if (!QFileInfo::exists(updater)) {
        QCoreApplication::processEvents();
        const UrlDownloadResult got =
            URLToFileDownload(URLUpdaterEXE, updater, kDownloadReplaceUpdater, seams.downloader);
        // A downloaded program must be executable to be started.
        if (got.ok)
            QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner
                                               | QFileDevice::ExeUser | QFileDevice::ExeGroup
                                               | QFileDevice::ExeOther);
        if (!QFileInfo::exists(updater)) {
            const QString reason = currentLanguage() == kLanguageGerman ? DescribeDownloadGerman(got.download)
                                                                        : DescribeDownload(got.download);
            prompt().message(title(),
                             LocalUpdaterEXE + QStringLiteral("\n\nDownload Failed! ") + QStringLiteral("\n")
                                 + URLUpdaterEXE + QStringLiteral("\n") + reason,
                             PromptIcon::Critical);
            return false;
        }
    }
    if (!QFileInfo::exists(updater)) {
        prompt().message(QStringLiteral("File not found!"),
                         LocalUpdaterEXE + QStringLiteral(" not found!\nUpdate Cancled!"), PromptIcon::Critical);
        return false;
    }
    const QStringList arguments = UpdaterArguments(URLFileToDownload, target, ProgramParam);
    const bool started = seams.start ? seams.start(updater, arguments)
                                     : QProcess::startDetached(updater, arguments, QFileInfo(target).absolutePath());
    if (!started) {
        prompt().message(title(),
                         Msg(QStringLiteral("Das Update-Programm konnte nicht gestartet werden: "),
                             QStringLiteral("The update program could not be started: "))
                             + updater + QStringLiteral("\nUpdate Cancled!"),
                         PromptIcon::Critical);
        return false;
    }
    if (seams.endLauncher)
        seams.endLauncher();
    else
        endLauncherNow();
    return true;
}

bool StartOnlineUpdate(const QString& globalSettingsFile, const UpdateHandOffSeams& seams)
{
    const QString self = QCoreApplication::applicationFilePath();
    const QString folder = QFileInfo(self).absolutePath() + u'/';
    const QString updateUrl = ReadIniValue(QStringLiteral("Settings"), QString::fromLatin1(kUpdateUrlKey),
                                           globalSettingsFile, QString::fromLatin1(kDefaultUpdateUrl), false);
    const QString updaterUrl = ReadIniValue(QStringLiteral("Settings"), QString::fromLatin1(kUpdaterUrlKey),
                                            globalSettingsFile, QString::fromLatin1(kDefaultUpdaterUrl), false);
    return DownloadUpdateWithUpdater(updateUrl, self, folder + QStringLiteral("arvex-updater"), updaterUrl,
                                     QString(), seams);
}
