// Cold start of the launcher with 50 emulator profiles: from the process's
// start (as the kernel recorded it) until the main window, built with all
// its parts as the program builds it, is exposed. The parent starts itself
// as a fresh child process for every run and prints each figure and the
// median. Needs a display (DISPLAY, or QT_QPA_PLATFORM=offscreen).
//   bench_startup [runs]
#include "config/SettingsPaths.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
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
    std::printf("%.1f\n", msSinceProcessStart());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, QString::fromLocal8Bit(argv[2]));

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

    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        QProcess p;
        p.start(QString::fromLocal8Bit(argv[0]), {"--child", home.path() + "/"});
        p.waitForFinished(30000);
        bool ok = false;
        const double v = p.readAllStandardOutput().trimmed().toDouble(&ok);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !ok) {
            std::fprintf(stderr, "run %d failed: %s\n", r + 1, p.readAllStandardError().constData());
            return 1;
        }
        ms.push_back(v);
        std::printf("run %d: %.1f ms\n", r + 1, v);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start to window shown, 50 profiles: median %.1f ms (min %.1f, max %.1f)\n",
                ms[ms.size() / 2], ms.front(), ms.back());
    return 0;
}
