#pragma once
// Starting programs: detached starts for emulators and scripts, starting
// and waiting for helper scripts, PATH look-ups and the waits of the launch.
// Everything that waits lets window events run, so the launcher stays
// responsive. UI thread.
#include "services/Clock.h"

#include <QString>
#include <QStringList>

// Window styles the launch asks for. Linux cannot impose them on another
// program; they are accepted as hints and otherwise ignored.
enum WindowStyle : int {
    kStyleNormalFocus = 1,
    kStyleMinimisedFocus = 2,
    kStyleMaximisedFocus = 3,
    kStyleMinimisedNoFocus = 6,
};

// Starts `program` (a path) with `args` in `workDir` (empty: our own folder)
// detached from the launcher: in a session and process group of its own and
// not our child, so it outlives nothing of ours and leaves no zombie.
// Returns its process id, or -1 when it could not be started (the error
// number of the failed start is put in `error` when given).
qint64 SpawnDetached(const QString& program, const QStringList& args, const QString& workDir = {},
                     int* error = nullptr);

// Starts `program` like SpawnDetached (own session and process group), but
// as our own child, so that its exit status can be collected with
// TakeExitStatus. `stderrFd` (when 0 or more) becomes its error output. A
// child nobody asks about any more is handed to AbandonChild; every start
// collects such children, so none stays a zombie for long.
qint64 SpawnChild(const QString& program, const QStringList& args, const QString& workDir = {},
                  int stderrFd = -1, int* error = nullptr);

// How a child ended: `signal` is the signal that ended it (0 when it
// exited), `code` its exit status.
struct ChildExit {
    int code = 0;
    int signal = 0;
    bool failed() const { return signal != 0 || code != 0; }
};

// Collects child `pid` when it has ended: true, with `exit` filled. False
// while it runs, and for a process that is not (or no longer) our child.
bool TakeExitStatus(qint64 pid, ChildExit& exit);

// Hands a child that nobody waits for any more to be collected when it ends.
void AbandonChild(qint64 pid);
// Collects the abandoned children that have ended.
void ReapAbandonedChildren();

// Starts `program` with `args` and waits for its end, letting window events
// run meanwhile. Returns its exit code, or -1 when it could not be started or
// did not exit normally.
int RunAndWait(const QString& program, const QStringList& args,
               int windowStyle = kStyleMinimisedNoFocus);

// The full path of `name` found on $PATH (a name with a "/" is checked as
// given); empty when there is none that can be executed.
QString FindInPath(const QString& name);

// True for programs that need Wine here: names ending in .exe, .com or .bat.
bool IsWindowsProgram(const QString& path);

// The program that opens `document`: the document itself when it can be
// executed, Wine for Windows programs (when installed), else the desktop's
// opener (xdg-open) when installed; empty when there is none.
QString FindExecutable(const QString& document);

// Opens a text file in the user's editor: $VISUAL, then $EDITOR (both run in
// no terminal, so graphical editors are meant), else xdg-open. Not waited for.
bool OpenInTextEditor(const QString& path);

// Waits `seconds` changes of the clock's second (so up to one second less
// than asked), letting window events run all the time. 0 or less: no wait.
void WAIT(qint32 seconds, Clock& clock = systemClock());

// The command line of a running process, NUL-separated as the kernel keeps
// it; empty when the process is gone.
QByteArray ProcessCommandLine(qint64 pid);

// Waits until process `pid` no longer runs `initialCommandLine` (it has
// started another program, or it ended), at most `timeoutMs`, letting events
// run. True when it did within the time. Used before a start script is
// deleted, so the shell has surely read it.
bool WaitUntilProgramReplaced(qint64 pid, const QByteArray& initialCommandLine, int timeoutMs);
