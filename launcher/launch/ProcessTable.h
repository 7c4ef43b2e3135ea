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

#include <functional>

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
// the running-game monitor stays cheap with hundreds of processes.
ProcessTable& systemProcessTable();

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
// True when a process carries the name.
bool IsProgramRunning(const QString& name, const ProcessTable& table = systemProcessTable());
// The id of the first process carrying the name; when none does, the first
// process whose executable name contains the name (ignoring case); 0 when
// nothing matches.
qint64 FindProcessId(const QString& name, const ProcessTable& table = systemProcessTable());
// Ends the process (ids of 0 or less are ignored).
void KillProcess(qint64 id, ProcessTable& table = systemProcessTable());
