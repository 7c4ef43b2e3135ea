// Arvex: the launcher program. Builds the main window with its parts and runs it.
#include "config/AppEnvironment.h"
#include "config/SettingsPaths.h"
#include "services/Prompt.h"
#include "ui/GameListsPanel.h"
#include "ui/LaunchController.h"
#include "ui/MainWindow.h"
#include "ui/PadController.h"
#include "ui/QtPrompt.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QPixmap>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arvex"));

    const QString programFolder = AppEnvironment::programFolder();
    SettingsPaths paths(programFolder, AppEnvironment::exeName());
    MainWindow window(paths);
    QtPrompt qtPrompt(&window);
    setPrompt(&qtPrompt);
    SingleInstance guard(programFolder);
    window.setSingleInstance(&guard);

    GameListsPanel lists(&window);
    window.setGameListsPart(&lists);

    // Pad navigation is created after the launch side it watches; the launch
    // side reaches it through this pointer (off during a game, on after it).
    PadController* padNavigation = nullptr;
    LaunchController::Hooks launchHooks;
    launchHooks.joystickNavigation = [&padNavigation](bool on) {
        if (padNavigation)
            padNavigation->setJoystickNavigation(on);
    };
    launchHooks.driveSlot = [&lists](int i) { return lists.driveSlot(i); };
    launchHooks.focusList = [&lists](int area) { lists.focusList(area); };
    launchHooks.gamePicture = [&lists] {
        return lists.previewShown() ? QPixmap(lists.previewFile()) : QPixmap();
    };
    LaunchController launch(window, launchHooks);
    window.setLaunchPart(&launch);
    QObject::connect(&lists, &GameListsPanel::launchRequested, &launch,
                     [&launch](const QString& fullPath) { launch.launchEntry(fullPath); });

    PadController pads(window, lists, launch);
    padNavigation = &pads;
    window.setPadNavigationPart(&pads);

    // The whole argument text, as one string: a game file to launch.
    const QString commandLine = QCoreApplication::arguments().mid(1).join(u' ');
    switch (window.Form_Load(commandLine)) {
    case MainWindow::StartResult::AnotherInstance:
    case MainWindow::StartResult::Ended:
        return 0;
    case MainWindow::StartResult::Running:
        break;
    }
    window.show();
    const int code = app.exec();
    setPrompt(nullptr);
    return code;
}
