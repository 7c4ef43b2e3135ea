#pragma once
// ProgramOptions: what the launcher's arguments ask for, decided before any
// window or application object exists, so that --help and --version work
// without a display.
//  - "--help" / "-h" and "--version" print their text and end the program.
//  - Any other argument starting with "--" is an unknown option (exit 2),
//    unless a lone "--" came before it: everything after "--" is plain text.
//  - Every other argument is plain text: the arguments joined by blanks are
//    the game file of the command-line launch, exactly as without options.
// Texts are in the interface language of the user's locale. Any thread.
#include <QString>
#include <QStringList>

namespace ProgramOptions {

enum class Action {
    Run,     // start the launcher; `gameText` is the command-line launch text (maybe empty)
    Help,    // print `output` to standard output, exit 0
    Version, // print `output` to standard output, exit 0
    Error,   // print `output` to standard error, exit 2
};

struct Decision {
    Action action = Action::Run;
    QString output;
    QString gameText;
};

// `arguments` without the program name. `programName` names the program in
// the texts (the executable's file name).
Decision decide(const QStringList& arguments, const QString& programName);

// The usage text and the version line in the current interface language.
QString helpText(const QString& programName);
QString versionText(const QString& programName);

// The application id (desktop entry, AppStream data, icon name).
QString appId();

// The exit status for an action.
int exitCode(Action action);

} // namespace ProgramOptions
