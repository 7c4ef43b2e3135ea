// Download throughput and memory: a 200 MB file from a local HTTP server
// (tests/updater/http_server.py) fetched by `curl -o` and by the updater's
// download code (updater_download_probe, and the whole arvex-updater
// unattended), alternately, five rounds; the best time of each counts.
// Reports MB/s, the ratio to curl and each process's peak resident memory
// (ru_maxrss from wait4). Needs python3 and curl; prints why when missing.
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr qint64 kSize = 200LL * 1024 * 1024;
// The machine is shared: the best of several alternating rounds is what each can do.
constexpr int kRounds = 5;

struct Measure {
    double seconds = 0;
    long peakKb = 0;
    bool ok = false;
};

// Runs a program to its end; wall time and its own peak resident memory.
Measure runMeasured(const QStringList& command)
{
    std::vector<QByteArray> bytes;
    for (const QString& part : command)
        bytes.push_back(QFile::encodeName(part));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    Measure m;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return m;
    int status = 0;
    rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return m;
    m.seconds = double(timer.nsecsElapsed()) / 1e9;
    m.peakKb = usage.ru_maxrss;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return m;
}

double mbPerSecond(double seconds) { return double(kSize) / (1024.0 * 1024.0) / seconds; }

} // namespace

int main()
{
    const QString python = QFileInfo(QStringLiteral("/usr/bin/python3")).isExecutable()
                               ? QStringLiteral("/usr/bin/python3")
                               : QStandardPaths::findExecutable(QStringLiteral("python3"));
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (python.isEmpty() || curl.isEmpty()) {
        std::printf("download bench skipped: needs python3 and curl\n");
        return 0;
    }
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/root");
    QDir().mkpath(root);
    {
        QFile f(root + QStringLiteral("/big.bin"));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1 << 20, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char((i * 131 + i / 977) & 0xff);
        for (qint64 written = 0; written < kSize; written += block.size())
            if (f.write(block) != block.size())
                return 1;
    }
    QProcess server;
    server.start(python, {QStringLiteral(ARVEX_SOURCE_DIR "/tests/updater/http_server.py"), root,
                          dir.path() + QStringLiteral("/requests.log")});
    if (!server.waitForReadyRead(20000)) {
        std::printf("download bench: the local server did not start\n");
        return 1;
    }
    const QString url = QStringLiteral("http://127.0.0.1:%1/files/big.bin")
                            .arg(QString::fromLatin1(server.readLine()).trimmed());
    const QString probe = QStringLiteral(ARVEX_BENCH_BIN_DIR "/updater_download_probe");
    const QString updater = QStringLiteral(ARVEX_BENCH_BIN_DIR "/arvex-updater");
    const QString target = dir.path() + QStringLiteral("/out.bin");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ARVEX_UPDATER_ANSWERS", QFile::encodeName(dir.path() + QStringLiteral("/none")));
    qputenv("ARVEX_UPDATER_PROMPT_LOG", QFile::encodeName(dir.path() + QStringLiteral("/boxes.log")));

    Measure bestCurl, bestProbe, bestUpdater;
    auto keepBest = [](Measure& best, const Measure& m, const char* what) {
        if (!m.ok)
            std::printf("  %s failed\n", what);
        else if (!best.ok || m.seconds < best.seconds)
            best = m;
        best.peakKb = std::max(best.peakKb, m.peakKb);
    };
    for (int round = 0; round < kRounds; ++round) {
        keepBest(bestCurl, runMeasured({curl, QStringLiteral("-s"), QStringLiteral("-o"), target, url}), "curl");
        QFile::remove(target);
        keepBest(bestProbe, runMeasured({probe, url, target}), "download probe");
        if (QFileInfo(target).size() != kSize)
            std::printf("  download probe wrote %lld bytes\n", QFileInfo(target).size());
        QFile::remove(target);
        keepBest(bestUpdater,
                 runMeasured({updater, QStringLiteral("[URL]"), url, QStringLiteral("[PATH]"), target,
                              QStringLiteral("[NOASK]"), QStringLiteral("[SKIPINFO]")}),
                 "arvex-updater");
        QFile::remove(target);
        QFile::remove(target + QStringLiteral(".old"));
        QFile::remove(target + QStringLiteral(".old2"));
    }
    server.kill();
    server.waitForFinished();
    // Peak memory of a probe that downloads nothing: what the process costs by itself.
    const Measure idle = runMeasured({probe, QStringLiteral("http://127.0.0.1:1/none"), target});

    std::printf("200 MB from 127.0.0.1, best of %d:\n", kRounds);
    std::printf("  curl -o          %7.1f MB/s   peak %6ld KB\n", mbPerSecond(bestCurl.seconds), bestCurl.peakKb);
    std::printf("  download code    %7.1f MB/s   peak %6ld KB  (%.2fx curl; same process without a download: %ld KB)\n",
                mbPerSecond(bestProbe.seconds), bestProbe.peakKb, bestCurl.seconds / bestProbe.seconds, idle.peakKb);
    std::printf("  arvex-updater    %7.1f MB/s   peak %6ld KB  (%.2fx curl; whole program with its window)\n",
                mbPerSecond(bestUpdater.seconds), bestUpdater.peakKb, bestCurl.seconds / bestUpdater.seconds);
    return bestCurl.ok && bestProbe.ok && bestUpdater.ok ? 0 : 1;
}
