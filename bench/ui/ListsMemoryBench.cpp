// The main window with its game-list area over a collection of 30,000
// games (read from the list cache): how long the start-up fill and a scroll
// through every list take, and the process's peak resident memory.
// Runs offscreen unless a display is asked for; prints one line per figure.
#include "config/AppEnvironment.h"
#include "config/SettingsPaths.h"
#include "library/ListCache.h"
#include "ui/GameListsPanel.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int games = argc > 1 ? QByteArray(argv[1]).toInt() : 30000;
    QApplication app(argc, argv);
    std::printf("baseline peak RSS: %ld KiB\n", peakRssKb());

    QTemporaryDir dir;
    const QString root = dir.path() + u'/';
    AppEnvironment::setOverrides(root, QStringLiteral("arvex"));
    writeFile(root + "Config/arvex.ini", "[Settings]\r\nLastEmulator=Amiga\r\n");
    writeFile(root + "Config/Amiga/arvex.ini", "[Settings]\r\nRomPath=./Games/\r\nSmartRomSelection=1\r\n");
    QStringList paths;
    QStringList names;
    paths.reserve(games);
    names.reserve(games);
    for (int i = 0; i < games; ++i) {
        // Three disks per title, so the list without duplicates holds a third.
        const QString title = QStringLiteral("Game Title Number %1 (19%2)(Publisher %3)")
                                  .arg(i / 3, 5, 10, QLatin1Char('0'))
                                  .arg(80 + (i / 3) % 20)
                                  .arg((i / 3) % 97);
        paths << root + "Games/" + title + QStringLiteral("(Disk %1 of 3).adf").arg(i % 3 + 1);
        names << title;
    }
    ListCache::write(root + "Config/Amiga/arvex_Cache.txt", paths, names, root);
    paths.clear();
    names.clear();
    std::printf("after writing the cache: %ld KiB\n", peakRssKb());

    QElapsedTimer timer;
    timer.start();
    MainWindow window(SettingsPaths(root, QStringLiteral("arvex")));
    GameListsPanel panel(&window);
    window.setGameListsPart(&panel);
    window.setEndProcess([](int) {});
    window.Form_Load();
    window.resize(1920, 1080);
    window.show();
    QApplication::processEvents();
    const qint64 loadMs = timer.elapsed();

    timer.restart();
    for (int area : {GameListsPanel::Complete, GameListsPanel::Simple}) {
        panel.focusList(area);
        QListView* view = panel.listView(area);
        view->scrollToBottom();
        QApplication::processEvents();
        view->setCurrentIndex(view->model()->index(view->model()->rowCount() - 1, 0));
        view->scrollToTop();
        QApplication::processEvents();
    }
    const qint64 scrollMs = timer.elapsed();

    std::printf("games: %d, complete list rows: %d, simple list rows: %d\n", games,
                panel.listView(GameListsPanel::Complete)->model()->rowCount(),
                panel.listView(GameListsPanel::Simple)->model()->rowCount());
    std::printf("start-up to shown window: %lld ms\n", static_cast<long long>(loadMs));
    std::printf("scroll both lists end to end with selection: %lld ms\n", static_cast<long long>(scrollMs));
    std::printf("peak RSS: %ld KiB (%.1f MiB)\n", peakRssKb(), peakRssKb() / 1024.0);
    AppEnvironment::setOverrides({}, {});
    return 0;
}
