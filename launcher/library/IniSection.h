#pragma once
// Reads one section of a profile file in a single pass, with the rules of
// the settings store (keys ignoring case, first duplicate wins, value after
// the first "=" trimmed, one pair of enclosing quotes removed, only the first
// section of that name). Used where many keys are read at once (favourites)
// or where an empty value must be told from a missing key. A file of
// IniScan::kLargeFileBytes or more is read by one bounded scan (IniScan),
// as the settings store reads it: a huge or binary file costs bounded time
// and memory, and one that cannot be a profile file reads as unreadable.
// Any thread.
#include <QHash>
#include <QString>

struct IniSection {
    bool readable = false;         // the file exists and could be read
    QHash<QString, QString> values; // key in lower case -> value

    bool has(const QString& key) const { return values.contains(key.toLower()); }
    QString value(const QString& key) const { return values.value(key.toLower()); }

    static IniSection read(const QString& file, const QString& section);
};
