#include "install/InstallSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

RunResult runProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
                     const QString& workingFolder)
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForStarted(-1)) {
        result.err = QStringLiteral("could not start ") + program;
        return result;
    }
    process.waitForFinished(-1);
    result.crashed = process.exitStatus() != QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QProcessEnvironment noDisplayEnvironment(const QString& lang)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), lang);
    return env;
}

QStringList listTree(const QString& root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        it.next();
        files << base.relativeFilePath(it.filePath());
    }
    // Links whose target is missing are no "files" to QDirIterator: list them too.
    QDirIterator links(root, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (links.hasNext()) {
        links.next();
        if (links.fileInfo().isSymLink() && !links.fileInfo().exists())
            files << base.relativeFilePath(links.filePath());
    }
    files.sort();
    files.removeDuplicates();
    return files;
}

QString buildFolder() { return QStringLiteral(ARVEX_BUILD_DIR); }
QString sourceFolder() { return QStringLiteral(ARVEX_SOURCE_DIR); }

QStringList expectedInstallList()
{
    const QString id = QStringLiteral("org.example.arvex");
    QStringList expected{
        QStringLiteral("bin/arvex"),
        QStringLiteral("bin/arvex-updater"),
        QStringLiteral("libexec/arvex/arvex-demo-emu"),
        QStringLiteral("share/applications/%1.desktop").arg(id),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id),
        QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(id),
        QStringLiteral("share/icons/hicolor/128x128/apps/%1.png").arg(id),
        QStringLiteral("share/icons/hicolor/256x256/apps/%1.png").arg(id),
        QStringLiteral("share/man/man1/arvex.1.gz"),
        QStringLiteral("share/doc/arvex/copyright"),
        QStringLiteral("share/doc/arvex/changelog.gz"),
        QStringLiteral("share/arvex/demo/Emulators/arvex-demo-emu"),
    };
    const QString demo = sourceFolder() + QStringLiteral("/examples/demo");
    for (const QString& file : listTree(demo)) {
        const QString name = QFileInfo(file).fileName();
        if (name == QLatin1String("arvex-demo-emu") || name.contains(QLatin1String("_tmp.")) ||
            name.endsWith(QLatin1String(".uaecfg")) || name == QLatin1String("MountDeamon.sh"))
            continue;
        expected << QStringLiteral("share/arvex/demo/") + file;
    }
    expected.sort();
    return expected;
}

bool haveProgram(const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); }
