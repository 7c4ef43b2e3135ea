// Reading settings: 20 keys from a 500-line settings file, the way a
// settings load reads them (one ReadIniValue call per key); and the same
// settings load (40 keys) from files that are no ordinary settings files:
// 50 MB of random bytes, 64 MB of text without keys, 64 MB of text with the
// settings at its end. Every iteration reads a file the reader has not seen
// (its time stamp is moved), so the figure is that of a first load. Beside
// it, the way a reader that decodes the whole file for each key pays for one
// key. The same files read as one section in a pass (IniSection, which the
// favourites and the game-folder patterns use). Counters: peak memory above
// the start of the iteration (MB).
#include "config/Ini.h"
#include "config/TextFile.h"
#include "library/IniSection.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include <benchmark/benchmark.h>

static void BM_Read20KeysFrom500Lines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("arvex.ini");
    QByteArray content = "[Other]\r\n";
    for (int i = 0; i < 250; ++i)
        content += "Filler" + QByteArray::number(i) + "=some value " + QByteArray::number(i) + "\r\n";
    content += "[Settings]\r\n";
    for (int i = 0; i < 248; ++i)
        content += "Key" + QByteArray::number(i) + "=./Games/Amiga/value " + QByteArray::number(i) + "\r\n";
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    f.close();

    for (auto _ : state) {
        for (int k = 0; k < 20; ++k) {
            QString v = ReadIniValue("Settings", QStringLiteral("Key%1").arg(k * 12), file, "x", true);
            benchmark::DoNotOptimize(v);
        }
    }
}
BENCHMARK(BM_Read20KeysFrom500Lines)->Unit(benchmark::kMillisecond);

namespace {

// Resets the peak of the resident memory to what is resident now.
void resetPeakMemory()
{
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// Resident memory now and its peak, in kB.
void memoryKb(long& now, long& peak)
{
    now = peak = 0;
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return;
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0)
            now = std::atol(line + 6);
        else if (std::strncmp(line, "VmHWM:", 6) == 0)
            peak = std::atol(line + 6);
    }
    std::fclose(f);
}

enum class Odd { RandomBytes, TextWithoutKeys, TextKeysAtEnd };

QString oddFile(const QTemporaryDir& dir, Odd kind)
{
    const QString path = dir.filePath(QStringLiteral("odd%1.ini").arg(int(kind)));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    if (kind == Odd::RandomBytes) {
        QByteArray block(1 << 20, Qt::Uninitialized);
        QRandomGenerator rng(1);
        for (int i = 0; i < 50; ++i) {
            rng.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
            f.write(block);
        }
    } else {
        const QByteArray line = "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.\r\n";
        const QByteArray block = line.repeated((1 << 20) / line.size());
        const qint64 target = (64 << 20) - (kind == Odd::TextKeysAtEnd ? 4096 : 0);
        while (f.size() + block.size() <= target)
            f.write(block);
        if (kind == Odd::TextKeysAtEnd) {
            f.write("[Settings]\r\n");
            for (int k = 0; k < 40; ++k)
                f.write("Key" + QByteArray::number(k) + "=value " + QByteArray::number(k) + "\r\n");
        }
    }
    return path;
}

// Moves the file's modification time, so the reader takes it for a new version.
void touch(const QString& path, long second)
{
    const timespec times[2] = {{second, 0}, {second, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// Times `read` on a file the readers have not seen, every iteration.
template <class Read>
void readOddFile(benchmark::State& state, Read read)
{
    QTemporaryDir dir;
    const QString file = oddFile(dir, Odd(state.range(0)));
    long second = 1000000;
    double peakAboveMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        touch(file, ++second);
        long before = 0, ignored = 0;
        memoryKb(before, ignored);
        resetPeakMemory();
        state.ResumeTiming();
        read(file);
        state.PauseTiming();
        long now = 0, peak = 0;
        memoryKb(now, peak);
        peakAboveMb = qMax(peakAboveMb, (peak - before) / 1024.0);
        state.ResumeTiming();
    }
    state.counters["peak_MB_above"] = peakAboveMb;
}

void BM_ReadProfileFromOddFile(benchmark::State& state)
{
    readOddFile(state, [](const QString& file) {
        for (int k = 0; k < 40; ++k) {
            QString v = ReadIniValue("Settings", QStringLiteral("Key%1").arg(k), file, "x", false);
            benchmark::DoNotOptimize(v);
        }
    });
}
BENCHMARK(BM_ReadProfileFromOddFile)
    ->ArgName("random50MB_text64MB_keysAtEnd64MB")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

void BM_ReadSectionFromOddFile(benchmark::State& state)
{
    readOddFile(state, [](const QString& file) {
        IniSection s = IniSection::read(file, QStringLiteral("Settings"));
        benchmark::DoNotOptimize(s);
    });
}
BENCHMARK(BM_ReadSectionFromOddFile)
    ->ArgName("random50MB_text64MB_keysAtEnd64MB")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

// What one key cost a reader that reads and decodes the whole file for it.
void BM_WholeFileDecodedForOneKey(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString file = oddFile(dir, Odd::RandomBytes);
    double peakAboveMb = 0;
    for (auto _ : state) {
        state.PauseTiming();
        long before = 0, ignored = 0;
        memoryKb(before, ignored);
        resetPeakMemory();
        state.ResumeTiming();
        QString text;
        TextFile::readText(file, text);
        benchmark::DoNotOptimize(text.count(u'\n'));
        state.PauseTiming();
        long now = 0, peak = 0;
        memoryKb(now, peak);
        peakAboveMb = qMax(peakAboveMb, (peak - before) / 1024.0);
        state.ResumeTiming();
    }
    state.counters["peak_MB_above"] = peakAboveMb;
}
BENCHMARK(BM_WholeFileDecodedForOneKey)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
