// An emulator switch as the user makes it, against its floor, in one run:
// the main window, built as the program builds it, with two profiles whose
// list caches hold 30,000 games each (1,500 folders beside the program
// folder). Each run chooses the other profile in the emulator box and
// presses Enter, and stops the watch when the key has been handled and the
// complete list shows the new profile's games; beside it, the same run
// times reading that profile's cache file whole, and reading the cache
// into its two lists alone (no window). Wall-clock and this thread's
// processor time (the second does not grow when other programs keep the
// machine busy). Needs a display (DISPLAY, or QT_QPA_PLATFORM=offscreen).
//   bench_switch [runs]
#include "config/AppEnvironment.h"
#include "config/SettingsPaths.h"
#include "library/DisplayNames.h"
#include "library/ListCache.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kGames = 30000;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

void makeProfile(const QString& home, const QString& name)
{
    writeFile(home + "Config/" + name + "/arvex.ini",
              "[Settings]\r\nEmulatorPath=/bin/true\r\nRomPath=../" + name.toUtf8() + "/\r\nRomCount=30000\r\n");
    static const char* publishers[] = {"Rainbow Arts", "Psygnosis", "Ocean", "Gremlin", "Team17"};
    QStringList paths, names;
    for (int i = 0; i < kGames; ++i) {
        const int folder = i / 20, file = i % 20;
        paths.append(QDir::cleanPath(home + "../" + name) + QStringLiteral("/Folder %1/").arg(folder)
                     + QStringLiteral("%1 Game %2 %3 (19%4)(%5)(Disk %6 of 4).adf")
                           .arg(name)
                           .arg(folder)
                           .arg(file / 4)
                           .arg(85 + file % 10)
                           .arg(QLatin1String(publishers[(folder + file) % 5]))
                           .arg(file % 4 + 1));
        names.append(CutShortName(paths.last(), QStringLiteral(")"), true));
    }
    ListCache::write(home + "Config/" + name + "/arvex_Cache.txt", paths, names, home);
}

double wallMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Figures {
    std::vector<double> wall, cpu;
    void add(double w, double c)
    {
        wall.push_back(w);
        cpu.push_back(c);
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc >= 2 ? std::max(1, atoi(argv[1])) : 9;

    QTemporaryDir root;
    const QString home = root.filePath(QStringLiteral("arvex/"));
    const QStringList profiles = {QStringLiteral("Amiga"), QStringLiteral("C64")};
    for (const QString& p : profiles)
        makeProfile(home, p);
    writeFile(home + "Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\nUseJoystick=0\r\n");

    LauncherAssembly launcher(SettingsPaths(home, "arvex"));
    MainWindow& window = launcher.window();
    window.setEndProcess([](int) {});
    window.Form_Load();
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

    Figures switches, reads, loads;
    for (int r = 0; r < runs; ++r) {
        const QString target = profiles.at((r + 1) % profiles.size());
        const double w0 = wallMs(), c0 = cpuMs();
        window.EmuListbox->setFocus();
        window.EmuListbox->setCurrentIndex(window.EmuListbox->findText(target));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(window.EmuListbox, &enter);
        const QStringList shown = launcher.lists().completePaths();
        switches.add(wallMs() - w0, cpuMs() - c0);
        if (shown.size() != kGames || !shown.first().contains(u'/' + target + u'/')) {
            std::fprintf(stderr, "switch to %s did not show its games (%lld)\n", qPrintable(target),
                         static_cast<long long>(shown.size()));
            return 1;
        }
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);

        const QString cache = home + "Config/" + target + "/arvex_Cache.txt";
        double w = wallMs(), c = cpuMs();
        QFile file(cache);
        file.open(QIODevice::ReadOnly);
        const qsizetype bytes = file.readAll().size();
        reads.add(wallMs() - w, cpuMs() - c);
        w = wallMs();
        c = cpuMs();
        const ListCache::ReadResult loaded = ListCache::read(cache, home);
        loads.add(wallMs() - w, cpuMs() - c);
        if (loaded.fullPaths.size() != kGames)
            return 1;
        std::printf("run %d: switch %.1f ms (cpu %.1f), reading the cache %.1f ms (%lld bytes), "
                    "loading it alone %.1f ms (cpu %.1f)\n",
                    r + 1, switches.wall.back(), switches.cpu.back(), reads.wall.back(),
                    static_cast<long long>(bytes), loads.wall.back(), loads.cpu.back());
    }
    std::printf("emulator switch, Enter to list shown, 30,000 games: median %.1f ms (cpu %.1f); reading the "
                "cache file %.1f ms (cpu %.1f); cache load alone %.1f ms (cpu %.1f)\n",
                median(switches.wall), median(switches.cpu), median(reads.wall), median(reads.cpu),
                median(loads.wall), median(loads.cpu));
    return 0;
}
