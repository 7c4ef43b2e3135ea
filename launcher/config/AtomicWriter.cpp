#include "config/AtomicWriter.h"

#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicWriter {

namespace {

std::atomic<bool> g_namedOnly{false};

const QByteArray kMarker = QByteArrayLiteral(".arvex-");
// Long names are cut in the temporary name so it stays within NAME_MAX.
constexpr qsizetype kMaxNameInTemporary = 100;

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Owns a descriptor and, for a named temporary file, the name until it is
// renamed into place: every early return cleans up after itself.
class Pending {
public:
    ~Pending()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_name.isEmpty())
            ::unlink(m_name.constData());
    }
    int fd() const { return m_fd; }
    void setFd(int fd) { m_fd = fd; }
    void setName(const QByteArray& name) { m_name = name; }
    const QByteArray& name() const { return m_name; }
    // Closes the descriptor; false (errno set) when the close reports an error.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void release() { m_name.clear(); }

private:
    int m_fd = -1;
    QByteArray m_name;
};

// Follows symbolic links (relative ones against their own folder) to the
// file a write must replace; a dangling link gives the file it would create.
bool resolveTarget(const QByteArray& path, QByteArray& target, int& error)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.constData(), &st) != 0) {
            if (errno != ENOENT) {
                error = errno;
                return false;
            }
            target = current;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(current.constData(), buffer, sizeof buffer);
        if (n < 0 || n >= ssize_t(sizeof buffer)) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return false;
        }
        QByteArray link(buffer, n);
        if (!link.startsWith('/')) {
            const qsizetype slash = current.lastIndexOf('/');
            if (slash >= 0)
                link.prepend(current.left(slash + 1));
        }
        current = link;
    }
    error = ELOOP;
    return false;
}

bool writeAll(int fd, QByteArrayView data, int& error)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Gives the new file the old one's permission bits and, where allowed, owner.
bool keepModeAndOwner(int fd, const struct stat& old, int& error)
{
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        error = errno;
        return false;
    }
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid())
        return true;
    if (::fchown(fd, old.st_uid, old.st_gid) == 0) {
        // A change of owner clears the set-id bits; put them back.
        if (::fchmod(fd, old.st_mode & 07777) == 0)
            return true;
        error = errno;
        return false;
    }
    if (::geteuid() == 0) {
        error = errno;
        return false;
    }
    // Not root: keep at least the group when it is one of ours; the file
    // itself becomes this user's.
    if (::fchown(fd, uid_t(-1), old.st_gid) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    return true;
}

void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The new content is already in place; a folder that cannot be synced
    // only loses durability, not the write.
    ::fsync(fd);
    ::close(fd);
}

bool processAlive(long long pid)
{
    if (pid <= 0 || pid > INT_MAX)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

QByteArray temporaryName(const QByteArray& fileName, long long pid, quint32 random)
{
    return '.' + fileName.left(kMaxNameInTemporary) + kMarker + QByteArray::number(pid) + '-'
           + QByteArray::number(random, 16).rightJustified(8, '0');
}

long long temporaryOwnerPid(const QByteArray& entry)
{
    if (!entry.startsWith('.'))
        return -1;
    const qsizetype marker = entry.lastIndexOf(kMarker);
    if (marker < 1)
        return -1;
    const QByteArray tail = entry.mid(marker + kMarker.size());
    const qsizetype dash = tail.indexOf('-');
    if (dash < 1 || tail.size() - dash - 1 != 8)
        return -1;
    for (qsizetype i = 0; i < tail.size(); ++i) {
        const char c = tail.at(i);
        const bool digit = c >= '0' && c <= '9';
        const bool hex = digit || (c >= 'a' && c <= 'f');
        if (i < dash ? !digit : (i > dash && !hex))
            return -1;
    }
    bool ok = false;
    const long long pid = tail.left(dash).toLongLong(&ok);
    return ok ? pid : -1;
}

int removeStaleTemporaries(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir)
        return 0;
    int removed = 0;
    const long long self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        const long long pid = temporaryOwnerPid(name);
        if (pid < 0 || pid == self || processAlive(pid))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)
            || st.st_uid != ::geteuid())
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

void setNamedTemporariesOnly(bool on)
{
    g_namedOnly = on;
}

bool replace(const QByteArray& path, const QByteArray& data, QString& reason)
{
    return replace(path, Producer([&data](const Sink& sink) { return sink(data); }), reason);
}

bool replace(const QByteArray& path, const Producer& produce, QString& reason)
{
    int error = 0;
    auto fail = [&](int e) {
        reason = systemText(e);
        return false;
    };
    if (path.isEmpty())
        return fail(ENOENT);
    QByteArray target;
    if (!resolveTarget(path, target, error))
        return fail(error);

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail(errno);
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            return fail(EINVAL);
        // No write bit at all marks a file the user protected: root too keeps off.
        if ((old.st_mode & 0222) == 0)
            return fail(EACCES);
        if (::geteuid() != 0 && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
            return fail(errno);
    }

    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArrayLiteral(".") : slash == 0 ? QByteArrayLiteral("/")
                                                                              : target.left(slash);
    const QByteArray fileName = target.mid(slash + 1);
    removeStaleTemporaries(folder);
    const QByteArray temporary =
        folder + '/' + temporaryName(fileName, ::getpid(), QRandomGenerator::global()->generate());

    // One attempt with a nameless file where the system offers it, else (or
    // when it cannot be given a name) one with the named temporary file.
    bool nameless = !g_namedOnly;
    for (;;) {
        Pending pending;
        if (nameless) {
            const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0) {
                if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                    return fail(errno);
                nameless = false;
                continue;
            }
            pending.setFd(fd);
        } else {
            const int fd = ::open(temporary.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (fd < 0)
                return fail(errno);
            pending.setFd(fd);
            pending.setName(temporary);
        }
        // Mode and owner before the content, so no one else may read it meanwhile.
        if (exists && !keepModeAndOwner(pending.fd(), old, error))
            return fail(error);
        error = 0;
        if (!produce([&](QByteArrayView part) { return writeAll(pending.fd(), part, error); }))
            return fail(error != 0 ? error : ECANCELED);
        if (::fsync(pending.fd()) != 0)
            return fail(errno);
        if (nameless) {
            // Without /proc only root may link a descriptor; then write it again under a name.
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(pending.fd());
            if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temporary.constData(), AT_SYMLINK_FOLLOW) != 0
                && ::linkat(pending.fd(), "", AT_FDCWD, temporary.constData(), AT_EMPTY_PATH) != 0) {
                nameless = false;
                continue;
            }
            pending.setName(temporary);
        }
        if (!pending.close())
            return fail(errno);
        if (::rename(temporary.constData(), target.constData()) != 0)
            return fail(errno);
        pending.release();
        break;
    }
    syncFolder(folder);
    return true;
}

} // namespace AtomicWriter
