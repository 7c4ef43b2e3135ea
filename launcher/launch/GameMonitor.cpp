#include "launch/GameMonitor.h"

#include "config/Ini.h"
#include "config/Language.h"
#include "launch/PathOps.h"
#include "services/Prompt.h"

namespace {
const QString kSettings = QStringLiteral("Settings");
constexpr int kHistoryLineLimit = 29;
// How much processor time one tick may spend reading the process table; the
// rest of the tick (the fresh reads that confirm a match) stays well within
// the 5 ms a window may be blocked.
constexpr std::chrono::microseconds kTickReadBudget{2500};
} // namespace

QString StartedDisplayName(const QString& path)
{
    const QString unquoted = StripEnclosingQuotes(path);
    const QChar sep = unquoted.contains(u'\\') ? u'\\' : u'/';
    const QString name = unquoted.mid(unquoted.lastIndexOf(sep) + 1);
    if (name.size() < 5)
        return path.trimmed();
    const qsizetype p1 = name.indexOf(u')') + 1; // 1-based, 0 when missing
    QString result;
    if (p1 < 5) {
        result = name.left(name.size() - 4);
    } else {
        const qsizetype p2 = name.indexOf(u')', p1) + 1;
        result = name.left(p2 > 0 ? p2 : p1);
    }
    return result.trimmed();
}

GameMonitor::GameMonitor(LaunchHost& host, ProcessTable& processes, ScreenResolution* screen,
                         QObject* parent)
    : QObject(parent), m_host(host), m_processes(processes), m_screen(screen)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &GameMonitor::EmuActiveTimer_Timer);
    m_childPoll.setInterval(100);
    connect(&m_childPoll, &QTimer::timeout, this, &GameMonitor::pollLaunchedChild);
    m_processes.prepare();
}

GameMonitor::~GameMonitor()
{
    releaseChild();
}

void GameMonitor::SetCurrentRunninApplication(const QString& path)
{
    m_watched = path;
}

void GameMonitor::startWatching(int graceTicks)
{
    m_grace = graceTicks;
    m_gameRunning = true;
    m_timer.start();
}

void GameMonitor::armTimer()
{
    m_timer.start();
}

void GameMonitor::watchLaunchedChild(qint64 pid, const QString& emulator, ErrorOutputFile errors,
                                     Clock& clock)
{
    releaseChild();
    if (pid <= 0)
        return;
    m_child.pid = pid;
    m_child.emulator = emulator;
    m_child.errors = std::move(errors);
    m_child.clock = &clock;
    m_child.started = clock.now();
    m_endRequested = false;
    m_childPoll.start();
}

bool GameMonitor::pollLaunchedChild()
{
    if (m_child.pid <= 0) {
        m_childPoll.stop();
        return false;
    }
    const double seconds = m_child.started.msecsTo(m_child.clock->now()) / 1000.0;
    ChildExit exit;
    if (!TakeExitStatus(m_child.pid, exit)) {
        // Still running: the fast poll is only for its first seconds; the
        // watch ticks collect it later.
        if (seconds > kEarlyExitSeconds)
            m_childPoll.stop();
        m_child.errors.trim();
        return false;
    }
    m_childPoll.stop();
    const bool report = exit.failed() && seconds <= kEarlyExitSeconds && !m_endRequested
                        && m_timer.isActive();
    if (!report) {
        releaseChild();
        return false;
    }
    const QByteArray tail = m_child.errors.tail(kErrorTailBytes);
    const bool cut = m_child.errors.tail(kErrorTailBytes + 1).size() > tail.size();
    const QString text = EarlyExitMessage(m_child.emulator, seconds, exit, LastErrorLines(tail, cut));
    releaseChild();
    m_grace = 0;
    endWatch();
    m_host.closeLoadingScreen();
    prompt().message(EarlyExitTitle(), text, PromptIcon::Critical);
    return true;
}

void GameMonitor::releaseChild()
{
    m_childPoll.stop();
    if (m_child.pid > 0)
        AbandonChild(m_child.pid);
    m_child = LaunchedChild{};
}

void GameMonitor::EmuActiveTimer_Timer()
{
    if (pollLaunchedChild())
        return;
    if (m_grace > 0)
        --m_grace;
    // The launched process is the emulator (the launcher script execs it):
    // until a tick has found the program, it is the first one looked at.
    const qint64 hint = m_seenPid != 0 ? m_seenPid : m_child.pid;
    const RunningSearch search = FindRunningProgramWithin(m_watched, m_processes, hint, kTickReadBudget);
    m_seenPid = search.pid;
    if (m_seenPid != 0) {
        m_runningShown = true;
        m_host.showRunning(Msg(QStringLiteral("Gestartet: "), QStringLiteral("Running: ")) + m_watched);
        return;
    }
    // A walk that ran out of time has not seen every process: the program
    // may still run, so only a complete walk ends the watch.
    if (m_grace >= 1 || !search.complete)
        return;
    // Ended by name: a launched child still running under another name is
    // collected whenever it ends.
    releaseChild();
    endWatch();
}

void GameMonitor::endWatch()
{
    m_host.refreshAfterGame();
    m_timer.stop();
    m_host.setEmulatorComboEnabled(true);
    m_gameRunning = false;
    m_runningShown = false;
    m_host.hideRunning();
    m_host.showPanelsIfCollapsed();
    const QString global = m_host.paths().globalSettingsFile;
    if (toInt16(ReadIniValue(kSettings, QStringLiteral("UseJoystick"), global, QStringLiteral("1"), true)) > 0)
        m_host.setJoystickNavigation(true);
    m_host.setKeepOnTopNormal();
    emit gameEnded();
}

void GameMonitor::AppRunningPicture_Click()
{
    if (m_watched.isEmpty())
        return;
    const qint64 pid = FindProcessId(FileNameOf(m_watched), m_processes);
    if (pid <= 0)
        return;
    m_host.setLoadingButtonText(Msg(QStringLiteral("Wird beendet.."), QStringLiteral("Killing process..")));
    const QString global = m_host.paths().globalSettingsFile;
    if (m_screen
        && toInt16(ReadIniValue(kSettings, QStringLiteral("ResetScreenResolution"), global,
                                QStringLiteral("0"), true)) != 0)
        m_screen->RestoreMode();
    m_host.setRunningIndicatorEnabled(false);
    m_endRequested = true;
    KillProcess(pid, m_processes);
    m_host.focusAfterKill();
}

void GameMonitor::LoadingBtn_Click()
{
    if (m_runningShown) {
        AppRunningPicture_Click();
        return;
    }
    const LaunchPaths p = m_host.paths();
    const QString stored = ReadIniValue(kSettings, QStringLiteral("EmulatorPath"), p.settingsFile,
                                        QStringLiteral("*.exe"), true);
    const QString fileName = FileNameOf(stored);
    if (fileName.isEmpty())
        return;
    const QString name = MakeAbsolutePath(p.programFolder, fileName);
    if (name.isEmpty())
        return;
    const qint64 pid = FindProcessId(name, m_processes);
    if (pid <= 0)
        return;
    const PromptAnswer answer =
        prompt().ask(Msg(QStringLiteral("Programm killen?"), QStringLiteral("Kill Task?")),
                     Msg(QStringLiteral("Emulator beenden?"), QStringLiteral("Kill Emulator - Program?"))
                         + u'\r' + name,
                     PromptButtons::YesNo, PromptIcon::Question);
    if (answer == PromptAnswer::Yes) {
        m_endRequested = true;
        KillProcess(pid, m_processes);
    }
}

void GameMonitor::Add_CURRENT_PROGRAM_STARTED(QString& name)
{
    QString form = StartedDisplayName(LongPathName(name));
    name = form;
    if (!m_history.isEmpty() && form.size() > kHistoryLineLimit)
        form = form.left(kHistoryLineLimit);
    if (!m_history.isEmpty())
        m_history += u'\r';
    m_history += form;
}
