#include "services/FileOps.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QDateTime getFileDate(const QString& FileName)
{
    const QFileInfo info(FileName);
    if (FileName.isEmpty() || !info.exists())
        return {};
    return info.lastModified();
}

namespace {

// Copies `from` into a new file `to` (which must not exist), with the
// source's permission bits, flushed to disk before it counts as done.
bool copyWhole(const QByteArray& from, const QByteArray& to)
{
    const int in = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(to.constData());
    return ok;
}

bool sameFile(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {}, sb {};
    return ::stat(a.constData(), &sa) == 0 && ::stat(b.constData(), &sb) == 0
        && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace

bool FileMove(const QString& Source, const QString& Destination, bool Overwrite)
{
    if (Source.isEmpty() || Destination.isEmpty())
        return false;
    QString target = Destination;
    if (target.endsWith(u'/'))
        target += QFileInfo(Source).fileName();
    const QByteArray src = QFile::encodeName(Source);
    const QByteArray dst = QFile::encodeName(target);
    struct stat st {};
    if (::lstat(src.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (sameFile(src, dst))
        return false; // nothing would move; the caller's file stays where it is
    struct stat existing {};
    const bool targetExists = ::lstat(dst.constData(), &existing) == 0;
    if (targetExists && (!Overwrite || S_ISDIR(existing.st_mode)))
        return false;

    if (Overwrite) {
        if (::rename(src.constData(), dst.constData()) == 0)
            return true;
    } else {
        // A hard link fails when the destination appeared meanwhile, so an
        // existing file is never replaced behind the caller's back.
        if (::link(src.constData(), dst.constData()) == 0) {
            if (::unlink(src.constData()) == 0)
                return true;
            ::unlink(dst.constData());
            return false;
        }
    }
    if (errno != EXDEV && errno != EPERM && errno != ENOTSUP)
        return false;

    // Another file system (or one without hard links): copy under a
    // temporary name beside the destination, then put it in place.
    const QByteArray temp = dst + ".arvex-move-" + QByteArray::number(qint64(::getpid()));
    if (!copyWhole(src, temp))
        return false;
    const bool placed = Overwrite ? ::rename(temp.constData(), dst.constData()) == 0
                                  : ::link(temp.constData(), dst.constData()) == 0;
    ::unlink(temp.constData());
    if (!placed)
        return false;
    if (::unlink(src.constData()) != 0) {
        ::unlink(dst.constData()); // not moved: keep one copy, the original
        return false;
    }
    return true;
}

namespace {

struct Walk {
    QFile* target = nullptr;
    QList<QRegularExpression> patterns;
    bool matchAll = false;
    QSet<QPair<quint64, quint64>> visited;
    std::atomic<bool>* cancel = nullptr;
    const std::function<void()>* progress = nullptr;
    int* lines = nullptr;
    int sinceProgress = 0;
    bool failed = false;

    bool matches(const char* name) const
    {
        if (matchAll)
            return true;
        const QString text = QString::fromUtf8(name);
        for (const QRegularExpression& re : patterns)
            if (re.match(text).hasMatch())
                return true;
        return false;
    }

    bool stopped() const { return failed || cancel->load(); }

    void folder(const QByteArray& path)
    {
        struct stat st {};
        if (::stat(path.constData(), &st) != 0)
            return;
        const QPair<quint64, quint64> id(quint64(st.st_dev), quint64(st.st_ino));
        if (visited.contains(id))
            return;
        visited.insert(id);
        DIR* dir = ::opendir(path.constData());
        if (!dir)
            return;
        while (!stopped()) {
            errno = 0;
            const dirent* entry = ::readdir(dir);
            if (!entry)
                break;
            const char* name = entry->d_name;
            if (name[0] == '.')
                continue; // ".", ".." and hidden entries
            if (++sinceProgress >= 256) {
                sinceProgress = 0;
                if (*progress)
                    (*progress)();
            }
            if (!matches(name))
                continue;
            const QByteArray full = path + name;
            struct stat es {};
            if (::stat(full.constData(), &es) == 0 && S_ISDIR(es.st_mode)) {
                folder(full + '/');
                continue;
            }
            const QByteArray line = full + "\r\n";
            if (target->write(line) != line.size()) {
                failed = true;
                break;
            }
            ++*lines;
        }
        ::closedir(dir);
    }
};

} // namespace

bool FileOps::ReadDirctoryStructureToFile(const QString& Path, const QString& TargetTextFileName,
                                          const QString& SearchExtension, bool AppendTarget)
{
    m_cancel = false;
    m_lines = 0;
    if (TargetTextFileName.isEmpty())
        return false;
    if (!AppendTarget && QFileInfo::exists(TargetTextFileName) && !QFile::remove(TargetTextFileName))
        return false;
    QFile target(TargetTextFileName);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;

    Walk walk;
    walk.target = &target;
    walk.cancel = &m_cancel;
    walk.progress = &m_progress;
    walk.lines = &m_lines;
    QString joined = SearchExtension;
    joined.replace(u',', u';');
    for (const QString& part : joined.split(u';', Qt::SkipEmptyParts)) {
        const QString p = part.trimmed();
        if (p.isEmpty())
            continue;
        if (p == QLatin1String("*") || p == QLatin1String("*.*")) {
            walk.matchAll = true;
            break;
        }
        walk.patterns.append(QRegularExpression(
            QRegularExpression::wildcardToRegularExpression(p), QRegularExpression::CaseInsensitiveOption));
    }
    if (SearchExtension.trimmed().isEmpty())
        walk.matchAll = true;

    QString folder = Path.isEmpty() ? QStringLiteral(".") : Path;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    walk.folder(QFile::encodeName(folder));

    const bool flushed = target.flush();
    target.close();
    return flushed && !walk.failed && target.error() == QFileDevice::NoError && !m_cancel;
}
