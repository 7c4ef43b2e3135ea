#pragma once
// GameLauncher: turns one game file into a running emulator.
//
// LaunchGame builds the emulator's command line from the per-emulator
// settings, writes the WinUAE start configuration when the profile uses a
// master template, writes the launcher script "<ExeName>_tmp.sh" (LF):
//     #!/bin/sh
//     cd '<emulator folder>'
//     exec '<emulator>' <cmd>            (exec '<wine>' '<emulator>' ... for .exe/.com/.bat)
// mounts the image when asked, starts the script detached (own session and
// process group, but our child, so the monitor can collect its exit status),
// with its error output going to "<ExeName>_tmp.err" beside the script;
// shows the loading screen, arms the monitor, runs the start script when
// asked, and deletes the launcher script and the error file's name once the
// shell has read the script (the monitor keeps the error file open). When
// the script cannot be written the same commands run directly through
// "sh -c" (with a beep).
//
// Quoting: the user's own parameter texts (EmulatorParameter,
// WinUAE_ConfigParameter) are inserted as written, so the user's quoting and
// word splitting apply; every path the launcher adds (game file, file name,
// configuration file) is shell-quoted and reaches the emulator as exactly one
// argument, whatever bytes it holds. UseQuote therefore changes nothing in
// what the emulator receives here: it chose between long and short (8.3)
// names and double quotes, and there are no short names and no need for
// double quotes on this system.
//
// The main window owns one GameLauncher next to its GameMonitor and
// implements LaunchHost for both. UI thread; waits let window events run.
#include "launch/GameMonitor.h"
#include "launch/LaunchHost.h"
#include "services/Clock.h"

#include <QString>
#include <QStringList>

// The settings that shape the emulator's command line.
struct CommandLineSettings {
    int useQuote = 0;                 // UseQuote
    QString winUaeConfigParameter;    // WinUAE_ConfigParameter
    int useMasterConfig = 0;          // WinUAE_UseMasterConfig
    QString emulatorParameter;        // EmulatorParameter
    int addDiskPath = 0;              // EmulatorParameterAddDiskPath
    int addDiskPathWithoutPath = 0;   // EmulatorParameterAddDiskPathWithoutPath

    // Reads them from a per-emulator settings file (storing the defaults).
    static CommandLineSettings read(const QString& settingsFile);
};

struct CommandLine {
    QString cmd;              // shell text placed after the emulator
    bool writeConfig = false; // the start configuration must be written
};

// Builds *cmd* for `gamePath` (the game file without enclosing quotes).
// After each step it is " " + trimmed + " ".
CommandLine BuildCommandLine(const CommandLineSettings& s, const QString& gamePath,
                             const QString& startScriptConfig);

// The launcher script's text for an emulator and *cmd*; `wine` is put in
// front of Windows programs (may be empty for others).
QString LauncherScriptText(const QString& emulator, const QString& cmd, const QString& wine);

// The file beside the launcher script that receives the emulator's error
// output: "<ExeName>_tmp.sh" gives "<ExeName>_tmp.err". Empty for no script.
QString ErrorOutputPath(const QString& launcherScript);

// An existing path stays; an empty one gives empty. A path that cannot be
// found is reported ("Bat - Start-File not found: ") and gives empty.
QString ResolveBatchFile(const QString& path);

class GameLauncher {
public:
    enum class Result {
        Started,           // the emulator was started
        GameNotFound,      // "Game - File not found!" was shown
        EmulatorNotFound,  // the emulator (or Wine for it) is missing; a message was shown
        StartFailed,       // the shell could not be started at all
    };

    GameLauncher(LaunchHost& host, GameMonitor& monitor, Clock& clock = systemClock());

    // Launches `gameFile` (trimmed in place).
    Result LaunchGame(QString& gameFile);
    // The Run button: keep-on-top normal, emulator combo disabled during the
    // launch, then enabled again. `fullPath` is the UAE_FULL entry at the
    // complete list's current index.
    Result LaunchBtn_Click(const QString& fullPath);

    // The splash counter: the loading screen's seconds (set from SplashTimer
    // by each launch; LoadEmulatorView sets it to 4).
    qint16 GetTimerTimer() const { return m_splash; }
    void setSplashCounter(qint16 value) { m_splash = value; }
    // The watched-program name (kept by the monitor).
    void SetCurrentRunninApplication(const QString& path) { m_monitor.SetCurrentRunninApplication(path); }
    // The running-application name: the game's file name without its extension.
    QString runningApplicationName() const { return m_runningApplication; }
    // Process id of the program the last launch started (the shell that
    // became the emulator), or -1.
    qint64 lastStartedPid() const { return m_lastPid; }

private:
    void finish(const QString& script, const QString& errorFile, const QString& caption,
                const QByteArray& scriptCommandLine);

    LaunchHost& m_host;
    GameMonitor& m_monitor;
    Clock& m_clock;
    qint16 m_splash = 4;
    QString m_runningApplication;
    qint64 m_lastPid = -1;
};

