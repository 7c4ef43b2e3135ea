#include "launch/GameLauncher.h"

#include "config/AppEnvironment.h"
#include "config/Ini.h"
#include "launch/EmulatorExit.h"
#include "launch/Mounting.h"
#include "launch/PathOps.h"
#include "launch/ProgramRunner.h"
#include "launch/StartScript.h"
#include "launch/WinUaeConfig.h"
#include "library/FileNames.h"
#include "services/Prompt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kSettings = QStringLiteral("Settings");

QString readSetting(const QString& key, const QString& file, const QString& def, bool create = true)
{
    return ReadIniValue(kSettings, key, file, def, create);
}

QString normalised(const QString& cmd)
{
    return u' ' + cmd.trimmed() + u' ';
}

} // namespace

CommandLineSettings CommandLineSettings::read(const QString& file)
{
    CommandLineSettings s;
    s.useQuote = toInt16(readSetting(QStringLiteral("UseQuote"), file, QStringLiteral("0")));
    s.winUaeConfigParameter = readSetting(QStringLiteral("WinUAE_ConfigParameter"), file, QString());
    s.useMasterConfig = toInt16(readSetting(QStringLiteral("WinUAE_UseMasterConfig"), file, QStringLiteral("1")));
    s.emulatorParameter = readSetting(QStringLiteral("EmulatorParameter"), file, QString());
    s.addDiskPath = toInt16(readSetting(QStringLiteral("EmulatorParameterAddDiskPath"), file, QStringLiteral("0")));
    s.addDiskPathWithoutPath =
        toInt16(readSetting(QStringLiteral("EmulatorParameterAddDiskPathWithoutPath"), file, QStringLiteral("0")));
    return s;
}

CommandLine BuildCommandLine(const CommandLineSettings& s, const QString& gamePath,
                             const QString& startScriptConfig)
{
    CommandLine out;
    // Long and short forms are the same file here; the path is one argument
    // with or without UseQuote.
    const QString gameArgument = ShellQuote(s.useQuote > 0 ? LongPathName(gamePath) : ShortPathName(gamePath));
    QString cmd;
    if (!s.winUaeConfigParameter.isEmpty())
        cmd = normalised(s.winUaeConfigParameter);
    if (s.useMasterConfig == 1) {
        cmd = normalised(cmd + ShellQuote(ShortPathName(startScriptConfig)));
        out.writeConfig = true;
    }
    if (!s.emulatorParameter.isEmpty())
        cmd = normalised(cmd + s.emulatorParameter);
    if (s.addDiskPath != 0) {
        if (s.addDiskPathWithoutPath == 0) {
            cmd = normalised(cmd + gameArgument);
        } else {
            // The name exactly as the file system has it: a double quote is
            // part of a Linux file name, not quoting.
            cmd = normalised(cmd + ShellQuote(QFileInfo(gamePath).fileName()));
        }
    }
    out.cmd = normalised(cmd);
    return out;
}

QString LauncherScriptText(const QString& emulator, const QString& cmd, const QString& wine)
{
    QString run = QStringLiteral("exec ");
    if (!wine.isEmpty())
        run += ShellQuote(wine) + u' ';
    run += ShellQuote(emulator);
    const QString args = cmd.trimmed();
    if (!args.isEmpty())
        run += u' ' + args;
    return QStringLiteral("#!/bin/sh\ncd ") + ShellQuote(QFileInfo(emulator).absolutePath())
           + u'\n' + run + u'\n';
}

QString ErrorOutputPath(const QString& launcherScript)
{
    if (launcherScript.isEmpty())
        return {};
    QString base = launcherScript;
    if (base.endsWith(QLatin1String(".sh")))
        base.chop(3);
    return base + QStringLiteral(".err");
}

QString ResolveBatchFile(const QString& path)
{
    if (path.isEmpty())
        return {};
    if (pathExists(path))
        return path;
    QString found;
    for (const QString& candidate : {LongPathName(path), ShortPathName(path), QuoteIfNeeded(ShortPathName(path))})
        if (pathExists(candidate))
            found = candidate;
    if (found.isEmpty())
        prompt().message(AppEnvironment::exeName(),
                         QStringLiteral("Bat - Start-File not found: ") + u'\r' + path);
    return found;
}

GameLauncher::GameLauncher(LaunchHost& host, GameMonitor& monitor, Clock& clock)
    : m_host(host), m_monitor(monitor), m_clock(clock)
{
}

GameLauncher::Result GameLauncher::LaunchBtn_Click(const QString& fullPath)
{
    m_host.setKeepOnTopNormal();
    m_host.setEmulatorComboEnabled(false);
    QString game = fullPath;
    const Result r = LaunchGame(game);
    m_host.setEmulatorComboEnabled(true);
    return r;
}

GameLauncher::Result GameLauncher::LaunchGame(QString& gameFile)
{
    const LaunchPaths p = m_host.paths();
    m_lastPid = -1;

    // 1-2: the game path, the script path.
    gameFile = gameFile.trimmed();
    const QString caption = m_host.windowCaption();
    const CommandLineSettings settings = CommandLineSettings::read(p.settingsFile);
    const QString gamePath = settings.useQuote > 0 ? LongPathName(gameFile) : ShortPathName(gameFile);
    const QString script = StripEnclosingQuotes(p.launcherScript);

    // 3-4
    m_host.setKeepOnTopNormal();
    m_host.showAllPanels();
    if (!p.programFolder.isEmpty())
        QDir::setCurrent(p.programFolder);
    QString historyName = gameFile;
    m_monitor.Add_CURRENT_PROGRAM_STARTED(historyName);
    m_host.setLoadingButtonText(gamePath + QStringLiteral("..."));
    m_host.restoreMainWindow();

    // 5: the running-application name; the history starts with it.
    QString name = QFileInfo(StripEnclosingQuotes(gameFile)).fileName();
    if (name.size() > 4)
        name.chop(4);
    m_runningApplication = name;
    m_monitor.setHistory(name);

    // 6-7
    const CommandLine cmd = BuildCommandLine(settings, gamePath, p.startScriptConfig);
    // Checked by the name's own bytes: a Windows-1252 name is found as listed.
    if (!pathExists(gameFile) && !pathExists(gamePath)) {
        prompt().message(QStringLiteral("Game - File not found!"),
                         QStringLiteral("File not found:") + u'\r' + gamePath, PromptIcon::Information);
        return Result::GameNotFound;
    }

    // The emulator: a missing one (or a Windows one without Wine) would start
    // nothing and show nothing; say so instead.
    const QString emulator = StripEnclosingQuotes(m_host.emulatorExecutable());
    const QFileInfo emuInfo(emulator);
    QString wine;
    if (IsWindowsProgram(emulator))
        wine = FindInPath(QStringLiteral("wine"));
    const bool emulatorIsFile = isRegularFile(emulator);
    if (!emulatorIsFile || (IsWindowsProgram(emulator) && wine.isEmpty())) {
        const bool wineMissing = emulatorIsFile;
        prompt().message(wineMissing ? QStringLiteral("Wine - File not found!")
                                     : QStringLiteral("Emulator - File not found!"),
                         QStringLiteral("File not found:") + u'\r'
                             + (wineMissing ? QStringLiteral("wine") : emulator),
                         PromptIcon::Information);
        return Result::EmulatorNotFound;
    }

    // 8
    if (cmd.writeConfig) {
        StartScriptConfigInput in;
        in.masterPath = p.masterConfig;
        in.outputPath = p.startScriptConfig;
        in.fullScreen = m_host.fullScreenChecked();
        in.kickstartRom = m_host.kickstartRomFile();
        for (int i = 0; i < 5; ++i)
            in.drives[size_t(i)] = m_host.driveSlot(i);
        for (QString slot : WriteStartScriptConfig(in))
            m_monitor.Add_CURRENT_PROGRAM_STARTED(slot);
    }

    // 9-11: the launcher script, or the direct start when it cannot be written.
    const QString body = LauncherScriptText(emulator, cmd.cmd, wine);
    QFile::remove(script);
    bool direct = true;
    if (!script.isEmpty()) {
        QFile f(script);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            // A short or unflushed script (a full disk) must not be run: it
            // would start nothing and end at once. The command then runs directly.
            const QByteArray bytes = encodeFileName(body);
            direct = f.write(bytes) != bytes.size() || !f.flush();
            f.close();
            direct = direct || f.error() != QFileDevice::NoError || !pathExists(script);
            if (direct)
                QFile::remove(script);
        }
    }

    // 12-13
    m_host.setWindowCaption(QStringLiteral("Spiel Läuft"));
    m_host.letEventsRun();
    QString scriptToRun = script;
    const QString resolved = ResolveBatchFile(script);
    if (!resolved.isEmpty())
        scriptToRun = resolved;
    scriptToRun = StripEnclosingQuotes(LongPathName(scriptToRun));

    // 15-16
    m_splash = toInt16(readSetting(QStringLiteral("SplashTimer"), p.settingsFile, QStringLiteral("6")));
    if (m_splash > 0)
        m_host.showLoadingScreen();
    if (toInt16(readSetting(QStringLiteral("AutoMountDeamonTool"), p.settingsFile, QStringLiteral("0"))) != 0) {
        const QString before = m_host.loadingButtonText();
        m_host.setLoadingButtonText(QStringLiteral("Deamon Tools.."));
        m_host.letEventsRun();
        MountImage(gameFile, p.globalSettingsFile, p.programFolder, p.startFolder);
        m_host.setLoadingButtonText(before);
    }

    // 17: what the monitor watches, and the start (14, 18: the emulator's
    // folder is the started shell's working folder; ours stays the program folder).
    QString watched = emuInfo.fileName();
    const QString lower = watched.toLower();
    if (lower.contains(QLatin1String(".bat")) && !lower.contains(QLatin1String(".exe")))
        watched = QStringLiteral("cmd.exe");
    m_monitor.SetCurrentRunninApplication(watched);
    const QString folder = emuInfo.absolutePath();
    // The emulator's error output goes to a file beside the script, so that
    // a start that fails at once can be explained.
    const QString errorPath = ErrorOutputPath(script);
    ErrorOutputFile errors;
    errors.create(errorPath);
    QByteArray scriptCommandLine;
    if (!direct) {
        m_lastPid = SpawnChild(QStringLiteral("/bin/sh"), {scriptToRun}, folder, errors.descriptor());
        scriptCommandLine = QByteArray("/bin/sh") + '\0' + encodeFileName(scriptToRun) + '\0';
    } else {
        m_host.beep();
        m_lastPid = SpawnChild(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), body}, folder,
                               errors.descriptor());
    }
    if (m_lastPid <= 0) {
        finish(script, errorPath, caption, {});
        return Result::StartFailed;
    }

    // 19-21
    const QString global = p.globalSettingsFile;
    const bool exitButton =
        toInt16(readSetting(QStringLiteral("UseJoystickExitbutton"), global, QStringLiteral("0"))) > 0;
    const bool joystick = toInt16(readSetting(QStringLiteral("UseJoystick"), global, QStringLiteral("1"))) > 0;
    if (!(exitButton && joystick))
        m_host.setJoystickNavigation(false);
    if (m_splash > 0)
        m_host.showLoadingScreen();
    m_host.setEmulatorComboEnabled(false);
    m_monitor.startWatching(3);
    m_monitor.watchLaunchedChild(m_lastPid, emuInfo.fileName(), std::move(errors), m_clock);

    // 22
    if (toInt16(readSetting(QStringLiteral("RunVBS_Script"), p.settingsFile, QStringLiteral("0"), false)) != 0) {
        m_host.setLoadingButtonText(QStringLiteral("Gamestart.."));
        WAIT(1, m_clock);
        m_host.setLoadingButtonText(QStringLiteral("Running Startscript.vbs"));
        RunStartScript(p.startScript, m_clock);
    }

    // 23
    finish(script, errorPath, caption, scriptCommandLine);
    return Result::Started;
}

void GameLauncher::finish(const QString& script, const QString& errorFile, const QString& caption,
                          const QByteArray& scriptCommandLine)
{
    // The shell reads the script after it started: delete it only once the
    // shell has gone on to the emulator (or ended).
    if (!scriptCommandLine.isEmpty() && m_lastPid > 0)
        WaitUntilProgramReplaced(m_lastPid, scriptCommandLine, 5000);
    if (!script.isEmpty())
        QFile::remove(script);
    // The started shell holds the error file open, and so does the monitor.
    if (!errorFile.isEmpty())
        QFile::remove(errorFile);
    m_host.letEventsRun();
    m_host.setWindowCaption(caption);
}

