#pragma once
// GameMonitor: watches the started emulator once a second (EmuActiveTimer),
// shows it as running, restores the launcher when it has ended, ends it on
// request, and keeps the short history of what was started (shown on the
// loading screen). The main window owns one, forwards the clicks on
// AppRunningPicture and LoadingBtn to it, and implements LaunchHost for it.
// UI thread.
#include "launch/LaunchHost.h"
#include "launch/ProcessTable.h"
#include "launch/ScreenResolution.h"

#include <QObject>
#include <QTimer>

class GameMonitor : public QObject {
    Q_OBJECT
public:
    // Not owned; they must outlive the monitor. `screen` may be null (no
    // display mode handling).
    GameMonitor(LaunchHost& host, ProcessTable& processes = systemProcessTable(),
                ScreenResolution* screen = nullptr, QObject* parent = nullptr);

    // The watched program: a file name or path; only its file name counts.
    void SetCurrentRunninApplication(const QString& path);
    QString currentRunningApplication() const { return m_watched; }

    // After a launch: grace counter 3, timer on, game running.
    void startWatching(int graceTicks = 3);
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
};

// The display form of a started file: its file name, cut after the second
// ")" of its release tags when the first stands at position 5 or later,
// else without its last four characters; names under 5 characters give the
// whole path.
QString StartedDisplayName(const QString& path);
