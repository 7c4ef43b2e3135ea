#pragma once
// WineRegistry: reads one string value from a registry file of a Wine prefix
// (user.reg, system.reg, userdef.reg: "WINE REGISTRY Version 2" text files).
//
// The file is read line by line and never held whole: a key section starts
// with "[Key\\Path] <time>", followed by its values, one per line
// ("Name"=..., @=... for the default value); lines starting with "#" or ";"
// are notes. String data is "text" or str:"text" (plain) and str(2):"text"
// (expandable), with Wine's escapes: \\ \" \a \b \e \f \n \r \t \v, \xHHHH
// (up to four hex digits, one UTF-16 unit) and \ooo (up to three octal
// digits); hex(1): and hex(2): hold the same as UTF-16LE bytes, possibly
// continued over lines ending in "\". Other types (hex:, dword:, str(7):,
// hex(n) for other n) are not strings. Raw bytes above 127 are read as UTF-8
// when they form it, else as Latin-1.
// Used by PathServices; pure function over a file; any thread.
#include <QString>

// The text of value `valueName` (empty: the default value) of key `keyPath`
// ("Software\Wine", separators "\") in the registry file `regFile`, ending
// at its first NUL. `found` tells whether a string value was read, so an
// empty string value can be told from a failure. Key and value names compare
// ignoring case. A missing or unreadable file, a file that is not a Wine
// registry, a missing key or value, another type, a truncated value or a
// line longer than 1 MiB all give empty with `found` false.
QString ReadWineRegistryString(const QString& regFile, const QString& keyPath, const QString& valueName,
                               bool* found = nullptr);

// Decodes one escaped Wine registry string starting at `pos` of `line` up to
// the unescaped `end` character; `pos` is left after it. False when the line
// ends before `end` (a truncated value).
bool DecodeWineRegistryString(const QByteArray& line, qsizetype& pos, char end, QString& out);
