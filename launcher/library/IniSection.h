#pragma once
// Reads one section of a profile file in a single pass, with the rules of
// the settings store (keys ignoring case, first duplicate wins, value after
// the first "=" trimmed, one pair of enclosing quotes removed, only the first
// section of that name). Used where many keys are read at once (favourites)
// or where an empty value must be told from a missing key. Any thread.
#include <QHash>
#include <QString>

struct IniSection {
    bool readable = false;         // the file exists and could be read
    QHash<QString, QString> values; // key in lower case -> value

    bool has(const QString& key) const { return values.contains(key.toLower()); }
    QString value(const QString& key) const { return values.value(key.toLower()); }

    // `maxBytes` caps how much of the file is read.
    static IniSection read(const QString& file, const QString& section, qint64 maxBytes = 16 << 20);
};
