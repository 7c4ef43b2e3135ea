#include "cli/ProgramFolderCheck.h"

#include "config/Language.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace ProgramFolderCheck {

QString problem(const QString& programFolder)
{
    const QString folder = QDir::cleanPath(programFolder);
    const QString config = folder + QStringLiteral("/Config");
    bool writable = QDir().mkpath(config) && QFileInfo(config).isDir();
    if (writable) {
        QTemporaryFile probe(config + QStringLiteral("/.arvex-probe-XXXXXX"));
        writable = probe.open() && probe.write("x", 1) == 1 && probe.flush();
    }
    if (writable)
        return {};
    return Msg(QStringLiteral("In den Programmordner\n\n%1\n\nkann nicht geschrieben werden: dort stehen die "
                              "Einstellungen (im Ordner Config). Bitte den Ordner beschreibbar machen oder "
                              "ARVEX_HOME auf einen beschreibbaren Ordner setzen (für die Demo-Sammlung: "
                              "auf eine Kopie davon)."),
               QStringLiteral("The program folder\n\n%1\n\ncannot be written to: it holds the settings (in its "
                              "Config folder). Make the folder writable, or set ARVEX_HOME to a writable "
                              "folder (for the demo collection: to a copy of it)."))
        .arg(folder);
}

} // namespace ProgramFolderCheck
