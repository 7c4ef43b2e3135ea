#pragma once
// FileScanRecursive: walks a folder tree and collects every file whose name
// matches a pattern list (ScanFiles) or every sub-folder (ScanDirs) into a
// sorted result list. The game list builder calls ScanFiles once per file
// pattern of the current emulator and then reads Result_list().
//
// Folders are visited depth-first from a stack (the alphabetically last
// sub-folder first); the result is sorted case-insensitively at the end, so
// the visiting order never shows. Dot files and dot folders are never listed.
// Symlinks are followed, but every real folder is visited once (a symlink
// loop ends), and folders that cannot be opened below the start folder are
// skipped. File names keep every byte (see FileNames.h).
//
// Progress goes to the host: ScanFiles shows the running total of files
// found at its first check and then whenever kProgressIntervalMs have passed
// (checked after every file and every folder, whatever the folders hold, and
// every 1,024 entries while one folder is read), and
// lets pending window events run at the same points, so the window stays
// responsive, a scan repaints about 20 times a second instead of once per
// folder, and BreakScan can be called from a window event while a scan runs.
// ScanDirs shows its counts every 200 folders.
// UI thread; a scan runs to completion inside the call.
#include "library/LibraryHost.h"

#include <QString>
#include <QStringList>

#include <QElapsedTimer>

#include <functional>
#include <optional>

class FileScanRecursive {
public:
    // Results beyond this count stop a scan ("Abbruch!" / "Überlauf - Abbruch!").
    static constexpr int kScanLimit = 31999;
    // Time between two progress captions (and event runs) of ScanFiles.
    static constexpr qint64 kProgressIntervalMs = 50;

    enum class ProgressTarget { MainWindow, StatusLabel };

    explicit FileScanRecursive(LibraryHost& host);

    // Trims blanks, removes one pair of enclosing double quotes, trims again and
    // appends a separator ("/" when the path holds one, else "\"). Empty when
    // the path is empty or is a lone double quote.
    static QString PreParePath(const QString& path);

    // Collects the files below `DirectoryPath` (normalised in place) matching
    // `FileExtension` (patterns joined by ";"). Returns the result count, or no
    // value when the scan was cancelled between folders or the start folder
    // could not be opened ("Error: Directory not found!" is shown then).
    std::optional<int> ScanFiles(QString& DirectoryPath, const QString& FileExtension,
                                 const QString& SuchTitle,
                                 ProgressTarget CaptionOrLabel = ProgressTarget::MainWindow);
    // Collects every folder below `DirectoryPath`, each with a trailing "/".
    std::optional<int> ScanDirs(QString& DirectoryPath, const QString& SuchTitle);

    // The result list of the last scan; the caller may read and clear it.
    QStringList& Result_list() { return m_resultList; }
    // Asks a running scan to stop at its next check.
    void BreakScan() { m_cancel = true; }
    // The milliseconds the progress is timed by (a steady clock by default;
    // tests give their own).
    void setProgressClock(std::function<qint64()> msNow) { m_msNow = std::move(msNow); }

private:
    // Shows `title` with the running total (the results plus `pending` files
    // found in the folder being read) and lets events run when
    // kProgressIntervalMs have passed since the last time.
    void progress(ProgressTarget target, const QString& title, qsizetype pending = 0);

    QString caption(ProgressTarget target) const;
    void setCaption(ProgressTarget target, const QString& text);

    LibraryHost& m_host;
    QStringList m_resultList;
    bool m_cancel = false;
    std::function<qint64()> m_msNow;
    QElapsedTimer m_steady;
    qint64 m_lastProgressMs = 0;
};
