#include "launch/ProcessTable.h"

#include <QCoreApplication>
#include <QTimer>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

namespace {

// Reads a small /proc file into `buf`; returns the byte count (0 on failure).
ssize_t readSmallFile(const char* path, char* buf, size_t size)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    ssize_t total = 0;
    while (size_t(total) < size) {
        const ssize_t n = ::read(fd, buf + total, size - size_t(total));
        if (n <= 0)
            break;
        total += n;
    }
    ::close(fd);
    return total;
}

QString baseName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype back = path.lastIndexOf(u'\\');
    return path.mid(qMax(slash, back) + 1);
}

// The start time of a process in clock ticks since boot (field 22 of
// /proc/<pid>/stat); 0 when the process is gone. Guards against a reused id.
unsigned long long startTimeOf(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
    char buf[1024];
    const ssize_t n = readSmallFile(path, buf, sizeof buf - 1);
    if (n <= 0)
        return 0;
    buf[n] = '\0';
    // The name in parentheses may hold blanks: count fields after the last ')'.
    const char* p = std::strrchr(buf, ')');
    if (!p)
        return 0;
    int field = 2;
    for (; *p && field < 22; ++p)
        if (*p == ' ')
            ++field;
    return std::strtoull(p, nullptr, 10);
}

// Reads what the matching needs of one process; false when it is gone, has
// ended (a zombie not yet reaped by its parent is no running program) or
// cannot be read.
bool readProcess(long pid, ProcessInfo& info)
{
    char path[64];
    char buf[4096];
    info = ProcessInfo{};
    info.pid = pid;

    // "pid (comm) state ...": the kernel name and the state in one read.
    std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    ssize_t n = readSmallFile(path, buf, 512);
    if (n <= 0)
        return false;
    const char* open = static_cast<const char*>(std::memchr(buf, '(', size_t(n)));
    const char* close = static_cast<const char*>(memrchr(buf, ')', size_t(n)));
    if (!open || !close || close < open || close + 2 >= buf + n)
        return false;
    const char state = close[2];
    if (state == 'Z' || state == 'X' || state == 'x')
        return false;
    info.comm = QString::fromLocal8Bit(open + 1, close - open - 1);

    std::snprintf(path, sizeof path, "/proc/%ld/exe", pid);
    n = ::readlink(path, buf, sizeof buf);
    if (n > 0) {
        info.exe = QString::fromLocal8Bit(buf, n);
        if (info.exe.endsWith(QLatin1String(" (deleted)")))
            info.exe.chop(10);
    }

    std::snprintf(path, sizeof path, "/proc/%ld/cmdline", pid);
    n = readSmallFile(path, buf, sizeof buf);
    if (n > 0) {
        const char* a0 = buf;
        const size_t len0 = strnlen(a0, size_t(n));
        info.argv0 = QString::fromLocal8Bit(a0, qsizetype(len0));
        if (qsizetype(len0) + 1 < n) {
            const char* a1 = buf + len0 + 1;
            info.argv1 = QString::fromLocal8Bit(a1, qsizetype(strnlen(a1, size_t(n) - len0 - 1)));
        }
    }
    return true;
}

class ProcTable final : public ProcessTable {
public:
    void forEach(const std::function<bool(const ProcessInfo&)>& visit) const override
    {
        DIR* dir = ::opendir("/proc");
        if (!dir)
            return;
        ProcessInfo info;
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] < '1' || e->d_name[0] > '9')
                continue;
            char* end = nullptr;
            const long pid = std::strtol(e->d_name, &end, 10);
            if (!end || *end || !readProcess(pid, info))
                continue;
            if (visit(info))
                break;
        }
        ::closedir(dir);
    }

    bool lookup(qint64 pid, ProcessInfo& info) const override
    {
        return pid > 0 && readProcess(long(pid), info);
    }

    void terminate(qint64 id) override
    {
        const pid_t pid = pid_t(id);
        if (pid <= 1 || pid == ::getpid())
            return;
        const bool leadsGroup = ::getpgid(pid) == pid && pid != ::getpgrp();
        const unsigned long long started = startTimeOf(pid);
        if (::kill(leadsGroup ? -pid : pid, SIGTERM) != 0)
            return;
        auto finish = [pid, leadsGroup, started]() {
            if (leadsGroup) {
                if (::kill(-pid, 0) == 0)
                    ::kill(-pid, SIGKILL);
            } else if (started != 0 && startTimeOf(pid) == started) {
                ::kill(pid, SIGKILL);
            }
        };
        if (QCoreApplication::instance())
            QTimer::singleShot(2000, QCoreApplication::instance(), finish);
    }
};

} // namespace

ProcessTable& systemProcessTable()
{
    static ProcTable table;
    return table;
}

QString WatchedFileName(const QString& name)
{
    const QChar sep = name.contains(u'/') ? u'/' : u'\\';
    const qsizetype at = name.lastIndexOf(sep);
    return at >= 0 ? name.mid(at + 1) : name;
}

bool IsScriptInterpreter(const QString& fileName)
{
    static const char* const kNames[] = {"sh", "bash", "dash", "zsh", "ksh", "mksh", "fish",
                                         "python", "python2", "python3", "perl", "ruby", "lua",
                                         "tclsh", "wish", "node", "env", "wine", "wine64",
                                         "wine-preloader", "wine64-preloader", "mono"};
    const QString lower = fileName.toLower();
    for (const char* n : kNames)
        if (lower == QLatin1String(n))
            return true;
    // Versioned interpreters: python3.11, perl5.36, ...
    for (const char* n : {"python", "perl", "ruby", "lua"})
        if (lower.startsWith(QLatin1String(n)) && lower.size() > qsizetype(std::strlen(n))
            && (lower[std::strlen(n)].isDigit()))
            return true;
    return false;
}

bool ProcessMatchesName(const ProcessInfo& info, const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    const auto same = [&](const QString& s) {
        return !s.isEmpty() && baseName(s).compare(fileName, Qt::CaseInsensitive) == 0;
    };
    if (same(info.exe) || same(info.argv0))
        return true;
    if (!info.comm.isEmpty() && info.comm.compare(fileName.left(15), Qt::CaseInsensitive) == 0)
        return true;
    if (!info.argv1.isEmpty()
        && (IsScriptInterpreter(baseName(info.exe)) || IsScriptInterpreter(baseName(info.argv0))))
        return same(info.argv1);
    return false;
}

qint64 FindRunningProgram(const QString& name, const ProcessTable& table, qint64 hint)
{
    const QString fileName = WatchedFileName(name);
    if (fileName.isEmpty())
        return 0;
    ProcessInfo info;
    if (hint > 0 && table.lookup(hint, info) && ProcessMatchesName(info, fileName))
        return hint;
    qint64 found = 0;
    table.forEach([&](const ProcessInfo& p) {
        if (ProcessMatchesName(p, fileName))
            found = p.pid;
        return found != 0;
    });
    return found;
}

bool IsProgramRunning(const QString& name, const ProcessTable& table)
{
    return FindRunningProgram(name, table) != 0;
}

qint64 FindProcessId(const QString& name, const ProcessTable& table)
{
    const QString fileName = WatchedFileName(name);
    if (fileName.isEmpty())
        return 0;
    qint64 equal = 0;
    qint64 containing = 0;
    table.forEach([&](const ProcessInfo& info) {
        if (ProcessMatchesName(info, fileName)) {
            equal = info.pid;
            return true;
        }
        if (containing == 0) {
            const QString exeName = info.exe.isEmpty() ? info.comm : baseName(info.exe);
            if (exeName.contains(fileName, Qt::CaseInsensitive))
                containing = info.pid;
        }
        return false;
    });
    return equal != 0 ? equal : containing;
}

void KillProcess(qint64 id, ProcessTable& table)
{
    if (id > 0)
        table.terminate(id);
}
