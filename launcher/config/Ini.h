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
// Writes replace the whole file atomically (TextFile::writeAtomic): the old or
// the new content, never a mix; keys that belong together are written as one
// group in one replacement. A failed write returns false and is reported to
// WriteFailures, which tells the user once per action.
#include <QList>
#include <QPair>
#include <QString>

// The profile reader: the value of `key` in `section` of `file`, cut to
// `maxChars` characters; empty when the file, section or key is missing.
QString GetPrivateProfileString(const QString& section, const QString& key, const QString& file,
                                int maxChars = 149);
// The profile writer: sets `key` in `section` of `file` to `value`, creating
// the file, section or key as needed. Written atomically. False on failure.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& file);
// Sets several keys of one section, in order, each by exactly the rule of the
// single-key writer, and replaces the file once. False on failure (then no key is written).
bool WritePrivateProfileStrings(const QString& section, const QList<QPair<QString, QString>>& keyValues,
                                const QString& file);

// Reads a setting. An empty value counts as missing. A missing value gives
// `def`; when `createIfMissing` is set, a missing file is created empty and a
// missing key of an existing file gets `def` written (when `def` is not empty).
QString ReadIniValue(const QString& section, const QString& key, const QString& file,
                     const QString& def, bool createIfMissing);
// Writes a setting; with `createIfMissing` false, a missing file stays missing.
// False only when a write was due and failed (a missing file left missing is no failure).
bool WriteIniValue(const QString& section, const QString& key, const QString& value,
                   const QString& file, bool createIfMissing);
// Writes a group of settings of one section in one replacement of the file,
// with the rules of WriteIniValue for each key: all of them or none.
bool WriteIniValues(const QString& section, const QList<QPair<QString, QString>>& keyValues,
                    const QString& file, bool createIfMissing);
// Creates the file, or empties an existing one (atomically). False on failure.
bool CreateEmptyFile(const QString& path);
// An absolute name stays; a relative one is taken from the current folder
// when a file of that name exists there, else returned unchanged.
QString ResolveIniFileName(const QString& name);

// A setting read as a 16-bit signed integer, as the launcher stores counts,
// indexes and flags; text that is not a number gives 0.
qint16 toInt16(const QString& value);
