// How long the chooser window takes to open on a folder with 10,000 files:
// from the start of the call to the first paint of its file list, and to
// the moment the whole folder is listed. Runs on Qt's offscreen platform
// unless a display is chosen. Usage: bench_files_chooser [files] [rounds]
#include "services/files/FilesWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class PaintWatch final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
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
    const int files = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    for (int i = 0; i < files; ++i) {
        QFile f(dir.path() + QStringLiteral("/Game %1 (Disk 1 of 2).ADF").arg(i, 5, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot write the test files\n");
            return 1;
        }
    }

    std::vector<double> toPaint, toListed;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        Files window(FilesMode::File, dir.path(), {}, QStringLiteral("*.adf"));
        PaintWatch watch;
        window.findChild<QListView*>(QStringLiteral("File1"))->viewport()->installEventFilter(&watch);
        window.show();
        double painted = -1;
        while (clock.elapsed() < 60000) {
            app.processEvents(QEventLoop::AllEvents, 5);
            if (painted < 0 && watch.painted)
                painted = double(clock.nsecsElapsed()) / 1e6;
            if (painted >= 0 && window.folderLoaded() && window.shownFileCount() == files)
                break;
        }
        const double listed = double(clock.nsecsElapsed()) / 1e6;
        if (painted < 0 || window.shownFileCount() != files) {
            std::fprintf(stderr, "round %d: the folder was not listed in full (%d of %d)\n", round,
                         window.shownFileCount(), files);
            return 1;
        }
        toPaint.push_back(painted);
        toListed.push_back(listed);
        std::printf("round %d: first paint %.1f ms, all %d files listed %.1f ms\n", round, painted, files, listed);
    }
    std::printf("chooser on %d files: first paint median %.1f ms (first round %.1f ms), "
                "whole folder listed median %.1f ms\n",
                files, median(toPaint), toPaint.front(), median(toListed));
    return 0;
}
