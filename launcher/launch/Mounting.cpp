#include "launch/Mounting.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "library/FileNames.h"
#include "services/Prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString VirtualDrive0()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    const QString drive = QDir::cleanPath(runtime + QStringLiteral("/arvex/drive0"));
    QDir().mkpath(drive);
    return drive;
}

QStringList MountScriptLines(const QString& tool, const QString& image, const QString& wine)
{
    if (QFileInfo(tool).fileName() == QLatin1String("fuseiso")) {
        const QString drive = ShellQuote(VirtualDrive0());
        return {QStringLiteral("fusermount -u ") + drive,
                ShellQuote(tool) + QStringLiteral(" -n ") + ShellQuote(image) + u' ' + drive};
    }
    const QString prefix = wine.isEmpty() ? QString() : ShellQuote(wine) + u' ';
    return {prefix + ShellQuote(tool) + QStringLiteral(" -unmount 0"),
            prefix + ShellQuote(tool) + QStringLiteral("   -mount 0, ") + ShellQuote(image)};
}

bool MountImage(const QString& gameFile, const QString& globalSettingsFile,
                const QString& programFolder, const QString& startFolder)
{
    QString tool = ReadIniValue(QStringLiteral("Settings"), QStringLiteral("DeamonToolPath"),
                                globalSettingsFile, QString(), true)
                       .trimmed();
    tool = StripEnclosingQuotes(tool);
    if (!tool.isEmpty()) {
        if (!tool.contains(u'/') && !tool.contains(u'\\'))
            tool = FindInPath(tool);
        else
            tool = MakeAbsolutePath(programFolder, tool);
    }
    QString wine;
    if (!tool.isEmpty() && IsWindowsProgram(tool)) {
        wine = FindInPath(QStringLiteral("wine"));
        if (wine.isEmpty())
            tool.clear();
    }
    if (tool.isEmpty() || !QFileInfo(tool).isFile()) {
        prompt().message(AppEnvironment::exeName(), QStringLiteral("Deamon Tool not found!"));
        return false;
    }

    const QString script = AddTrailingSeparator(startFolder) + QStringLiteral("MountDeamon.sh");
    const QStringList lines = MountScriptLines(tool, StripEnclosingQuotes(gameFile), wine);
    QFile f(script);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write("#!/bin/sh\n");
    for (const QString& line : lines)
        f.write(encodeFileName(line) + '\n');
    f.close();
    RunAndWait(QStringLiteral("/bin/sh"), {script}, kStyleMinimisedNoFocus);
    QFile::remove(script);
    return true;
}
