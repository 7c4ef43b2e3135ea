// Reading settings: 20 keys from a 500-line settings file, the way a
// settings load reads them (one ReadIniValue call per key).
#include "config/Ini.h"

#include <QTemporaryDir>

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

BENCHMARK_MAIN();
