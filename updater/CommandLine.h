#pragma once
// The updater's command-line grammar. The arguments are joined with single
// blanks into one line (so a path with blanks arrives whole), then read:
//   [URL] address [PATH] target-file [PARAM1] first [PARAM2] second
//   [NOASK] [AUTOSTART] [SKIPINFO]        (the three flags anywhere)
// or [BATCHFILE] script-file, "/?" (version box) and nothing (usage box).
// Keywords are found ignoring case; flags are removed from the line first;
// each value is cut from the unchanged line (so the URL keeps its case),
// runs to the next keyword or the end, and is trimmed. Plain logic.
#include <QString>
#include <QStringList>

struct UpdaterCommand {
    enum class Kind { Version, Usage, Script, Update };
    Kind kind = Kind::Usage;
    QString url;
    QString path;
    QString param1;
    QString param2;
    QString scriptFile;
    bool ask = true;        // cleared by [NOASK]
    bool autostart = false; // set by [AUTOSTART]
    bool skipInfo = false;  // set by [SKIPINFO]

    // An update needs both an address and a target file.
    bool complete() const { return !url.isEmpty() && !path.isEmpty(); }
};

QString JoinArguments(const QStringList& arguments);
UpdaterCommand ParseCommandLine(const QString& line);
