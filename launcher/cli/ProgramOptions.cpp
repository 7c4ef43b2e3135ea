#include "cli/ProgramOptions.h"

#include "config/Language.h"

namespace ProgramOptions {

namespace {

bool isHelp(const QString& argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

// Qt's own window-system options, which Qt accepts with two dashes as well
// and takes out of the arguments itself; they are no unknown options.
bool isQtOption(const QString& argument)
{
    static const QStringList kQtOptions{
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowtitle"),
        QStringLiteral("qwindowicon"), QStringLiteral("display"), QStringLiteral("style"),
        QStringLiteral("stylesheet"), QStringLiteral("reverse"), QStringLiteral("session"),
        QStringLiteral("nograb"), QStringLiteral("dograb"), QStringLiteral("sync"),
        QStringLiteral("widgetcount")};
    const QString name = argument.mid(2).section(u'=', 0, 0);
    return kQtOptions.contains(name);
}

} // namespace

QString helpText(const QString& programName)
{
    const QString p = programName;
    return Msg(
        QStringLiteral(
            "Aufruf: %1 [OPTION]\n"
            "       %1 SPIELDATEI\n"
            "\n"
            "Arvex startet Spiele in Emulatoren: Emulatoren eintragen, Spielelisten ansehen,\n"
            "ein Spiel mit seinem Emulator starten.\n"
            "\n"
            "Ohne Argumente öffnet %1 das Hauptfenster.\n"
            "Mit SPIELDATEI startet %1 diese Datei mit dem zuletzt benutzten Emulator und\n"
            "endet, ohne ein Fenster zu zeigen. Alle Argumente zusammen (mit Leerzeichen\n"
            "verbunden) bilden den Dateinamen; ein Argument mit \"?\" zeigt nur einen Hinweis.\n"
            "Nach \"--\" ist jedes Argument Teil des Dateinamens, auch wenn es mit \"--\" beginnt.\n"
            "\n"
            "Optionen:\n"
            "  -h, --help     diese Hilfe zeigen und beenden\n"
            "      --version  die Versionsnummer zeigen und beenden\n"
            "\n"
            "Umgebung:\n"
            "  ARVEX_HOME       Programmordner (Einstellungen unter Config/); ohne ihn der\n"
            "                   Ordner des Programms, wenn er Config/ enthält, sonst\n"
            "                   $XDG_CONFIG_HOME/arvex (~/.config/arvex)\n"
            "  LANG, LC_ALL     Sprache der Oberfläche (Deutsch oder Englisch)\n")
            .arg(p),
        QStringLiteral(
            "Usage: %1 [OPTION]\n"
            "       %1 GAMEFILE\n"
            "\n"
            "Arvex starts games in emulators: register emulators, browse their game lists,\n"
            "start a game in its emulator.\n"
            "\n"
            "Without arguments, %1 opens its main window.\n"
            "With GAMEFILE, %1 starts that file with the emulator used last and ends without\n"
            "showing a window. All arguments together (joined by blanks) form the file name;\n"
            "an argument containing \"?\" only shows a notice.\n"
            "After \"--\", every argument is part of the file name, even one starting with \"--\".\n"
            "\n"
            "Options:\n"
            "  -h, --help     show this help and exit\n"
            "      --version  show the version number and exit\n"
            "\n"
            "Environment:\n"
            "  ARVEX_HOME       program folder (settings below Config/); without it the\n"
            "                   program's own folder when it holds Config/, else\n"
            "                   $XDG_CONFIG_HOME/arvex (~/.config/arvex)\n"
            "  LANG, LC_ALL     interface language (German or English)\n")
            .arg(p));
}

QString versionText(const QString& programName)
{
    return QStringLiteral("%1 %2\n").arg(programName, QStringLiteral(ARVEX_VERSION));
}

Decision decide(const QStringList& arguments, const QString& programName)
{
    Decision decision;
    QStringList plain;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (optionsEnded || !(argument.startsWith(QLatin1String("--")) || argument == QLatin1String("-h"))) {
            plain << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (isQtOption(argument)) {
            plain << argument;
            continue;
        }
        if (isHelp(argument)) {
            decision.action = Action::Help;
            decision.output = helpText(programName);
            return decision;
        }
        if (argument == QLatin1String("--version")) {
            decision.action = Action::Version;
            decision.output = versionText(programName);
            return decision;
        }
        decision.action = Action::Error;
        decision.output = Msg(QStringLiteral("%1: unbekannte Option \"%2\"\n"
                                             "\"%1 --help\" zeigt die möglichen Optionen.\n"),
                              QStringLiteral("%1: unknown option \"%2\"\n"
                                             "Try \"%1 --help\" for the options.\n"))
                              .arg(programName, argument);
        return decision;
    }
    decision.gameText = plain.join(u' ');
    return decision;
}

QString appId() { return QStringLiteral(ARVEX_APP_ID); }

int exitCode(Action action)
{
    switch (action) {
    case Action::Run:
    case Action::Help:
    case Action::Version:
        return 0;
    case Action::Error:
        break;
    }
    return 2;
}

} // namespace ProgramOptions
