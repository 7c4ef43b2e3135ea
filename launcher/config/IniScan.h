#pragma once
// IniScan: one pass over a large profile file that keeps only what the
// profile reader can use, so a huge or binary file given as a settings file
// costs a bounded amount of time and memory instead of being read and
// decoded whole for every key.
//
// Kept are the lines that hold a "[" or a "=" (only those can be section or
// key lines), in file order, as raw bytes, with the file's encoding (UTF-8
// when the whole file after an optional BOM is well-formed UTF-8, else
// Windows-1252). Lines of more than kMaxLineBytes are no settings lines. A
// file over kMaxFileBytes, or with more than kMaxLines such lines or
// kMaxLinesBytes of them, is no settings file: the reader gives the default
// values for it and never writes into it. Called by the profile reader
// (Ini.cpp) for files of kLargeFileBytes and more. Any thread.
#include <QByteArray>
#include <QList>
#include <QString>

namespace IniScan {

// Files below this size are read whole, as before.
constexpr qint64 kLargeFileBytes = 256 << 10;
// Files over this size are no settings files.
constexpr qint64 kMaxFileBytes = 64 << 20;
constexpr qsizetype kMaxLineBytes = 64 << 10;
constexpr qsizetype kMaxLines = 20000;
constexpr qsizetype kMaxLinesBytes = 2 << 20;
// The file is read in pieces of this size.
constexpr qsizetype kChunkBytes = 1 << 20;

struct Result {
    bool readable = false;     // the file could be opened and read
    bool settingsFile = false; // within the limits above
    bool utf8 = true;
    QList<QByteArray> lines; // the lines holding "[" or "=", BOM removed
};

// Scans `path` in chunks of a fixed size.
Result scan(const QString& path);

} // namespace IniScan
