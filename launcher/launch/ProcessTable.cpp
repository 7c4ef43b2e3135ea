#include "launch/ProcessTable.h"

#include <QCoreApplication>
#include <QTimer>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

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

// A view, not a copy: the matching runs over every process of a walk.
QStringView baseName(QStringView path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype back = path.lastIndexOf(u'\\');
    return path.mid(qMax(slash, back) + 1);
}

// What /proc/<pid>/stat tells of a process in one read: its kernel name,
// whether it still runs, and its start time (which, with the kernel name,
// tells a reused id or an exec apart from the process seen before).
struct ProcessStat {
    QByteArray comm;
    unsigned long long started = 0;
    bool running = false;
};

// False when the process is gone or its stat cannot be parsed.
bool readStat(long pid, ProcessStat& st)
{
    char path[64];
    char buf[1024];
    std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
    const ssize_t n = readSmallFile(path, buf, sizeof buf - 1);
    if (n <= 0)
        return false;
    buf[n] = '\0';
    const char* open = static_cast<const char*>(std::memchr(buf, '(', size_t(n)));
    const char* close = static_cast<const char*>(memrchr(buf, ')', size_t(n)));
    if (!open || !close || close < open || close + 2 >= buf + n)
        return false;
    const char state = close[2];
    // A zombie not yet reaped by its parent is no running program.
    st.running = state != 'Z' && state != 'X' && state != 'x';
    st.comm = QByteArray(open + 1, close - open - 1);
    // Field 22 counted after the last ')' (the name may hold blanks).
    const char* p = close;
    for (int field = 2; *p && field < 22; ++p)
        if (*p == ' ')
            ++field;
    st.started = std::strtoull(p, nullptr, 10);
    return true;
}

// The start time of a process in clock ticks since boot; 0 when it is gone.
// Guards against a reused id.
unsigned long long startTimeOf(pid_t pid)
{
    ProcessStat st;
    return readStat(long(pid), st) ? st.started : 0;
}

// Fills the rest of `info` (executable and first two arguments).
void readExeAndArguments(long pid, ProcessInfo& info)
{
    char path[64];
    char buf[4096];
    std::snprintf(path, sizeof path, "/proc/%ld/exe", pid);
    ssize_t n = ::readlink(path, buf, sizeof buf);
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
}

// Reads what the matching needs of one process; false when it is gone, has
// ended or cannot be read.
bool readProcess(long pid, ProcessInfo& info)
{
    info = ProcessInfo{};
    info.pid = pid;
    ProcessStat st;
    if (!readStat(pid, st) || !st.running)
        return false;
    info.comm = QString::fromLocal8Bit(st.comm);
    readExeAndArguments(pid, info);
    return true;
}

// Processes younger than this are checked on every walk.
constexpr unsigned long long kYoungSeconds = 3;
// Older ones are checked once in this many walks.
constexpr quint64 kCheckRounds = 16;

unsigned long long ticksPerSecond()
{
    static const long ticks = ::sysconf(_SC_CLK_TCK);
    return ticks > 0 ? (unsigned long long)(ticks) : 100;
}

// Now, in the unit and from the origin of a process's start time.
unsigned long long ticksSinceBoot()
{
    timespec ts{};
    ::clock_gettime(CLOCK_BOOTTIME, &ts);
    return (unsigned long long)(ts.tv_sec) * ticksPerSecond()
        + (unsigned long long)(ts.tv_nsec) * ticksPerSecond() / 1000000000ULL;
}

// The processor time this thread has used. A walk's budget counts it rather
// than the clock on the wall: on a loaded machine a walk may wait for a
// processor, and a budget spent waiting would leave it unfinished tick after
// tick while the work it has to do is small.
qint64 threadCpuNanoseconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The ids of /proc, highest first: the newest processes, among them a
// just-started emulator, come first in a walk that may run out of time.
std::vector<long> listProcessIds()
{
    std::vector<long> ids;
    DIR* dir = ::opendir("/proc");
    if (!dir)
        return ids;
    ids.reserve(1024);
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] < '1' || e->d_name[0] > '9')
            continue;
        char* end = nullptr;
        const long pid = std::strtol(e->d_name, &end, 10);
        if (end && !*end)
            ids.push_back(pid);
    }
    ::closedir(dir);
    std::sort(ids.begin(), ids.end(), std::greater<>());
    return ids;
}

class ProcTable final : public ProcessTable {
public:
    ~ProcTable() override
    {
        m_stopPriming = true;
        if (m_primer.joinable())
            m_primer.join();
    }

    void forEach(const std::function<bool(const ProcessInfo&)>& visit) const override
    {
        walk(visit, nullptr);
    }

    bool forEachWithin(const std::function<bool(const ProcessInfo&)>& visit,
                       std::chrono::microseconds budget) const override
    {
        const qint64 deadline = threadCpuNanoseconds() + qint64(budget.count()) * 1000;
        return walk(visit, &deadline);
    }

    // Reads every process not yet known on a thread of its own. It holds the
    // lock only to look up and to store one process, so a walk never waits
    // for more than that.
    void prepare() override
    {
        std::lock_guard lock(m_mutex);
        if (!m_primer.joinable())
            m_primer = std::thread([this] { prime(); });
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

private:
    struct Known {
        unsigned long long started = 0;
        QByteArray comm;
        bool running = false;
        ProcessInfo info;
        quint64 walk = 0; // the last walk that saw it
    };

    static void learn(long pid, const ProcessStat& st, Known& k)
    {
        k.started = st.started;
        k.comm = st.comm;
        k.info = ProcessInfo{};
        k.info.pid = pid;
        k.info.comm = QString::fromLocal8Bit(st.comm);
        readExeAndArguments(pid, k.info);
    }

    // One walk over /proc. What is known of each process is kept between
    // walks, and a walk reads only what it must:
    //  - a new id: read whole;
    //  - a young process (started within kYoungSeconds): its stat again, and
    //    read whole when its start time or kernel name changed, since a
    //    launcher script execs its emulator right after it starts;
    //  - every other known one: its stat once in kCheckRounds walks, in turn,
    //    which finds a reused id or a late exec within that many walks.
    // A remembered process may thus be a few walks out of date; the finders
    // below confirm a match with a fresh lookup before they report it.
    // With a deadline (processor time of this thread), a new or young process met after it is not visited
    // (the walk is then incomplete: false); an older one due for its turn is
    // visited as remembered and checked in a later walk.
    bool walk(const std::function<bool(const ProcessInfo&)>& visit, const qint64* deadline) const
    {
        const std::vector<long> ids = listProcessIds();
        if (ids.empty())
            return true; // no /proc to read: nothing can be found
        std::lock_guard lock(m_mutex);
        ++m_walk;
        const unsigned long long now = ticksSinceBoot();
        const unsigned long long youngWindow = kYoungSeconds * ticksPerSecond();
        const unsigned long long youngSince = now > youngWindow ? now - youngWindow : 0;
        bool complete = true;
        bool stopped = false;
        ProcessStat st;
        for (const long pid : ids) {
            auto it = m_known.find(pid);
            const bool isNew = it == m_known.end();
            const bool young = !isNew && it->second.started >= youngSince;
            const bool due = isNew || young || (quint64(pid) + m_walk) % kCheckRounds == 0;
            if (due && deadline && threadCpuNanoseconds() >= *deadline) {
                if (isNew || young) {
                    complete = false;
                    if (!isNew)
                        it->second.walk = m_walk;
                    continue;
                }
            } else if (due) {
                if (!readStat(pid, st)) {
                    if (!isNew)
                        m_known.erase(it);
                    continue;
                }
                if (isNew)
                    it = m_known.try_emplace(pid).first;
                Known& k = it->second;
                k.running = st.running;
                if (isNew || k.started != st.started || k.comm != st.comm)
                    learn(pid, st, k);
            }
            Known& k = it->second;
            k.walk = m_walk;
            if (!k.running)
                continue;
            if (visit(k.info)) {
                stopped = true;
                break;
            }
        }
        // Forget the processes that have gone (known only after a whole walk).
        if (!stopped)
            std::erase_if(m_known, [this](const auto& entry) { return entry.second.walk != m_walk; });
        return complete;
    }

    void prime()
    {
        ProcessStat st;
        for (const long pid : listProcessIds()) {
            if (m_stopPriming)
                return;
            {
                std::lock_guard lock(m_mutex);
                if (m_known.count(pid))
                    continue;
            }
            if (!readStat(pid, st))
                continue;
            Known k;
            k.running = st.running;
            learn(pid, st, k);
            std::lock_guard lock(m_mutex);
            k.walk = m_walk;
            m_known.try_emplace(pid, std::move(k));
        }
    }

    mutable std::mutex m_mutex;
    mutable std::unordered_map<long, Known> m_known;
    mutable quint64 m_walk = 0;
    std::thread m_primer;
    std::atomic<bool> m_stopPriming = false;
};

} // namespace

ProcessTable& systemProcessTable()
{
    static ProcTable table;
    return table;
}

std::unique_ptr<ProcessTable> newSystemProcessTable()
{
    return std::make_unique<ProcTable>();
}

QString WatchedFileName(const QString& name)
{
    const QChar sep = name.contains(u'/') ? u'/' : u'\\';
    const qsizetype at = name.lastIndexOf(sep);
    return at >= 0 ? name.mid(at + 1) : name;
}

namespace {

bool isScriptInterpreter(QStringView fileName)
{
    static const char* const kNames[] = {"sh", "bash", "dash", "zsh", "ksh", "mksh", "fish",
                                         "python", "python2", "python3", "perl", "ruby", "lua",
                                         "tclsh", "wish", "node", "env", "wine", "wine64",
                                         "wine-preloader", "wine64-preloader", "mono"};
    for (const char* n : kNames)
        if (fileName.compare(QLatin1StringView(n), Qt::CaseInsensitive) == 0)
            return true;
    // Versioned interpreters: python3.11, perl5.36, ...
    for (const char* n : {"python", "perl", "ruby", "lua"})
        if (fileName.startsWith(QLatin1StringView(n), Qt::CaseInsensitive)
            && fileName.size() > qsizetype(std::strlen(n)) && fileName[std::strlen(n)].isDigit())
            return true;
    return false;
}

} // namespace

bool IsScriptInterpreter(const QString& fileName)
{
    return isScriptInterpreter(fileName);
}

bool ProcessMatchesName(const ProcessInfo& info, const QString& fileName)
{
    if (fileName.isEmpty())
        return false;
    const auto same = [&](QStringView s) {
        return !s.isEmpty() && baseName(s).compare(fileName, Qt::CaseInsensitive) == 0;
    };
    if (same(info.exe) || same(info.argv0))
        return true;
    if (!info.comm.isEmpty() && info.comm.compare(fileName.left(15), Qt::CaseInsensitive) == 0)
        return true;
    if (!info.argv1.isEmpty()
        && (isScriptInterpreter(baseName(info.exe)) || isScriptInterpreter(baseName(info.argv0))))
        return same(info.argv1);
    return false;
}

namespace {

// A match found in a walk, read afresh: the walk may remember a process
// that has since ended or become another program.
bool confirmed(const ProcessTable& table, qint64 pid, const QString& fileName)
{
    ProcessInfo fresh;
    return table.lookup(pid, fresh) && ProcessMatchesName(fresh, fileName);
}

} // namespace

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
        if (ProcessMatchesName(p, fileName) && confirmed(table, p.pid, fileName))
            found = p.pid;
        return found != 0;
    });
    return found;
}

RunningSearch FindRunningProgramWithin(const QString& name, const ProcessTable& table, qint64 hint,
                                       std::chrono::microseconds budget)
{
    RunningSearch result;
    const QString fileName = WatchedFileName(name);
    if (fileName.isEmpty())
        return result;
    ProcessInfo info;
    if (hint > 0 && table.lookup(hint, info) && ProcessMatchesName(info, fileName)) {
        result.pid = hint;
        return result;
    }
    result.complete = table.forEachWithin(
        [&](const ProcessInfo& p) {
            if (ProcessMatchesName(p, fileName) && confirmed(table, p.pid, fileName))
                result.pid = p.pid;
            return result.pid != 0;
        },
        budget);
    if (result.pid != 0)
        result.complete = true;
    return result;
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
    // Of several processes with the name, the one started first: a program
    // that forks (a launcher script putting a job in the background) leaves
    // copies under its own name until they exec, and the walk sees the newest
    // first. Ids whose start time can't be read compare by id.
    qint64 equal = 0;
    std::pair<unsigned long long, qint64> equalAge{0, 0};
    qint64 containing = 0;
    table.forEach([&](const ProcessInfo& info) {
        if (ProcessMatchesName(info, fileName) && confirmed(table, info.pid, fileName)) {
            const std::pair<unsigned long long, qint64> age{startTimeOf(pid_t(info.pid)), info.pid};
            if (equal == 0 || age < equalAge) {
                equal = info.pid;
                equalAge = age;
            }
            return false;
        }
        if (equal == 0 && containing == 0) {
            const QStringView exeName = info.exe.isEmpty() ? QStringView(info.comm) : baseName(info.exe);
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
