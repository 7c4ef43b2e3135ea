#pragma once
// File names as the game library sees them.
//  - Linux file names are bytes. decodeFileName turns them into text without
//    losing anything: valid UTF-8 decodes normally, every byte of an invalid
//    sequence (a Windows-1252 name copied from Windows) becomes the lone
//    surrogate U+DC80..U+DCFF. encodeFileName reverses it exactly.
//    (QFile::decodeName/encodeName replace such bytes by U+FFFD, so a file
//    found by a scan could not be opened again.) Use pathExists/readFileBytes
//    and the encoded bytes for every file the library opens.
//  - WildcardList: "*" and "?" patterns, several joined by ";", matched
//    ignoring case; "*.*" and a trailing ".*" also match names without a dot.
//    Only a LONE low surrogate is a raw byte: the same code unit after a high
//    surrogate is half of a character above U+FFFF. A leading U+FEFF is part
//    of the name.
//  - The list collation: the order of a sorted list box, case-insensitive,
//    ties broken by the exact text so that the order is always the same.
//    Raw bytes count as the Windows-1252 characters they stand for.
// Pure functions; any thread.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

QString decodeFileName(QByteArrayView bytes);
QByteArray encodeFileName(const QString& name);

// True when `path` exists (any kind of file; symlinks followed).
bool pathExists(const QString& path);
// True when `path` is an existing directory (symlinks followed).
bool isDirectoryPath(const QString& path);
// True when `path` is an existing regular file (symlinks followed).
bool isRegularFile(const QString& path);
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
