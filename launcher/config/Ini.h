#pragma once
// The settings store: Windows-style profile files ("[Section]" and
// "Key=Value" lines) read and written with the semantics of the Windows
// profile API, since the files travel between the two systems.
//  - sections and keys compare ignoring case; blanks around them are dropped;
//  - the value is everything after the first "=", trimmed, with one pair of
//    enclosing double quotes removed; the first of duplicate keys wins;
//  - a write changes only its own line and keeps every other byte; a new key
//    goes after the last key of its section, a new section at the end;
//  - lines may end in CR LF, LF or CR; files may be UTF-8 or Windows-1252.
// UI thread (no locking); every call opens, reads or replaces and closes the file.
#include <QString>

// The profile reader: the value of `key` in `section` of `file`, cut to
// `maxChars` characters; empty when the file, section or key is missing.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file,
                                int maxChars = 149);
// The profile writer: sets `key` in `section` of `file` to `value`, creating
// the file, section or key as needed. Written atomically. False on failure.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& file);

// Reads a setting. An empty value counts as missing. A missing value gives
// `def`; when `createIfMissing` is set, a missing file is created empty and a
// missing key of an existing file gets `def` written (when `def` is not empty).
QString ReadIniValue(const QString& section, const QString& key, const QString& file,
                     const QString& def, bool createIfMissing);
// Writes a setting; with `createIfMissing` false, a missing file stays missing.
void WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file, bool createIfMissing);
// Creates the file, or empties an existing one.
void CreateEmptyFile(const QString& path);
// An absolute name stays; a relative one is taken from the current folder
// when a file of that name exists there, else returned unchanged.
QString ResolveIniFileName(const QString& name);

// A setting read as a 16-bit signed integer, as the launcher stores counts,
// indexes and flags; text that is not a number gives 0.
qint16 toInt16(const QString& value);
