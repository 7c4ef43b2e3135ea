#include "ScriptMode.h"

#include "UpdaterLanguage.h"
#include "VersionInfo.h"

#include <QFile>

bool ScriptMode::run(const QString& scriptFile, bool runAfter)
{
    QFile file(scriptFile);
    if (scriptFile.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        m_prompt.message(QStringLiteral("Script-Mode"),
                         Tx(QStringLiteral("Die Skriptdatei wurde nicht gefunden: ") + scriptFile,
                            QStringLiteral("The script file was not found: ") + scriptFile),
                         UpdaterIcon::Critical);
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        m_status(QStringLiteral("ScriptMode: ") + line);
        UpdaterCommand cmd = ParseCommandLine(line);
        if (cmd.kind != UpdaterCommand::Kind::Update || !cmd.complete())
            return fail(i + 1, line);
        cmd.ask = false;
        if (!cmd.skipInfo && m_infoShown) {
            if (const auto info = FetchVersionInfo(m_downloader, VersionInfoUrl(cmd.url), m_status))
                m_infoShown(*info);
        }
        if (m_job.run(cmd, runAfter) != UpdateJob::Outcome::Done)
            return fail(i + 1, line);
    }
    return true;
}

bool ScriptMode::fail(int lineNumber, const QString& line)
{
    m_prompt.message(QStringLiteral("Script-Mode"),
                     Tx(QStringLiteral("Zeile %1 des Skripts ist fehlgeschlagen; das Skript wurde angehalten:\n")
                            .arg(lineNumber),
                        QStringLiteral("Line %1 of the script failed; the script stopped:\n").arg(lineNumber))
                         + line,
                     UpdaterIcon::Critical);
    return false;
}
