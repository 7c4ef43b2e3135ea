// Cold start of the launcher: from the process's start (as the kernel
// recorded it) until the main window, built with all its parts as the
// program builds it, is exposed; once with 50 emulator profiles without
// lists, once with one profile whose list cache holds 30,000 games (in
// 1,500 folders beside the program folder, stored as "../..."). The parent
// starts itself as a fresh child process for every run, alternating the
// two, and prints each figure and the medians. Needs a display (DISPLAY, or
// QT_QPA_PLATFORM=offscreen).
//   bench_startup [runs]
//   bench_startup --make-home DIR   (the cached profile only, for profiling
//                                     one start: bench_startup --child DIR/)
#include "config/SettingsPaths.h"
#include "library/DisplayNames.h"
#include "library/ListCache.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// Milliseconds since this process was started by the kernel.
double msSinceProcessStart()
{
    QFile stat("/proc/self/stat");
    stat.open(QIODevice::ReadOnly);
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    const double startTicks = fields.value(19).toDouble(); // field 22 overall
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowTicks = (boot.tv_sec + boot.tv_nsec / 1e9) * sysconf(_SC_CLK_TCK);
    return (nowTicks - startTicks) * 1000.0 / sysconf(_SC_CLK_TCK);
}

int child(int argc, char** argv, const QString& home)
{
    QApplication app(argc, argv);
    LauncherAssembly launcher(SettingsPaths(home, "arvex"));
    MainWindow& window = launcher.window();
    window.setEndProcess([](int) {});
    window.Form_Load();
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = msSinceProcessStart();
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::printf("%.1f %lld %.1f\n", ms, static_cast<long long>(launcher.lists().completeNames().size()),
                cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
    return 0;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

// One profile, "Amiga", whose cache lists 30,000 games.
void makeCachedHome(const QString& home)
{
    writeFile(home + "Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    writeFile(home + "Config/Amiga/arvex.ini",
              "[Settings]\r\nEmulatorPath=./emu\r\nRomPath=../Games/\r\nRomCount=30000\r\n");
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    QStringList paths, names;
    for (int i = 0; i < 30000; ++i) {
        const int folder = i / 20, file = i % 20;
        paths.append(QDir::cleanPath(home + "../Games") + QStringLiteral("/Folder %1/").arg(folder)
                     + QStringLiteral("Game %1 %2 (19%3)(%4)(Disk %5 of 4)[cr CSL].adf")
                           .arg(folder)
                           .arg(file / 4)
                           .arg(85 + file % 10)
                           .arg(QLatin1String(publishers[(folder + file) % 5]))
                           .arg(file % 4 + 1));
        names.append(CutShortName(paths.last(), QStringLiteral(")"), true));
    }
    ListCache::write(home + "Config/Amiga/arvex_Cache.txt", paths, names, home);
}

// The window's start as the clock sees it, and the processor time it took
// (the second does not grow when other programs keep the machine busy).
struct Figures {
    std::vector<double> ms, cpu;
};

bool runOnce(const char* self, const QString& home, qsizetype games, Figures& into)
{
    QProcess p;
    p.start(QString::fromLocal8Bit(self), {"--child", home});
    p.waitForFinished(30000);
    const QList<QByteArray> out = p.readAllStandardOutput().trimmed().split(' ');
    bool ok = out.size() == 3;
    const double v = ok ? out[0].toDouble(&ok) : 0;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !ok || out[1].toLongLong() != games) {
        std::fprintf(stderr, "run failed (%s): %s\n", out.join(' ').constData(), p.readAllStandardError().constData());
        return false;
    }
    into.ms.push_back(v);
    into.cpu.push_back(out[2].toDouble());
    return true;
}

void report(const char* what, Figures f)
{
    std::sort(f.ms.begin(), f.ms.end());
    std::sort(f.cpu.begin(), f.cpu.end());
    std::printf("start to window shown, %s: median %.1f ms (min %.1f, max %.1f), processor time median %.1f ms\n",
                what, f.ms[f.ms.size() / 2], f.ms.front(), f.ms.back(), f.cpu[f.cpu.size() / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc >= 3 && QByteArray(argv[1]) == "--make-home") {
        makeCachedHome(QDir(QString::fromLocal8Bit(argv[2])).absolutePath() + u'/');
        return 0;
    }

    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 15;
    QTemporaryDir home;
    for (int i = 0; i < 50; ++i) {
        const QString folder = home.filePath(QStringLiteral("Config/Emulator %1").arg(i));
        QDir().mkpath(folder);
        QFile ini(folder + "/arvex.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("[Settings]\r\nEmulatorPath=./emu\r\nRomPath=./Games/\r\nRomCount=120\r\n");
    }
    QFile global(home.filePath("Config/arvex.ini"));
    global.open(QIODevice::WriteOnly);
    global.write("[Settings]\r\nLastEmulator=Emulator 7\r\n");
    global.close();

    QTemporaryDir cachedRoot;
    const QString cachedHome = cachedRoot.filePath(QStringLiteral("arvex/"));
    makeCachedHome(cachedHome);

    Figures plain, cached;
    for (int r = 0; r < runs; ++r) {
        if (!runOnce(argv[0], home.path() + "/", 0, plain) || !runOnce(argv[0], cachedHome, 30000, cached))
            return 1;
        std::printf("run %d: 50 profiles %.1f ms, 30,000 cached games %.1f ms\n", r + 1, plain.ms.back(),
                    cached.ms.back());
    }
    report("50 profiles", plain);
    report("one profile of 30,000 cached games", cached);
    return 0;
}
