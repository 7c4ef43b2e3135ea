#include "launch/StartScript.h"

#include "config/TextFile.h"
#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "library/FileNames.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

QStringList StartScriptTemplateLines(const QString& emulatorExecutable)
{
    QString name = QFileInfo(StripEnclosingQuotes(emulatorExecutable)).fileName();
    if (name.size() > 4)
        name.chop(4);
    const QString q = QStringLiteral("\"");
    return {QStringLiteral("' === Startscript for ") + name + QStringLiteral(" ==="),
            QString(),
            QStringLiteral("Set ws = CreateObject(") + q + QStringLiteral("Wscript.shell") + q
                + QStringLiteral(")"),
            QString(),
            QStringLiteral("'  Enter Windowtitle here ->"),
            QStringLiteral("ws.AppActivate ") + q + name + q,
            QStringLiteral("wscript.Sleep 500                            "),
            QString(),
            QStringLiteral("'  Example: Alt+F and Return ->"),
            QStringLiteral("ws.SendKeys (") + q + QStringLiteral("%(f)") + q + QStringLiteral(")"),
            QStringLiteral("ws.SendKeys (") + q + QStringLiteral("{ENTER}") + q + QStringLiteral(")"),
            QString(),
            QString(),
            QStringLiteral("'  Example:  pause for 2 Sec. then F8 ->"),
            QStringLiteral("wscript.Sleep 2000"),
            QStringLiteral("ws.SendKeys (") + q + QStringLiteral("{F8}") + q + QStringLiteral(")")};
}

bool WriteStartScriptTemplate(const QString& scriptPath, const QString& emulatorExecutable)
{
    if (scriptPath.isEmpty() || QFileInfo::exists(scriptPath))
        return false;
    return TextFile::writeLinesCrLf(scriptPath, StartScriptTemplateLines(emulatorExecutable));
}

void SettingsForm_OpenVBS_Click(const QString& scriptPath, const QString& emulatorExecutable)
{
    WriteStartScriptTemplate(scriptPath, emulatorExecutable);
    if (QFileInfo(scriptPath).isFile())
        OpenInTextEditor(scriptPath);
}

QStringList StartScriptHost(const QString& scriptPath)
{
    QFile f(scriptPath);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray first = f.readLine(4096);
    if (first.startsWith("#!")) {
        // As the kernel does: the interpreter, then the rest of the line as one argument.
        // The interpreter's path is a file name: its bytes stay as they are.
        const QString line = decodeFileName(first.mid(2)).trimmed();
        const qsizetype blank = line.indexOf(QRegularExpression(QStringLiteral("[ \t]")));
        const QString interpreter = blank < 0 ? line : line.left(blank);
        const QString argument = blank < 0 ? QString() : line.mid(blank).trimmed();
        const QString program = FindInPath(interpreter);
        if (program.isEmpty())
            return {};
        QStringList cmd{program};
        if (!argument.isEmpty())
            cmd << argument;
        return cmd << scriptPath;
    }
    const QString wine = FindInPath(QStringLiteral("wine"));
    if (wine.isEmpty())
        return {};
    return {wine, QStringLiteral("wscript.exe"), scriptPath};
}

qint64 RunStartScript(const QString& scriptPath, Clock& clock)
{
    if (scriptPath.isEmpty() || !QFileInfo(scriptPath).isFile())
        return 0;
    const QStringList host = StartScriptHost(scriptPath);
    if (host.isEmpty())
        return 0;
    const QString runner = scriptPath + QStringLiteral(".sh");
    QString line = QStringLiteral("exec");
    for (const QString& word : host)
        line += u' ' + ShellQuote(word);
    if (!TextFile::writeAtomic(runner, encodeFileName(QStringLiteral("#!/bin/sh\n") + line + u'\n')))
        return 0;
    const QStringList args{runner};
    const qint64 pid = SpawnDetached(QStringLiteral("/bin/sh"), args,
                                     QFileInfo(scriptPath).absolutePath());
    // What the shell's command line reads until it has read the runner and
    // started the host.
    const QByteArray initial = QByteArray("/bin/sh") + '\0' + encodeFileName(runner) + '\0';
    WAIT(1, clock);
    if (pid > 0)
        WaitUntilProgramReplaced(pid, initial, 5000);
    QFile::remove(runner);
    return pid > 0 ? pid : 0;
}
