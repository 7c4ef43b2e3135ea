#include "FuzzSupport.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace fuzz {

const QString& scratchFolder()
{
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString path = base + QStringLiteral("/arvex-fuzz-%1/").arg(::getpid());
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

QString writeScratch(const char* name, const QByteArray& bytes)
{
    const QString path = scratchFolder() + QString::fromLatin1(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz: cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QString writeScratch(const char* name, const uint8_t* data, size_t size)
{
    return writeScratch(name, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString visible(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

QString visible(const QStringList& list)
{
    QStringList parts;
    for (const QString& s : list)
        parts << u'"' + visible(s) + u'"';
    return u'[' + parts.join(QStringLiteral(", ")) + u']';
}

void fail(const char* invariant, const QStringList& details)
{
    std::fprintf(stderr, "\n== invariant broken: %s\n", invariant);
    for (const QString& d : details)
        std::fprintf(stderr, "   %s\n", d.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
