#pragma once
// The list cache ("<ExeName>_Cache.txt" in the emulator's profile folder):
// pairs of lines, one pair per game in list order, every line ended by CR LF:
// the game file's path relative to the program folder ("./rest"), then its
// display name. Written whole and atomically on every rebuild (UTF-8);
// read with a cap: at most kMaxPairs pairs (as many games as one scan
// keeps), lines longer than kMaxLineBytes are cut. Each line becomes its
// list entry as it is read, so a load holds the lists and one read buffer,
// never every line of the file as well; paths are read into GamePaths
// (folder + name), with no string of their own. Caches written on Windows read
// correctly: CR LF, Windows-1252, "\rest" relative paths, "C:\..." absolute
// paths. A file's leading UTF-8 BOM is skipped; a U+FEFF at the start of any
// line is part of that line's text.
//
// Characters a line cannot hold are escaped with ESC (0x1B), which no file
// written on Windows contains: ESC "n" = LF, ESC "r" = CR, ESC ESC = ESC,
// ESC "0" = NUL, ESC "x" HH = the raw file-name byte HH (see FileNames.h; a
// raw byte is a lone low surrogate U+DC80..U+DCFF, never the second half of
// a surrogate pair). Older writers never produced ESC "0" (they wrote ESC as
// ESC ESC), and readers that do not know it keep the two characters as
// written. A raw NUL byte in a line (binary data, or a cache written before
// NUL was escaped) is read as a character; the read goes on past it.
// Any thread.
#include "library/GamePaths.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace ListCache {

constexpr int kMaxPairs = 31999; // FileScanRecursive::kScanLimit
constexpr int kMaxLineBytes = 64 * 1024;

QString escapeLine(const QString& text);
QString unescapeLine(const QString& line);

// A path as stored: relative to `programFolder` when below or beside it,
// else absolute. A path holding "\" is stored absolute (a relative value's
// backslashes are read as separators).
QString storedPath(const QString& programFolder, const QString& path);
// The reverse: the absolute path of a stored value.
QString resolvedPath(const QString& programFolder, const QString& stored);

// `progress` is called after every 512 games (so a caller can let window
// events run while a large list is written).
bool write(const QString& cacheFile, const GamePaths& fullPaths, const QStringList& shortNames,
           const QString& programFolder, const std::function<void()>& progress = {});

struct ReadResult {
    bool found = false;   // the file exists and could be opened
    bool corrupt = false; // the file held NUL bytes, which no cache this program writes holds
    GamePaths fullPaths;
    QStringList shortNames;
};
// `progress` is called after every 500 pairs with the number read so far.
ReadResult read(const QString& cacheFile, const QString& programFolder, int maxPairs = kMaxPairs,
                const std::function<void(int)>& progress = {});

} // namespace ListCache
