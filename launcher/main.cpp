// Arvex: the launcher program. Builds the main window with its parts and runs it.
#include "config/AppEnvironment.h"
#include "config/SettingsPaths.h"
#include "options/MainWindowOptionsHost.h"
#include "config/WriteFailures.h"
#include "services/Prompt.h"
#include "services/files/FileChooser.h"
#include "services/files/QtFileChooser.h"
#include "ui/LauncherAssembly.h"
#include "ui/QtPrompt.h"
#include "ui/SingleInstance.h"

#include <QApplication>

#include <csignal>

int main(int argc, char** argv)
{
    // A file-size limit then makes a write fail (and be reported) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arvex"));

    const QString programFolder = AppEnvironment::programFolder();
    SettingsPaths paths(programFolder, AppEnvironment::exeName());
    LauncherAssembly launcher(paths);
    MainWindow& window = launcher.window();
    QtPrompt qtPrompt(&window);
    setPrompt(&qtPrompt);
    QtFileChooser chooser(&window);
    setFileChooser(&chooser);
    // The options button opens the options window (enabled because it listens).
    OptionsWindowOpener options(launcher);
    SingleInstance guard(programFolder);
    window.setSingleInstance(&guard);

    // The whole argument text, as one string: a game file to launch.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(u' ');
    int code = 0;
    switch (window.Form_Load(commandLine)) {
    case MainWindow::StartResult::AnotherInstance:
    case MainWindow::StartResult::Ended:
        break;
    case MainWindow::StartResult::Running:
        window.show();
        code = app.exec();
        break;
    }
    // Failed writes outside an action wait for the event loop; show those
    // that came after it ended (or without one, for a command-line start).
    WriteFailures::flush();
    setFileChooser(nullptr);
    setPrompt(nullptr);
    return code;
}
