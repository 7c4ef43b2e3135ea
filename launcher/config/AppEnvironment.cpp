#include "config/AppEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppEnvironment {

namespace {

QString g_folderOverride;
QString g_exeOverride;

QString withSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString executablePath()
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString target = self.symLinkTarget();
    if (!target.isEmpty())
        return target;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
}

} // namespace

QString programFolder()
{
    if (!g_folderOverride.isEmpty())
        return withSlash(g_folderOverride);
    const QString home = qEnvironmentVariable("ARVEX_HOME");
    if (!home.isEmpty())
        return withSlash(QFileInfo(home).absoluteFilePath());
    const QString exeDir = QFileInfo(executablePath()).absolutePath();
    if (!exeDir.isEmpty()) {
        // An installed program (its data beside it in ../share/arvex) never
        // writes into its bin folder, even when that folder is writable
        // (~/.local/bin, or /usr/bin for root).
        const bool installed = QFileInfo(exeDir + QStringLiteral("/../share/arvex")).isDir();
        if (QFileInfo(exeDir + QStringLiteral("/Config")).isDir() || (!installed && QFileInfo(exeDir).isWritable()))
            return withSlash(exeDir);
    }
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = config + QStringLiteral("/arvex");
    QDir().mkpath(folder);
    return withSlash(folder);
}

QString exeName()
{
    if (!g_exeOverride.isEmpty())
        return g_exeOverride;
    return QFileInfo(executablePath()).completeBaseName();
}

void setOverrides(const QString& folder, const QString& exe)
{
    g_folderOverride = folder;
    g_exeOverride = exe;
}

} // namespace AppEnvironment
