// arvex-updater: downloads one file from a URL into a path, keeps the two
// previous versions as .old and .old2, and can start the new file. Started
// by the launcher to update it; see CommandLine.h for the command line.
#include "CommandLine.h"
#include "QtUpdaterPrompt.h"
#include "UpdaterLanguage.h"
#include "UpdaterWindow.h"

#include <QApplication>

#include <csignal>
#include <memory>

int main(int argc, char** argv)
{
    // Status lines go to stdout; the launcher that started us may be gone
    // with the other end of that pipe, which must not end the update.
    std::signal(SIGPIPE, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    SetUpdaterGerman(SystemLanguageIsGerman());

    const UpdaterCommand cmd = ParseCommandLine(JoinArguments(app.arguments().mid(1)));
    QtUpdaterPrompt qtPrompt;
    std::unique_ptr<UpdaterPrompt> answers(AnswerFilePrompt::fromEnvironment());
    UpdaterPrompt& prompt = answers ? *answers : static_cast<UpdaterPrompt&>(qtPrompt);

    UpdaterWindow window(cmd, prompt);
    qtPrompt.setParent(&window);
    window.show();
    return app.exec();
}
