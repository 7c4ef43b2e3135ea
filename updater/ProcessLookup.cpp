#include "ProcessLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

bool isInterpreter(const QString& name)
{
    static const QStringList kInterpreters = {
        QStringLiteral("sh"),      QStringLiteral("bash"),   QStringLiteral("dash"),
        QStringLiteral("python"),  QStringLiteral("python3"), QStringLiteral("perl"),
        QStringLiteral("wine"),    QStringLiteral("wine64"), QStringLiteral("wine-preloader"),
        QStringLiteral("wine64-preloader")};
    return kInterpreters.contains(name, Qt::CaseInsensitive);
}

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool same(const QString& a, const QString& b) { return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0; }

bool isZombie(const QString& procDir)
{
    // "pid (comm) S ...": the state follows the last ")".
    const QByteArray stat = readAll(procDir + QStringLiteral("/stat"));
    const qsizetype close = stat.lastIndexOf(')');
    return close >= 0 && close + 2 < stat.size() && stat.at(close + 2) == 'Z';
}

bool carries(const QString& procDir, const QString& name)
{
    // An ended process whose parent has not collected it yet does not run.
    if (isZombie(procDir))
        return false;
    const QString exe = ProgramFileName(QFile::symLinkTarget(procDir + QStringLiteral("/exe"))
                                            .remove(QLatin1String(" (deleted)")));
    if (same(exe, name))
        return true;
    const QList<QByteArray> argv = readAll(procDir + QStringLiteral("/cmdline")).split('\0');
    const QString argv0 = argv.isEmpty() ? QString() : ProgramFileName(QFile::decodeName(argv.at(0)));
    if (same(argv0, name))
        return true;
    if (argv.size() > 1 && (isInterpreter(argv0) || isInterpreter(exe))
        && same(ProgramFileName(QFile::decodeName(argv.at(1))), name))
        return true;
    const QString comm = QString::fromUtf8(readAll(procDir + QStringLiteral("/comm"))).trimmed();
    return same(comm, name.left(15));
}

} // namespace

QString ProgramFileName(const QString& path)
{
    const QChar separator = path.contains(u'/') ? u'/' : u'\\';
    return path.mid(path.lastIndexOf(separator) + 1);
}

qint64 FindRunningProgram(const QString& fileName)
{
    const QString name = ProgramFileName(fileName);
    if (name.isEmpty())
        return 0;
    const qint64 self = qint64(::getpid());
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid || pid == self)
            continue;
        if (carries(QStringLiteral("/proc/") + entry, name))
            return pid;
    }
    return 0;
}
