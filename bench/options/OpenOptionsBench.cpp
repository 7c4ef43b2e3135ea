// The options window opened from the main window over a copy of the demo
// collection (Amiga profile selected): the time from the options button's
// request until the window shows every value, over 20 openings (first, median
// and slowest), and the time of a save. Runs offscreen unless a display is
// asked for; prints one line per figure.
#include "config/SettingsPaths.h"
#include "options/MainWindowOptionsHost.h"
#include "options/SettingsForm.h"
#include "ui/LauncherAssembly.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(source, target);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString home = dir.path() + QStringLiteral("/Arvex/");
    QDir().mkpath(home);
    copyTree(QStringLiteral(ARVEX_SOURCE_DIR "/examples/demo"), home);

    SettingsPaths paths(home, QStringLiteral("arvex"));
    LauncherAssembly launcher(paths);
    OptionsWindowOpener opener(launcher);
    if (launcher.window().Form_Load() != MainWindow::StartResult::Running) {
        std::fprintf(stderr, "the main window did not start\n");
        return 1;
    }
    launcher.window().show();

    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer timer;
        timer.start();
        SettingsForm* form = opener.open();
        QCoreApplication::processEvents();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (form->txtWinUAEExe->text().isEmpty()) {
            std::fprintf(stderr, "the window shows no executable\n");
            return 1;
        }
        QPointer<SettingsForm> closing = form;
        form->ExitBtn_Click();
        QCoreApplication::processEvents();
        delete closing.data();
    }
    const double first = ms.front();
    std::sort(ms.begin(), ms.end());
    std::printf("options window open: first %.1f ms, median %.1f ms, slowest %.1f ms (20 openings)\n", first,
                ms[ms.size() / 2], ms.back());

    SettingsForm* form = opener.open();
    form->DirBefehleTxt->setText(QStringLiteral("*.adf, *.adz, *.dms"));
    QElapsedTimer timer;
    timer.start();
    const bool saved = form->SaveBtn_Click();
    std::printf("options window save (with the main window's settings load): %.1f ms, %s\n",
                double(timer.nsecsElapsed()) / 1e6, saved ? "saved" : "FAILED");
    form->ExitBtn_Click();
    return saved ? 0 : 1;
}
