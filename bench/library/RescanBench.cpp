// "Rescan list" as the user sees it, against its floor, in one run, for
// three tree shapes (one flat folder, one folder per game file, 1,500
// folders) at 10,000 and 30,000 games: the main window, built as the program
// builds it, on a profile whose game folder is that tree; each run clicks
// the rescan button and stops the watch when the click has returned (lists
// filled), then times `find DIR -iname '*.adf' | sort -f` on the same tree.
// It also records the longest stretch in which the window's events could not
// run (a zero timer that fires whenever they do). After the rescans, the
// program's start (window built, profile loaded from the new cache, first
// preview look-up, window shown) is timed in fresh processes, so the start
// with a flat folder can be compared with the start over 1,500 folders.
// Needs a display (DISPLAY, or QT_QPA_PLATFORM=offscreen).
//   bench_rescan [runs]                         every shape at both sizes
//   bench_rescan --one SHAPE COUNT [runs]       one tree (shape: flat, per-game, 1500-folders)
//   bench_rescan --start SHAPE COUNT            one start, after --one made its cache
#include "BenchTrees.h"

#include "config/SettingsPaths.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using BenchTrees::Shape;

double findSortMs(const QString& tree)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("find '%1' -iname '*.adf' | sort -f > /dev/null").arg(tree)});
    p.waitForFinished(120000);
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

QString homeFor(Shape s, int count)
{
    return QStringLiteral("/tmp/arvex-bench-library/home-%1-%2/").arg(QLatin1String(BenchTrees::shapeName(s))).arg(count);
}

// A program folder with one profile whose game folder is `tree`.
void makeHome(const QString& home, const QString& tree)
{
    QDir(home).removeRecursively();
    QDir().mkpath(home + QStringLiteral("Config/Amiga"));
    QFile ini(home + QStringLiteral("Config/Amiga/arvex.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Settings]\r\nEmulatorPath=/bin/true\r\nRomPath=" + QFile::encodeName(tree)
              + "\r\nDir_Parameter=*.adf\r\n");
    QFile global(home + QStringLiteral("Config/arvex.ini"));
    global.open(QIODevice::WriteOnly);
    global.write("[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
}

int rescanOne(Shape shape, int count, int runs)
{
    const QString tree = BenchTrees::makeTree(shape, count);
    const QString home = homeFor(shape, count);
    makeHome(home, tree);

    LauncherAssembly launcher(SettingsPaths(home, "arvex"));
    MainWindow& window = launcher.window();
    window.setEndProcess([](int) {});
    window.Form_Load();
    window.show();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    auto* button = window.findChild<QPushButton*>(QStringLiteral("LoadBtn"));
    if (!button) {
        std::fprintf(stderr, "no rescan button\n");
        return 1;
    }

    // Fires whenever events run; the largest gap between two firings is the
    // longest time the window could not react.
    QElapsedTimer sinceEvents;
    qint64 longestGapNs = 0;
    QTimer beat;
    beat.setInterval(0);
    QString longestGapEnd; // the window title when the longest gap ended
    QObject::connect(&beat, &QTimer::timeout, [&] {
        if (sinceEvents.nsecsElapsed() > longestGapNs) {
            longestGapNs = sinceEvents.nsecsElapsed();
            longestGapEnd = window.windowTitle();
        }
        sinceEvents.restart();
    });

    std::vector<double> rescan, floor, gaps;
    for (int r = 0; r < runs; ++r) {
        longestGapNs = 0;
        beat.start();
        sinceEvents.start();
        QElapsedTimer t;
        t.start();
        button->click();
        const double ms = t.nsecsElapsed() / 1e6;
        beat.stop();
        // The stretch from the last event run to the end of the click counts too.
        if (sinceEvents.nsecsElapsed() > longestGapNs) {
            longestGapNs = sinceEvents.nsecsElapsed();
            longestGapEnd = QStringLiteral("(end of the click)");
        }
        const double floorMs = findSortMs(tree);
        rescan.push_back(ms);
        floor.push_back(floorMs);
        gaps.push_back(longestGapNs / 1e6);
        std::printf("  %s %d run %d: rescan %.1f ms, find | sort -f %.1f ms, ratio %.2f, longest without events "
                    "%.1f ms (ending at: %s)\n",
                    BenchTrees::shapeName(shape), count, r + 1, ms, floorMs, ms / floorMs, longestGapNs / 1e6,
                    longestGapEnd.simplified().toLocal8Bit().constData());
    }
    std::printf("rescan %-12s %5d games: median %7.1f ms, find | sort -f median %6.1f ms, ratio %.2f; "
                "longest without events median %.1f ms\n",
                BenchTrees::shapeName(shape), count, median(rescan), median(floor), median(rescan) / median(floor),
                median(gaps));
    std::fflush(stdout);
    return 0;
}

// One start in this process: the window built, the profile loaded from its
// cache (with the first preview look-up), the window shown and its events run.
int startOne(Shape shape, int count)
{
    QElapsedTimer t;
    t.start();
    LauncherAssembly launcher(SettingsPaths(homeFor(shape, count), "arvex"));
    MainWindow& window = launcher.window();
    window.setEndProcess([](int) {});
    window.Form_Load();
    window.show();
    QCoreApplication::processEvents();
    std::printf("%.2f\n", t.nsecsElapsed() / 1e6);
    return 0;
}

int runChild(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), args);
    p.waitForFinished(-1);
    const QByteArray out = p.readAllStandardOutput();
    if (args.first() == QLatin1String("--start"))
        return int(out.trimmed().toDouble() * 100);
    std::fputs(out.constData(), stdout);
    std::fflush(stdout);
    return p.exitCode();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    Shape shape = Shape::Flat;
    if (args.size() >= 3 && args[0] == QLatin1String("--one") && BenchTrees::parseShape(args[1], shape))
        return rescanOne(shape, args[2].toInt(), args.size() >= 4 ? std::max(1, args[3].toInt()) : 5);
    if (args.size() >= 3 && args[0] == QLatin1String("--start") && BenchTrees::parseShape(args[1], shape))
        return startOne(shape, args[2].toInt());

    const int runs = args.isEmpty() ? 5 : std::max(1, args[0].toInt());
    const Shape shapes[] = {Shape::Folders1500, Shape::PerGame, Shape::Flat};
    for (int count : {10000, 30000}) {
        std::vector<double> starts[3];
        for (int s = 0; s < 3; ++s) {
            const QString name = QLatin1String(BenchTrees::shapeName(shapes[s]));
            runChild({QStringLiteral("--one"), name, QString::number(count), QString::number(runs)});
            for (int r = 0; r < runs; ++r)
                starts[s].push_back(runChild({QStringLiteral("--start"), name, QString::number(count)}) / 100.0);
        }
        for (int s = 1; s < 3; ++s)
            std::printf("start %-12s %5d games: median %6.1f ms, beside the start over 1,500 folders %6.1f ms "
                        "(ratio %.2f)\n",
                        BenchTrees::shapeName(shapes[s]), count, median(starts[s]), median(starts[0]),
                        median(starts[s]) / median(starts[0]));
    }
    return 0;
}
