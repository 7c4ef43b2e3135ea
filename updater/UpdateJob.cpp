#include "UpdateJob.h"

#include "ProcessLookup.h"
#include "UpdaterLanguage.h"
#include "download/FileDownload.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool exists(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool renameFile(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool removeFile(const QString& path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

QString reasonText(const DownloadResult& r)
{
    return UpdaterIsGerman() ? DescribeDownloadGerman(r) : DescribeDownload(r);
}

} // namespace

UpdateJob::Outcome UpdateJob::run(const UpdaterCommand& cmd, bool runAfter)
{
    if (!waitUntilNotRunning(cmd.path))
        return Outcome::Cancelled;
    if (!download(cmd.url, cmd.path))
        return Outcome::Failed;
    if (!replaceWithDownload(cmd.path))
        return Outcome::Failed;
    startAfterUpdate(cmd, runAfter);
    return Outcome::Done;
}

bool UpdateJob::waitUntilNotRunning(const QString& path)
{
    const QString name = ProgramFileName(path);
    for (int waited = 0; m_host.runningProgram(name) != 0; waited += 200) {
        if (waited < m_quietWaitSeconds * 1000) {
            m_host.pause(200);
            continue;
        }
        const UpdaterAnswer answer = m_prompt.ask(
            Tx(QStringLiteral("Bitte Programm schließen.."), QStringLiteral("Close program..")),
            Tx(QStringLiteral("Das Programm: ") + name + QStringLiteral(" ist noch gestartet!\n")
                   + QStringLiteral("Bitte schließen sie das Program bevor Sie das Update starten!"),
               QStringLiteral("The program: ") + name + QStringLiteral(" is still running!\n")
                   + QStringLiteral("Please close the program before starting the Update-Process!")),
            UpdaterButtons::OkCancel, UpdaterIcon::Warning);
        if (answer != UpdaterAnswer::Ok) {
            m_host.status(Tx(QStringLiteral("Abgebrochen"), QStringLiteral("Cancelled")));
            return false;
        }
        waited = m_quietWaitSeconds * 1000;
    }
    return true;
}

bool UpdateJob::download(const QString& url, const QString& path)
{
    const QString target = DownloadedName(path);
    for (;;) {
        // A PATH_ from an earlier run must never pass for this download.
        removeFile(target);
        m_host.status(QStringLiteral("Downloading ..."));
        const DownloadResult result = DownloadToFile(
            m_downloader, url, target,
            [this](qint64 received, qint64 total) { return m_host.progress(received, total); });
        if (result.ok() && exists(target))
            return true;
        if (result.status == DownloadStatus::Cancelled) {
            m_host.status(Tx(QStringLiteral("Abgebrochen"), QStringLiteral("Cancelled")));
            return false;
        }
        m_host.status(reasonText(result));
        const UpdaterAnswer again = m_prompt.ask(
            QStringLiteral("Download"),
            Tx(QStringLiteral("Download Fehler!\nErneut versuchen?"),
               QStringLiteral("Download Error!\nYou want to try it again?"))
                + QStringLiteral("\n\n") + url + QStringLiteral("\n") + reasonText(result),
            UpdaterButtons::YesNo, UpdaterIcon::Question);
        if (again != UpdaterAnswer::Yes)
            return false;
    }
}

bool UpdateJob::replaceWithDownload(const QString& path)
{
    const QString fresh = DownloadedName(path);
    const QString old = BackupName(path);
    const QString old2 = SecondBackupName(path);
    const QByteArray pathName = QFile::encodeName(path);

    struct stat replaced;
    const bool hadOld = ::stat(pathName.constData(), &replaced) == 0;

    if (exists(old2))
        removeFile(old2);
    if (exists(old) && !exists(old2))
        renameFile(old, old2);
    if (exists(old)) {
        m_prompt.message(QStringLiteral("Backup"), QStringLiteral("Fehler: Backup file is writeprotected!"),
                         UpdaterIcon::Critical);
        return false;
    }
    if (hadOld && !renameFile(path, old)) {
        m_prompt.message(QStringLiteral("Backup"),
                         Tx(QStringLiteral("Fehler Backup Datei: ") + old + QStringLiteral(" konnte nicht angelegt werden"),
                            QStringLiteral("Error: Could not create backup file: ") + old),
                         UpdaterIcon::Critical);
        return false;
    }
    m_host.status(QStringLiteral("Remove Temp-Files.."));
    if (exists(path) && !removeFile(path)) {
        m_prompt.message(QStringLiteral("Update"),
                         Tx(QStringLiteral("Die Datei: ") + path
                                + QStringLiteral(" Konnte nicht gelöscht werden.. bitte löschen sie sie, bevor die fortfahren!"),
                            QStringLiteral("Could not delete file: ") + path
                                + QStringLiteral("\nPlease delete it before continue..")),
                         UpdaterIcon::Critical);
        return false;
    }
    // The new file takes over the replaced one's permission bits: an
    // executable stays executable, a private file stays private.
    if (hadOld)
        ::chmod(QFile::encodeName(fresh).constData(), replaced.st_mode & 07777);
    if (!renameFile(fresh, path)) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        if (hadOld)
            renameFile(old, path);
        m_prompt.message(QStringLiteral("Update"),
                         Tx(QStringLiteral("Die neue Datei konnte nicht nach ") + path
                                + QStringLiteral(" verschoben werden: ") + reason,
                            QStringLiteral("Could not move the new file to ") + path + QStringLiteral(": ") + reason),
                         UpdaterIcon::Critical);
        return false;
    }
    m_host.status(Tx(QStringLiteral("Download abgeschlossen"), QStringLiteral("Download Done ..")));
    m_host.status(Tx(QStringLiteral("fertig ..."), QStringLiteral("done ...")));
    m_host.status(QStringLiteral("...all done!"));
    return true;
}

void UpdateJob::startAfterUpdate(const UpdaterCommand& cmd, bool runAfter)
{
    QStringList parameters;
    if (!cmd.param1.isEmpty())
        parameters << cmd.param1;
    if (!cmd.param2.isEmpty())
        parameters << cmd.param2;
    const QString name = ProgramFileName(cmd.path);
    if (!cmd.autostart && !runAfter) {
        const UpdaterAnswer answer = m_prompt.ask(
            Tx(QStringLiteral("Programm starten?"), QStringLiteral("Run program?")),
            Tx(QStringLiteral("Programm jetzt starten: ") + name, QStringLiteral("Restart: ") + name),
            UpdaterButtons::YesNo, UpdaterIcon::Question);
        if (answer != UpdaterAnswer::Yes)
            return;
    }
    m_host.status(Tx(QStringLiteral("Programm wird gestartet.."), QStringLiteral("Restarting Program..")));
    if (!m_host.startProgram(cmd.path, parameters))
        m_prompt.message(Tx(QStringLiteral("Programm starten?"), QStringLiteral("Run program?")),
                         Tx(QStringLiteral("Das Programm konnte nicht gestartet werden: ") + cmd.path,
                            QStringLiteral("Could not start the program: ") + cmd.path),
                         UpdaterIcon::Warning);
}
