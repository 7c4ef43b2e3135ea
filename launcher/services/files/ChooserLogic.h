#pragma once
// The rules of the chooser window `Files`, as plain functions so that they
// run and are tested without a display: captions and heading, the list
// pattern, where the lists start, and what OK (or Return in a text field)
// does with a typed or chosen path. Messages come back in the interface
// language; the window shows them through the prompt service. UI thread.
#include <QString>
#include <QStringList>

enum class FilesMode { File, SaveFile, Dir };

// The mode tag the OK handling reads: "File", "SaveFile", "Dir".
QString modeTag(FilesMode mode);
// "Open File", "Save File as", "Open Directory".
QString defaultCaption(FilesMode mode);
// `caption`, or the mode's default caption when it is empty.
QString windowCaptionFor(FilesMode mode, const QString& caption);

// True when `text` holds a wildcard ("*" or "?").
bool isFilePattern(const QString& text);
// The file list's pattern: in open mode `defaultFilename` (a name or a
// pattern), "*" when that is empty; "*" in the other modes.
QString listPattern(FilesMode mode, const QString& defaultFilename);
// The patterns handed to the file-system model: split at ";" (and ","),
// trimmed, empty ones dropped; "*.*" matches every name, as on Windows.
QStringList nameFiltersFor(const QString& pattern);
// The heading: the caption, in open mode followed by "    (" + the pattern
// in double quotes + ")".
QString headingText(FilesMode mode, const QString& caption, const QString& pattern);

// Where the lists start and which file is offered.
struct StartPoint {
    QString folder; // existing folder, ending with "/"
    QString file;   // file name offered in the name field, may be empty
};
// `defaultPath` may name a folder, a file or nothing that exists (then the
// nearest existing folder above it is used); empty or relative paths start
// in `home`. `defaultFilename` is offered in save mode, and in open mode when
// it is a plain name rather than a pattern.
StartPoint startPointFor(FilesMode mode, const QString& defaultPath,
                         const QString& defaultFilename, const QString& home);

// `folder` ending with "/" (added when missing). Unlike the settings' path
// routine, a double quote at the end is part of the name, not quoting.
QString withSlash(const QString& folder);
// The nearest existing folder at or above `path` ("/" at the latest), with "/".
QString nearestExistingFolder(const QString& path);

// A typed path made usable: blanks around it and one pair of enclosing
// double quotes dropped (unless the quoted text itself exists), a leading
// "~" becomes `home`, "." and ".." and doubled separators are resolved.
// Paths that are not absolute give an empty text.
QString normalizeTypedPath(const QString& typed, const QString& home);

// What OK does with the full path.
struct ChoiceOutcome {
    enum Kind {
        Accept,       // close the window and return `path`
        OpenFolder,   // point the lists at the folder `path`
        ApplyPattern, // point the lists at `path` and use the pattern `pattern`
        Refuse        // stay open and show `message`
    };
    Kind kind = Refuse;
    QString path;
    QString pattern;
    QString message;
};
// `fullPath` is the full-path field's text (normalised; a text that is not
// absolute is refused as not found);
// `currentFolder` is the folder the lists show. Open mode accepts an
// existing file; save mode a name in an existing folder; folder mode an
// existing folder (returned with "/"). A folder in a file mode is opened,
// a name with a wildcard becomes the pattern.
ChoiceOutcome resolveChoice(FilesMode mode, const QString& fullPath, const QString& currentFolder);
