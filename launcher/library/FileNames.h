#pragma once
// File names as the game library sees them.
//  - Linux file names are bytes: decodeFileName and encodeFileName (see
//    config/FileNameCodec.h) turn them into text and back without losing
//    anything. Use pathExists/readFileBytes and the encoded bytes for every
//    file the library opens.
//  - WildcardList: "*" and "?" patterns, several joined by ";", matched
//    ignoring case; "*.*" and a trailing ".*" also match names without a dot.
//    Only a LONE low surrogate is a raw byte: the same code unit after a high
//    surrogate is half of a character above U+FFFF. A leading U+FEFF is part
//    of the name.
//  - The list collation: the order of a sorted list box, case-insensitive,
//    ties broken by the exact text so that the order is always the same.
//    Raw bytes count as the Windows-1252 characters they stand for.
// Pure functions; any thread.
#include "config/FileNameCodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
// Reads at most `maxBytes` of a file; false when it cannot be opened or read.
bool readFileBytes(const QString& path, QByteArray& out, qint64 maxBytes);

class WildcardList {
public:
    WildcardList() = default;
    // `patterns`: one or more patterns joined by ";"; blanks around each are
    // dropped, empty ones ignored (an empty list matches nothing).
    explicit WildcardList(const QString& patterns);

    bool matches(const QString& name) const;
    bool isEmpty() const { return m_patterns.isEmpty() && !m_matchAll; }

private:
    QList<QString> m_patterns; // case-folded
    bool m_matchAll = false;
};

// Case-insensitive wildcard match of one pattern ("*", "?").
bool wildcardMatch(const QString& pattern, const QString& name);

// The case-folded text the list collation compares (before the tie-break).
QString listBoxKey(const QString& name);
// Sort key and order of the list collation.
bool listBoxLess(const QString& a, const QString& b);
// Sorts `list` into the list collation (stable for identical texts).
void sortListBox(QStringList& list);
