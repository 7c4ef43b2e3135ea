// "Rescan list" as the user sees it, against its floor, in one run: the main
// window, built as the program builds it, on a profile whose game folder
// holds 30,000 games in 1,500 folders (the tree of the library benchmark);
// each run clicks the rescan button and stops the watch when the click has
// returned (lists filled), then times `find DIR -iname '*.adf' | sort -f` on
// the same tree. It also records the longest stretch in which the window's
// events could not run (a zero timer that fires whenever they do). Needs a display (DISPLAY, or
// QT_QPA_PLATFORM=offscreen).
//   bench_rescan [runs]
#include "config/SettingsPaths.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

const QString kTree = QStringLiteral("/tmp/arvex-bench-library/tree/");
constexpr int kFolders = 1500;
constexpr int kFilesPerFolder = 20;

// The same tree as library_bench makes (kept between runs).
void makeTree()
{
    const QString marker = kTree + QStringLiteral(".complete");
    if (QFile::exists(marker))
        return;
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    QDir(kTree).removeRecursively();
    for (int d = 0; d < kFolders; ++d) {
        const QString folder = kTree + QStringLiteral("Group %1/Folder %2/").arg(d / 50).arg(d);
        QDir().mkpath(folder);
        for (int f = 0; f < kFilesPerFolder; ++f) {
            const QString name = QStringLiteral("Game %1 %2 (19%3)(%4)(Disk %5 of 4)[cr CSL].adf")
                                     .arg(d)
                                     .arg(f / 4)
                                     .arg(85 + f % 10)
                                     .arg(QLatin1String(publishers[(d + f) % 5]))
                                     .arg(f % 4 + 1);
            const int fd = ::open(QFile::encodeName(folder + name).constData(), O_WRONLY | O_CREAT, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    QFile(marker).open(QIODevice::WriteOnly);
}

double findSortMs()
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("find '%1' -iname '*.adf' | sort -f > /dev/null").arg(kTree)});
    p.waitForFinished(60000);
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 7;
    makeTree();

    QTemporaryDir home;
    QDir().mkpath(home.filePath(QStringLiteral("Config/Amiga")));
    {
        QFile ini(home.filePath(QStringLiteral("Config/Amiga/arvex.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[Settings]\r\nEmulatorPath=/bin/true\r\nRomPath=" + QFile::encodeName(kTree)
                  + "\r\nDir_Parameter=*.adf\r\n");
        QFile global(home.filePath(QStringLiteral("Config/arvex.ini")));
        global.open(QIODevice::WriteOnly);
        global.write("[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");
    }

    LauncherAssembly launcher(SettingsPaths(home.path() + u'/', "arvex"));
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
        const double floorMs = findSortMs();
        rescan.push_back(ms);
        floor.push_back(floorMs);
        gaps.push_back(longestGapNs / 1e6);
        std::printf("run %d: rescan %.1f ms, find | sort -f %.1f ms, ratio %.2f, longest without events %.1f ms "
                    "(ending at: %s)\n",
                    r + 1, ms, floorMs, ms / floorMs, longestGapNs / 1e6,
                    longestGapEnd.simplified().toLocal8Bit().constData());
    }
    std::printf("rescan of 30,000 files in 1,500 folders: median %.1f ms, find | sort -f median %.1f ms, "
                "ratio %.2f; longest stretch without events: median %.1f ms\n",
                median(rescan), median(floor), median(rescan) / median(floor), median(gaps));
    return 0;
}
