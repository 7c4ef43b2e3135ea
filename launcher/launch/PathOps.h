#pragma once
// Path routines shared by the settings store, the lists and the launch.
// Separators: routines that pick the separator from the text keep doing so,
// so values written on Windows ("C:\Games\") still split correctly. Stored
// paths are relative to the program folder and written as "./rest".
// Pure functions over strings plus a few file-system queries; any thread.
#include <QString>

// Path ending in a separator; a trailing double quote stays last; a path
// with no separator at all (a bare "C:") is returned unchanged.
QString AddTrailingSeparator(const QString& path);
// The part after the last separator ("\" unless the path has only "/").
QString FileNameOf(const QString& path);
// An existing directory unchanged, else the text up to and including the last separator.
QString FolderOf(const QString& path);
// Trimmed text, in double quotes when it has a blank and no double quote.
QString QuoteIfNeeded(const QString& text);
// Trimmed text without one pair of enclosing double quotes.
QString StripEnclosingQuotes(const QString& text);
// There are no 8.3 names on Linux: both give the path back without enclosing quotes.
QString ShortPathName(const QString& path);
QString LongPathName(const QString& path);
// True when `path` starts with "/" or with a drive letter and ":".
bool IsAbsolutePath(const QString& path);
// `target` relative to the folder `base`, compared component by component
// (case-sensitive): "./sub/file" below base, "../x" beside it; a target that
// shares only "/" with base, holds a "\" (read back as a separator) or is
// empty / not absolute is returned unchanged.
QString MakeRelativePath(const QString& base, const QString& target);
// `path` resolved against the folder `base`. Absolute paths come back
// unchanged; "./", "../" (and legacy "..\", "\rest", backslashes) are
// understood. MakeAbsolutePath(b, MakeRelativePath(b, t)) names t again.
QString MakeAbsolutePath(const QString& base, const QString& path);
// True when the path names an existing directory; any error gives false.
bool IsDirectory(const QString& path);
// POSIX shell single-quote quoting: the result is always exactly one word.
QString ShellQuote(const QString& text);
