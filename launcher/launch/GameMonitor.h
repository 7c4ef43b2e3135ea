#pragma once
// GameMonitor: watches the started emulator once a second (EmuActiveTimer),
// shows it as running, restores the launcher when it has ended, ends it on
// request, and keeps the short history of what was started (shown on the
// loading screen). The main window owns one, forwards the clicks on
// AppRunningPicture and LoadingBtn to it, and implements LaunchHost for it.
//
// Beside the watch by name, the monitor holds the process a launch started
// (the emulator itself: the launcher script execs it) as a child, with its
// error output. It collects that child's exit status every 100 ms during
// its first seconds and on every watch tick. An emulator that ends within
// kEarlyExitSeconds with a failure status or a signal, without the user
// having asked to end it, ends the watch at once and is reported with the
// last lines of its error output; a quick clean exit says nothing.
// A tick reads the process table for a few milliseconds at most; a tick that
// could not see every process in that time never counts the program as
// ended (the next tick goes on where it stopped). The table is asked to
// learn the running processes in the background as the monitor is made.
// UI thread.
#include "launch/EmulatorExit.h"
#include "launch/LaunchHost.h"
#include "launch/ProcessTable.h"
#include "launch/ScreenResolution.h"
#include "services/Clock.h"

#include <QObject>
#include <QTimer>

class GameMonitor : public QObject {
    Q_OBJECT
public:
    // Not owned; they must outlive the monitor. `screen` may be null (no
    // display mode handling).
    GameMonitor(LaunchHost& host, ProcessTable& processes = systemProcessTable(),
                ScreenResolution* screen = nullptr, QObject* parent = nullptr);
    ~GameMonitor() override;

    // The watched program: a file name or path; only its file name counts.
    void SetCurrentRunninApplication(const QString& path);
    QString currentRunningApplication() const { return m_watched; }

    // After a launch: grace counter 3, timer on, game running.
    void startWatching(int graceTicks = 3);
    // After a launch (once the watch is on): the started process `pid`, our
    // child, shown as `emulator` in messages; `errors` holds its error
    // output; `clock` dates its start and end. Replaces an earlier one.
    void watchLaunchedChild(qint64 pid, const QString& emulator, ErrorOutputFile errors,
                            Clock& clock = systemClock());
    // Collects the launched emulator when it has ended; reports a failure
    // within kEarlyExitSeconds and ends the watch. True when it did.
    bool pollLaunchedChild();
    qint64 launchedChild() const { return m_child.pid; }
    // After a setup start: timer on, the grace counter stays as it is.
    void armTimer();
    bool isWatching() const { return m_timer.isActive(); }
    bool gameRunning() const { return m_gameRunning; }
    void setGameRunning(bool running) { m_gameRunning = running; }
    int graceCounter() const { return m_grace; }
    bool runningShown() const { return m_runningShown; }
    QTimer& timer() { return m_timer; }

    // One watch step (the timer's tick).
    void EmuActiveTimer_Timer();
    // Ends the watched program (restoring the display mode when asked).
    void AppRunningPicture_Click();
    // Ends the watched program; when none is shown running, offers to end
    // the emulator of the settings file.
    void LoadingBtn_Click();

    // Start history: the display form of `name` is appended (and put back
    // into `name`); every line after the first is cut to 29 characters.
    void Add_CURRENT_PROGRAM_STARTED(QString& name);
    QString Get_CURRENT_PROGRAM_STARTED() const { return m_history; }
    void setHistory(const QString& text) { m_history = text; }

signals:
    // The watched program was found ended and the launcher restored.
    void gameEnded();

private:
    // The launched emulator, while it is not collected.
    struct LaunchedChild {
        qint64 pid = 0;
        QString emulator;
        QDateTime started;
        ErrorOutputFile errors;
        Clock* clock = nullptr;
    };
    void releaseChild();
    void endWatch();

    LaunchHost& m_host;
    ProcessTable& m_processes;
    ScreenResolution* m_screen;
    QTimer m_timer;
    QString m_watched;
    QString m_history;
    int m_grace = 0;
    bool m_gameRunning = false;
    bool m_runningShown = false;
    qint64 m_seenPid = 0; // the process found on the last tick
    LaunchedChild m_child;
    QTimer m_childPoll;
    bool m_endRequested = false; // the user asked to end the game
};

// The display form of a started file: its file name, cut after the second
// ")" of its release tags when the first stands at position 5 or later,
// else without its last four characters; names under 5 characters give the
// whole path.
QString StartedDisplayName(const QString& path);
