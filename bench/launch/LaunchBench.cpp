// Figures of the launch path:
//  - LaunchToRunning: from LaunchGame to the emulator running, measured with
//    a tiny /bin/sh emulator that only writes a marker file (so the
//    emulator's own start-up is not counted);
//  - MonitorTick: one tick of the running-game monitor with 500 extra
//    processes running, for a watched program that runs and one that does not,
//    beside the walk that reads every process whole (three /proc files each,
//    as a table that remembers nothing between ticks does).
#include "config/Ini.h"
#include "launch/GameLauncher.h"
#include "launch/GameMonitor.h"
#include "launch/ProgramRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

class BenchHost : public LaunchHost {
public:
    LaunchPaths p;
    QString emulator;
    LaunchPaths paths() const override { return p; }
    QString emulatorExecutable() const override { return emulator; }
};

void LaunchToRunning(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    QDir().mkpath(root + QStringLiteral("Config/Emu"));
    BenchHost host;
    host.p.programFolder = root;
    host.p.startFolder = root + QStringLiteral("Config/Emu/");
    host.p.settingsFile = host.p.startFolder + QStringLiteral("arvex.ini");
    host.p.globalSettingsFile = root + QStringLiteral("Config/arvex.ini");
    host.p.launcherScript = host.p.startFolder + QStringLiteral("arvex_tmp.sh");
    for (auto [k, v] : {std::pair{"WinUAE_UseMasterConfig", "0"}, {"SplashTimer", "0"}, {"EmulatorParameterAddDiskPath", "1"}})
        WriteIniValue(QStringLiteral("Settings"), QString::fromLatin1(k), QString::fromLatin1(v), host.p.settingsFile, true);
    const QString marker = root + QStringLiteral("marker");
    host.emulator = root + QStringLiteral("emu.sh");
    QFile emu(host.emulator);
    emu.open(QIODevice::WriteOnly);
    emu.write("#!/bin/sh\n: > \"$0.marker\"\n");
    emu.close();
    emu.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString markerFile = host.emulator + QStringLiteral(".marker");
    QFile game(root + QStringLiteral("Game (1990).adf"));
    game.open(QIODevice::WriteOnly);
    game.close();

    GameMonitor monitor(host);
    GameLauncher launcher(host, monitor);
    for (auto _ : state) {
        QFile::remove(markerFile);
        QString file = game.fileName();
        const auto start = std::chrono::steady_clock::now();
        launcher.LaunchGame(file);
        while (!QFile::exists(markerFile))
            QThread::usleep(50);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        monitor.timer().stop();
    }
}
BENCHMARK(LaunchToRunning)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

class ManyProcesses {
public:
    explicit ManyProcesses(int count)
    {
        for (int i = 0; i < count; ++i)
            pids << SpawnDetached(QStringLiteral("/bin/sleep"), {QStringLiteral("300")});
    }
    ~ManyProcesses()
    {
        for (qint64 pid : pids)
            KillProcess(pid);
    }
    QList<qint64> pids;
};

// 500 extra processes, started once for every benchmark that wants them.
// They are given time to age past the few seconds in which the table checks
// a new process on every tick, as the processes of a desktop are.
void extraProcesses()
{
    static ManyProcesses many(500);
    static const bool aged = [] {
        QThread::sleep(4);
        return true;
    }();
    (void)aged;
}

void MonitorTick(benchmark::State& state, bool watchedRuns)
{
    extraProcesses();
    BenchHost host;
    GameMonitor monitor(host);
    // "sleep" runs 500 times; a name nobody carries makes the tick read every process.
    monitor.SetCurrentRunninApplication(watchedRuns ? QStringLiteral("/bin/sleep") : QStringLiteral("no-such-emulator"));
    for (auto _ : state) {
        monitor.startWatching(1000000);
        monitor.EmuActiveTimer_Timer();
    }
    monitor.timer().stop();
}
BENCHMARK_CAPTURE(MonitorTick, watched_program_running, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonitorTick, watched_program_missing, false)->Unit(benchmark::kMillisecond);

// The baseline: every process of /proc read whole (lookup reads stat, exe
// and cmdline), with the same 500 extra processes.
void EveryProcessReadWhole(benchmark::State& state)
{
    extraProcesses();
    for (auto _ : state) {
        QDir proc(QStringLiteral("/proc"));
        int count = 0;
        ProcessInfo info;
        for (const QString& name : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool ok = false;
            const qint64 pid = name.toLongLong(&ok);
            if (ok && systemProcessTable().lookup(pid, info))
                ++count;
        }
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(EveryProcessReadWhole)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
