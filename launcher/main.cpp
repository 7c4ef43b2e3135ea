// Arvex: the launcher program. Answers --help and --version without a
// window, then builds the main window with its parts and runs it.
#include "cli/ProgramOptions.h"
#include "cli/ProgramFolderCheck.h"
#include "config/AppEnvironment.h"
#include "config/FileNameCodec.h"
#include "config/Language.h"
#include "config/SettingsPaths.h"
#include "firststart/FirstStartView.h"
#include "options/MainWindowOptionsHost.h"
#include "config/WriteFailures.h"
#include "services/Prompt.h"
#include "services/files/FileChooser.h"
#include "services/files/QtFileChooser.h"
#include "ui/LauncherAssembly.h"
#include "ui/QtPrompt.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

// The arguments after the program name. They are read as file names are
// (FileNameCodec): a game named in bytes that are not UTF-8 keeps those
// bytes and is found again, where the locale's decoding would replace them.
QStringList rawArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << decodeFileName(QByteArrayView(argv[i]));
    return arguments;
}

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char** argv)
{
    // A file-size limit then makes a write fail (and be reported) instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);

    // Options first, before anything needs a display.
    setCurrentLanguage(IsGermanSystem() ? kLanguageGerman : kLanguageEnglish);
    const QString programName = argc > 0 ? QFileInfo(QString::fromLocal8Bit(argv[0])).fileName()
                                          : QStringLiteral("arvex");
    const ProgramOptions::Decision decision = ProgramOptions::decide(rawArguments(argc, argv), programName);
    if (decision.action != ProgramOptions::Action::Run) {
        print(decision.action == ProgramOptions::Action::Error ? stderr : stdout, decision.output);
        return ProgramOptions::exitCode(decision.action);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arvex"));
    QGuiApplication::setDesktopFileName(ProgramOptions::appId());

    const QString programFolder = AppEnvironment::programFolder();
    SettingsPaths paths(programFolder, AppEnvironment::exeName());
    LauncherAssembly launcher(paths);
    MainWindow& window = launcher.window();
    QtPrompt qtPrompt(&window);
    setPrompt(&qtPrompt);
    QtFileChooser chooser(&window);
    setFileChooser(&chooser);

    const QString folderProblem = ProgramFolderCheck::problem(programFolder);
    if (!folderProblem.isEmpty()) {
        print(stderr, folderProblem + u'\n');
        prompt().message(QStringLiteral("Arvex"), folderProblem, PromptIcon::Critical);
        setFileChooser(nullptr);
        setPrompt(nullptr);
        return 1;
    }

    // The options button opens the options window (enabled because it listens).
    OptionsWindowOpener options(launcher);
    SingleInstance guard(programFolder);
    window.setSingleInstance(&guard);
    FirstStartView firstStart(launcher, programFolder, AppEnvironment::exeName());

    // The whole argument text, as one string: a game file to launch. The
    // application took its own options ("-platform", ...) out of argc and argv.
    const QString commandLine = ProgramOptions::decide(rawArguments(argc, argv), programName).gameText;
    int code = 0;
    switch (window.Form_Load(commandLine)) {
    case MainWindow::StartResult::AnotherInstance:
    case MainWindow::StartResult::Ended:
        break;
    case MainWindow::StartResult::Running:
        window.show();
        QTimer::singleShot(0, &firstStart, &FirstStartView::offerNativeEmulators);
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
