#pragma once
// GamePaths: the absolute paths of a game list, read like a read-only
// QStringList (size, at, indexOf, iteration, toList). Each path is kept as
// its folder's number in a table of folders plus its name's text in one
// buffer shared by all games, not as one string per path: 30,000 games in
// a few hundred folders take about a third of the memory, and a list-cache
// load, which is mostly the cost of the memory it fills, is faster by as
// much. A path is split at its last "/" for storage only; at() gives back
// exactly the text appended. Copies share their data (as Qt's lists do).
// Plain data; one thread at a time.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <initializer_list>

class GamePaths {
public:
    GamePaths() = default;
    // Implicit, so that a plain list of paths can be given wherever game
    // paths are taken.
    GamePaths(const QStringList& paths); // NOLINT(google-explicit-constructor)
    GamePaths(std::initializer_list<QString> paths) : GamePaths(QStringList(paths)) {}

    qsizetype size() const { return m_folderOf.size(); }
    int count() const { return int(m_folderOf.size()); }
    bool isEmpty() const { return m_folderOf.isEmpty(); }

    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QString first() const { return at(0); }
    QString last() const { return at(size() - 1); }
    // Sets `out` to path i, reusing its memory (for loops over every path).
    void fill(qsizetype i, QString& out) const;
    // Path i up to and with its last "/" (empty when it has none), and after it.
    QStringView folderOf(qsizetype i) const { return folderText(m_folderOf.at(i)); }
    QStringView nameOf(qsizetype i) const;

    // The index of the first path equal to `path`, -1 when none.
    qsizetype indexOf(const QString& path) const;
    QStringList toList() const;

    void append(QStringView path);
    // A path given as its folder (ending in "/", or empty) and its name.
    void append(QStringView folder, QStringView name);
    // Room for `games` paths whose names take `nameUnits` UTF-16 units.
    void reserve(qsizetype games, qsizetype nameUnits);
    void truncate(qsizetype games);
    void clear() { *this = GamePaths(); }

    friend bool operator==(const GamePaths& a, const GamePaths& b);
    friend bool operator!=(const GamePaths& a, const GamePaths& b) { return !(a == b); }

    class const_iterator {
    public:
        const_iterator(const GamePaths* paths, qsizetype i) : m_paths(paths), m_i(i) {}
        QString operator*() const { return m_paths->at(m_i); }
        const_iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const GamePaths* m_paths;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    // The number of `folder`, given one when it is new.
    int folderId(QStringView folder);
    // The number of `folder`, -1 when no path has it.
    int findFolder(QStringView folder, size_t hash) const;
    QStringView folderText(int id) const;
    void growFolderSlots();
    // Puts folder `id` into the first free slot from its hash on.
    void placeFolder(int id, size_t hash);

    // Every folder once, with its trailing "/", in one buffer (a collection
    // with one folder per game has as many folders as games, and one
    // string each would cost more than their text).
    QString m_folderText;
    QList<qsizetype> m_folderEnd; // per folder: where it ends in m_folderText
    QList<int> m_folderSlots;     // open-addressed table of folder numbers by hash; -1: free
    int m_lastFolder = -1;        // lists come sorted: most paths share the previous one's folder
    QList<int> m_folderOf;         // per path: its folder's number
    QList<qsizetype> m_nameEnd;    // per path: where its name ends in m_names (it starts where the previous ends)
    QString m_names;               // every name, one after another
};
