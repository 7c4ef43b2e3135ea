// Figures of the launch path:
//  - LaunchToRunning: from LaunchGame to the emulator running, measured with
//    a tiny /bin/sh emulator that only writes a marker file (so the
//    emulator's own start-up is not counted);
//  - MonitorTick: one tick of the running-game monitor with about 600
//    processes running, for a watched program that runs and one that does not,
//    beside the walk that reads every process whole (three /proc files each,
//    as a table that remembers nothing between ticks does);
//  - MonitorFirstTicks: the first ticks of a monitor on a table that knows no
//    process yet: the first tick, the worst of the first 30 and the mean of
//    the last 10 of them, on a table learning the processes in the background
//    (as the program's is) and on one that does not (the bound a tick keeps
//    by itself).
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
#include <ctime>

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

int processCount()
{
    return int(QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[1-9]*")}, QDir::Dirs).size());
}

// About 600 processes in all (a desktop's worth), sleepers started once for
// every benchmark that wants them. They are given time to age past the few
// seconds in which the table checks a new process on every tick, as the
// processes of a desktop are.
void extraProcesses()
{
    static ManyProcesses many(qMax(50, 600 - processCount()));
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
    // "sleep" runs hundreds of times; a name nobody carries makes the tick read every process.
    monitor.SetCurrentRunninApplication(watchedRuns ? QStringLiteral("/bin/sleep") : QStringLiteral("no-such-emulator"));
    for (auto _ : state) {
        monitor.startWatching(1000000);
        monitor.EmuActiveTimer_Timer();
    }
    monitor.timer().stop();
}
BENCHMARK_CAPTURE(MonitorTick, watched_program_running, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonitorTick, watched_program_missing, false)->Unit(benchmark::kMillisecond);

// A fresh /proc table that does not learn in the background.
class UnpreparedTable : public ProcessTable {
public:
    void forEach(const std::function<bool(const ProcessInfo&)>& visit) const override { m_table->forEach(visit); }
    bool forEachWithin(const std::function<bool(const ProcessInfo&)>& visit,
                       std::chrono::microseconds budget) const override
    {
        return m_table->forEachWithin(visit, budget);
    }
    bool lookup(qint64 pid, ProcessInfo& info) const override { return m_table->lookup(pid, info); }
    void terminate(qint64 pid) override { m_table->terminate(pid); }

private:
    std::unique_ptr<ProcessTable> m_table = newSystemProcessTable();
};

void MonitorFirstTicks(benchmark::State& state, bool learnsInBackground)
{
    extraProcesses();
    constexpr int kTicks = 30;
    // Wall time, and the thread's own processor time beside it: on a busy
    // machine a tick may wait for a processor, which no code can shorten.
    double first = 0, worst = 0, steady = 0, firstCpu = 0, worstCpu = 0;
    const auto cpuNow = [] {
        timespec ts{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
    };
    for (auto _ : state) {
        std::unique_ptr<ProcessTable> table;
        if (learnsInBackground)
            table = newSystemProcessTable();
        else
            table = std::make_unique<UnpreparedTable>();
        BenchHost host;
        GameMonitor monitor(host, *table); // asks the table to prepare
        monitor.SetCurrentRunninApplication(QStringLiteral("no-such-emulator"));
        monitor.startWatching(1000000);
        double total = 0;
        for (int i = 0; i < kTicks; ++i) {
            const double cpuStart = cpuNow();
            const auto start = std::chrono::steady_clock::now();
            monitor.EmuActiveTimer_Timer();
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            const double cpuMs = cpuNow() - cpuStart;
            if (i == 0) {
                first = ms;
                firstCpu = cpuMs;
            }
            worst = qMax(worst, ms);
            worstCpu = qMax(worstCpu, cpuMs);
            if (i >= kTicks - 10)
                steady += ms / 10;
            total += ms;
        }
        monitor.timer().stop();
        state.SetIterationTime(total / 1000);
    }
    state.counters["first_ms"] = first;
    state.counters["worst_ms"] = worst;
    state.counters["steady_ms"] = steady;
    state.counters["first_cpu_ms"] = firstCpu;
    state.counters["worst_cpu_ms"] = worstCpu;
    state.counters["processes"] = processCount();
}
BENCHMARK_CAPTURE(MonitorFirstTicks, learning_in_background, true)
    ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MonitorFirstTicks, not_learning, false)
    ->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The baseline: every process of /proc read whole (lookup reads stat, exe
// and cmdline), with the same processes.
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
