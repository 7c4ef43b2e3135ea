#pragma once
// FileChooser: the one way the launcher asks the user for a file to open, a
// file name to save under or a folder. The program installs the real chooser
// window (QtFileChooser, which opens `Files`); tests install a scripted one
// so that no test ever waits for a person. UI thread only.
//
// Every operation returns the chosen full path, or an empty text when the
// user cancelled. A chosen folder ends with "/".
#include <QString>

class FileChooser {
public:
    virtual ~FileChooser() = default;

    virtual QString openFile(const QString& defaultPath, const QString& windowCaption,
                             const QString& defaultFilename) = 0;
    virtual QString saveFile(const QString& defaultPath, const QString& defaultFilename,
                             const QString& windowCaption) = 0;
    virtual QString selectFolder(const QString& defaultPath, const QString& windowCaption) = 0;
};

// The chooser the whole program uses. Never null: until a window installs
// another one, a silent chooser answers every request as cancelled.
FileChooser& fileChooser();
// Installs `chooser` (not owned); nullptr restores the silent one.
void setFileChooser(FileChooser* chooser);

// A file to open. `DefaultFilename` is a file name or a pattern ("*.exe",
// several joined by ";") and becomes the file list's pattern.
QString FileOpenDialog(const QString& DefaultPath, const QString& WindowCaption = {},
                       const QString& DefaultFilename = {});
// A full path to save under, offered with `DefaultFilename`.
QString filesaveDialog(const QString& DefaultPath, const QString& DefaultFilename = {},
                       const QString& WindowCaption = {});
// A folder.
QString FileDirSelectDialog(const QString& DefaultPath, const QString& WindowCaption = {});
