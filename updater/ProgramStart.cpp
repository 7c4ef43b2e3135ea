#include "ProgramStart.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

StartKind HowToStart(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix().toLower();
    const bool windowsProgram = suffix == QLatin1String("exe") || suffix == QLatin1String("com")
                                || suffix == QLatin1String("bat");
    if (windowsProgram && !QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
        return StartKind::Wine;
    if (info.isFile() && info.isExecutable())
        return StartKind::Direct;
    return StartKind::DefaultApplication;
}

bool StartFile(const QString& path, const QStringList& parameters)
{
    const QString folder = QFileInfo(path).absolutePath();
    switch (HowToStart(path)) {
    case StartKind::Direct:
        return QProcess::startDetached(path, parameters, folder);
    case StartKind::Wine:
        return QProcess::startDetached(QStringLiteral("wine"), QStringList{path} + parameters, folder);
    case StartKind::DefaultApplication:
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
    return false;
}

bool OpenWebAddress(const QString& url) { return QDesktopServices::openUrl(QUrl(url)); }
