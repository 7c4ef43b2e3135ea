#pragma once
// File operations of the chooser window: a file's date, moving a file, and
// writing the list of files below a folder to a text file. Plain logic over
// QtCore and POSIX; the walk runs on the calling thread and can be stopped
// through the cancel flag from a progress callback or another thread.
#include <QDateTime>
#include <QString>

#include <atomic>
#include <functional>

// The file's last modification time (local time); invalid when the file
// cannot be read.
QDateTime getFileDate(const QString& FileName);

// Moves the file `Source` to `Destination` (a file path, or a folder when it
// ends with "/"). An existing destination is replaced only with `Overwrite`.
// Across file systems the file is copied whole, then the source removed.
// True only when the file now is at the destination and gone from the source.
bool FileMove(const QString& Source, const QString& Destination, bool Overwrite);

class FileOps {
public:
    // Writes every entry of `Path` whose name matches `SearchExtension`
    // (patterns "*"/"?", several joined by ";", ignoring case; "*.*" matches
    // every name) as one line "folder + name", CR LF ended, in directory
    // order; matching sub-folders are walked the same way. The target is
    // emptied first unless `AppendTarget`. Names keep their exact bytes.
    // Hidden (dot) entries are skipped, and a folder reached a second time
    // (through a symbolic link, also a link loop) is not walked again.
    // Unreadable folders contribute nothing. Returns true when the walk
    // finished and every line was written; false when the target could not
    // be written or the walk was cancelled (lines written so far stay).
    bool ReadDirctoryStructureToFile(const QString& Path, const QString& TargetTextFileName,
                                     const QString& SearchExtension, bool AppendTarget);

    // Stops a running walk at its next entry; the next walk starts afresh.
    void cancel() { m_cancel = true; }
    bool cancelRequested() const { return m_cancel; }
    // Called every few entries during a walk (to let window events run).
    void setProgress(std::function<void()> progress) { m_progress = std::move(progress); }
    // Lines written by the last walk.
    int linesWritten() const { return m_lines; }

private:
    std::atomic<bool> m_cancel{false};
    std::function<void()> m_progress;
    int m_lines = 0;
};
