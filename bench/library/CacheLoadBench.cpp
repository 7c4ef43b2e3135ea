// The first list-cache load in a fresh process, as a start or an emulator
// switch does it: 30,000 games in 1,500 folders, once with the games below
// the program folder ("./..." paths) and once beside it ("../..." paths,
// games in the home folder, the program folder elsewhere). Every
// measurement is a child process of its own (nothing of a previous load is
// warm but the file system's cache). Beside each load, in the same run: a
// child that only reads the cache file (the floor), and the growth of the
// child's peak resident memory and of its heap during the load.
//   bench_cache_load [runs]
#include "config/AppEnvironment.h"
#include "library/GameList.h"
#include "library/LibraryHost.h"
#include "library/ListCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <vector>

namespace {

const QString kRoot = QStringLiteral("/tmp/arvex-bench-cache-load/");
constexpr int kGames = 30000;
constexpr int kPerFolder = 20;

QString programFolder() { return kRoot + QStringLiteral("home/arvex/"); }
QString cacheFile(const QString& form) { return kRoot + QStringLiteral("cache-%1.txt").arg(form); }

QString gameName(int i)
{
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    const int folder = i / kPerFolder, file = i % kPerFolder;
    return QStringLiteral("Game %1 %2 (19%3)(%4)(Disk %5 of 4)[cr CSL].adf")
        .arg(folder)
        .arg(file / 4)
        .arg(85 + file % 10)
        .arg(QLatin1String(publishers[(folder + file) % 5]))
        .arg(file % 4 + 1);
}

// Both caches, written by the launcher's own writer (the files only; the
// load never looks at the games themselves).
bool writeCaches()
{
    QDir().mkpath(programFolder());
    const QString inside = programFolder() + QStringLiteral("Games/");
    const QString beside = kRoot + QStringLiteral("home/Games/");
    QStringList in, out, names;
    for (int i = 0; i < kGames; ++i) {
        const QString rest = QStringLiteral("Group %1/Folder %2/").arg(i / kPerFolder / 50).arg(i / kPerFolder) + gameName(i);
        in.append(inside + rest);
        out.append(beside + rest);
        names.append(GameList::displayName(rest));
    }
    return ListCache::write(cacheFile(QStringLiteral("inside")), in, names, programFolder())
        && ListCache::write(cacheFile(QStringLiteral("beside")), out, names, programFolder());
}

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

long statusKb(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    return -1;
}

// Child: one load (or one plain read of the file); prints
// "wall cpu peakGrowthKiB heapGrowthKiB count".
int child(const QString& mode, const QString& form)
{
    AppEnvironment::setOverrides(programFolder(), QStringLiteral("arvex"));
    const QString file = cacheFile(form);
    BasicLibraryHost host;
    GameList list(host);
    const long peakBefore = statusKb("VmHWM:");
    const size_t heapBefore = mallinfo2().uordblks;
    const double wall0 = nowMs(), cpu0 = cpuMs();
    qsizetype count = 0;
    if (mode == u"read") {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        count = f.readAll().count('\n') / 2;
    } else {
        list.LoadGameListFromCache(file);
        count = list.count();
    }
    const double wall = nowMs() - wall0, cpu = cpuMs() - cpu0;
    std::printf("%.2f %.2f %ld %ld %lld\n", wall, cpu, statusKb("VmHWM:") - peakBefore,
                long((mallinfo2().uordblks - heapBefore) / 1024), static_cast<long long>(count));
    return 0;
}

struct Figures {
    std::vector<double> wall, cpu, peak, heap;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool runChild(const char* self, const QString& mode, const QString& form, Figures& f)
{
    QProcess p;
    p.start(QString::fromLocal8Bit(self), {QStringLiteral("--child"), mode, form});
    p.waitForFinished(60000);
    const QList<QByteArray> v = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || v.size() != 5 || v[4].toInt() != kGames) {
        std::fprintf(stderr, "%s/%s child failed: %s\n", qPrintable(mode), qPrintable(form),
                     p.readAllStandardError().constData());
        return false;
    }
    f.wall.push_back(v[0].toDouble());
    f.cpu.push_back(v[1].toDouble());
    f.peak.push_back(v[2].toDouble());
    f.heap.push_back(v[3].toDouble());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && QByteArray(argv[1]) == "--child")
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QCoreApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 9;
    if (!writeCaches()) {
        std::fprintf(stderr, "cannot write the caches below %s\n", qPrintable(kRoot));
        return 1;
    }
    const double fileKiB = QFile(cacheFile(QStringLiteral("beside"))).size() / 1024.0;
    Figures read, inside, beside;
    for (int r = 0; r < runs; ++r) {
        // Interleaved, so a busy moment of the machine hits all three alike.
        if (!runChild(argv[0], QStringLiteral("read"), QStringLiteral("beside"), read)
            || !runChild(argv[0], QStringLiteral("load"), QStringLiteral("inside"), inside)
            || !runChild(argv[0], QStringLiteral("load"), QStringLiteral("beside"), beside))
            return 1;
    }
    std::printf("first load of 30,000 games in a fresh process, median of %d (cache file %.0f KiB):\n", runs,
                fileKiB);
    auto line = [&](const char* what, const Figures& f) {
        std::printf("  %-32s wall %6.1f ms  cpu %6.1f ms  peak RSS +%6.0f KiB  heap +%6.0f KiB\n", what,
                    median(f.wall), median(f.cpu), median(f.peak), median(f.heap));
    };
    line("reading the file (floor)", read);
    line("load, paths \"./...\"", inside);
    line("load, paths \"../...\"", beside);
    return 0;
}
