#pragma once
// AliasList: renames complete-list entries through the rows of
// "AliasList.txt" ("search text;display name").
//
// The rule: rows are applied in file order with a start index s (0 at
// first). A row renames the first entry at index >= s whose current name
// contains its search text, ignoring case; after a hit s becomes the index
// after it, after a miss the next row searches from the top again. An empty
// search text matches the entry at s. Renamed entries take part in later
// rows with their new name.
//
// apply() gives exactly the renames of that rule, but answers each row from
// a TextIndex of the names instead of reading every name from s on: each row
// reads only the entries at or after s that hold the rarest short piece of
// its search text, each checked with the real comparison. Renamed entries
// are indexed under their new name.
//
// Plain logic (QtCore only); the progress callback may let window events run.
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace AliasList {

struct Row {
    QString search; // before the first ";"
    QString name;   // everything after it (may hold further ";")
};

// The usable rows of an alias file's text: lines split at CR LF, LF or CR;
// lines without ";" (empty ones included) are skipped.
QList<Row> parse(const QString& text);

// Time between two progress calls.
constexpr qint64 kProgressIntervalMs = 50;

// Applies `rows` to `names` by the rule above. `progress`, when given, is
// called with the number of rows done at the start and then whenever
// kProgressIntervalMs have passed; it sees `names` between two rows only
// and must not change them.
void apply(QStringList& names, const QList<Row>& rows, const std::function<void(qsizetype)>& progress = {});

} // namespace AliasList
