#pragma once
// The process table: which programs run, and ending one of them.
// The running-game monitor asks it once a second whether the watched
// emulator still runs; the kill actions end it. The real table reads /proc;
// tests use a double with a fixed list. UI thread (the real table guards
// what it remembers between walks with a lock, so another thread may walk too).
//
// A process matches a watched name (a file name or path; only the part after
// the last separator counts, compared ignoring case) when the name equals the
// file name of its executable (/proc/<pid>/exe), of argv[0], of argv[1] when
// the process is a script interpreter (sh, bash, python3, wine, ...), or
// equals its kernel name /proc/<pid>/comm, which the kernel cuts to 15
// characters (so only the name's first 15 characters are compared there).
#include <QList>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

struct ProcessInfo {
    qint64 pid = 0;
    QString exe;   // target of /proc/<pid>/exe (empty when unreadable)
    QString argv0;
    QString argv1;
    QString comm;  // kernel name, at most 15 characters
};

class ProcessTable {
public:
    virtual ~ProcessTable() = default;
    // Calls `visit` for every running process until it returns true.
    virtual void forEach(const std::function<bool(const ProcessInfo&)>& visit) const = 0;
    // As forEach, but reads for at most about `budget` of the calling
    // thread's processor time: processes it has no
    // time left to read (or to check again when a check is due) are not
    // visited. False when it left any out; a later call goes on where this
    // one stopped. Tables that never take long visit all and return true.
    virtual bool forEachWithin(const std::function<bool(const ProcessInfo&)>& visit,
                               std::chrono::microseconds budget) const
    {
        (void)budget;
        forEach(visit);
        return true;
    }
    // Starts learning the running processes in the background, so that the
    // first walks within a budget are complete. Tables that need none: nothing.
    virtual void prepare() {}
    // The process `pid` alone; false when it does not run.
    virtual bool lookup(qint64 pid, ProcessInfo& info) const = 0;
    // Ends the process `pid` (see KillProcess). Failures are silent.
    virtual void terminate(qint64 pid) = 0;
};

// The real table over /proc. terminate() sends SIGTERM to the whole process
// group when `pid` leads one (an emulator started through a wrapper script
// ends with its children), else to the process alone, and SIGKILL 2 seconds
// later to whatever of it is still there (checked from the event loop, so
// the caller is never blocked).
// A walk reads only the stat of a process it has seen before (same start
// time and kernel name: same program), and reads new ones whole, so a tick of
// the running-game monitor stays cheap with hundreds of processes. A walk
// within a budget takes the highest ids first (the newest processes, where a
// just-started emulator is), and prepare() reads every process once on a
// background thread, so that even the monitor's first tick stays short.
ProcessTable& systemProcessTable();
// A new table over /proc that knows no process yet (benchmarks, tests).
std::unique_ptr<ProcessTable> newSystemProcessTable();

// The watched name reduced to its file name: "/" separates when the name has
// one, else "\" (names written on Windows).
QString WatchedFileName(const QString& name);
// True when `info` carries `fileName` (already reduced by WatchedFileName).
bool ProcessMatchesName(const ProcessInfo& info, const QString& fileName);
// True when the file name is one of the script interpreters whose argv[1]
// names the program really run.
bool IsScriptInterpreter(const QString& fileName);

// The id of a process carrying the name, 0 when none does. The process
// `hint` (an earlier result) is checked first, so watching a running program
// costs one process read instead of a walk over all of them.
qint64 FindRunningProgram(const QString& name, const ProcessTable& table = systemProcessTable(),
                          qint64 hint = 0);
// FindRunningProgram for a caller that must not wait long (the monitor's
// tick): the walk reads for at most about `budget`. `complete` is false when
// nothing was found but the walk left processes unread, so the program may
// still run.
struct RunningSearch {
    qint64 pid = 0;
    bool complete = true;
};
RunningSearch FindRunningProgramWithin(const QString& name, const ProcessTable& table, qint64 hint,
                                       std::chrono::microseconds budget);
// True when a process carries the name.
bool IsProgramRunning(const QString& name, const ProcessTable& table = systemProcessTable());
// The id of the first process carrying the name; when none does, the first
// process whose executable name contains the name (ignoring case); 0 when
// nothing matches.
qint64 FindProcessId(const QString& name, const ProcessTable& table = systemProcessTable());
// Ends the process (ids of 0 or less are ignored).
void KillProcess(qint64 id, ProcessTable& table = systemProcessTable());
