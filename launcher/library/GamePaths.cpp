#include "library/GamePaths.h"

#include <QHashFunctions>

#include <algorithm>

GamePaths::GamePaths(const QStringList& paths)
{
    qsizetype units = 0; // the names' units: what follows each path's last "/"
    for (const QString& p : paths)
        units += p.size() - (p.lastIndexOf(u'/') + 1);
    reserve(paths.size(), units);
    for (const QString& p : paths)
        append(p);
}

QStringView GamePaths::nameOf(qsizetype i) const
{
    const qsizetype start = i == 0 ? 0 : m_nameEnd.at(i - 1);
    return QStringView(m_names).mid(start, m_nameEnd.at(i) - start);
}

QString GamePaths::at(qsizetype i) const
{
    QString out;
    fill(i, out);
    return out;
}

void GamePaths::fill(qsizetype i, QString& out) const
{
    const QStringView folder = folderOf(i);
    const QStringView name = nameOf(i);
    out.resize(folder.size() + name.size());
    QChar* d = out.data();
    std::copy(folder.begin(), folder.end(), d);
    std::copy(name.begin(), name.end(), d + folder.size());
}

qsizetype GamePaths::indexOf(const QString& path) const
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QStringView folder = QStringView(path).left(slash + 1);
    const QStringView name = QStringView(path).mid(slash + 1);
    const int id = findFolder(folder, qHash(folder));
    if (id < 0)
        return -1;
    for (qsizetype i = 0; i < size(); ++i)
        if (m_folderOf.at(i) == id && nameOf(i) == name)
            return i;
    return -1;
}

QStringList GamePaths::toList() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(at(i));
    return out;
}

QStringView GamePaths::folderText(int id) const
{
    const qsizetype start = id == 0 ? 0 : m_folderEnd.at(id - 1);
    return QStringView(m_folderText).mid(start, m_folderEnd.at(id) - start);
}

int GamePaths::findFolder(QStringView folder, size_t hash) const
{
    if (m_folderSlots.isEmpty())
        return -1;
    const size_t mask = size_t(m_folderSlots.size()) - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const int id = m_folderSlots.at(qsizetype(slot));
        if (id < 0 || folderText(id) == folder)
            return id;
    }
}

void GamePaths::growFolderSlots()
{
    // At most half full, so that every probe ends soon at a free slot.
    const qsizetype slotCount = std::max<qsizetype>(64, m_folderSlots.size() * 2);
    m_folderSlots.fill(-1, slotCount);
    for (int id = 0; id < int(m_folderEnd.size()); ++id)
        placeFolder(id, qHash(folderText(id)));
}

void GamePaths::placeFolder(int id, size_t hash)
{
    const size_t mask = size_t(m_folderSlots.size()) - 1;
    size_t slot = hash & mask;
    while (m_folderSlots.at(qsizetype(slot)) >= 0)
        slot = (slot + 1) & mask;
    m_folderSlots[qsizetype(slot)] = id;
}

int GamePaths::folderId(QStringView folder)
{
    if (m_lastFolder >= 0 && folderText(m_lastFolder) == folder)
        return m_lastFolder;
    const size_t hash = qHash(folder);
    int id = findFolder(folder, hash);
    if (id < 0) {
        id = int(m_folderEnd.size());
        m_folderText.append(folder);
        m_folderEnd.append(m_folderText.size());
        if (m_folderEnd.size() * 2 > m_folderSlots.size())
            growFolderSlots(); // places the new folder too
        else
            placeFolder(id, hash);
    }
    m_lastFolder = id;
    return id;
}

void GamePaths::append(QStringView path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    append(path.left(slash + 1), path.mid(slash + 1));
}

void GamePaths::append(QStringView folder, QStringView name)
{
    m_folderOf.append(folderId(folder));
    m_names.append(name);
    m_nameEnd.append(m_names.size());
}

void GamePaths::reserve(qsizetype games, qsizetype nameUnits)
{
    m_folderOf.reserve(games);
    m_nameEnd.reserve(games);
    m_names.reserve(nameUnits);
}

void GamePaths::truncate(qsizetype games)
{
    if (games >= size())
        return;
    games = qMax<qsizetype>(0, games);
    m_folderOf.resize(games);
    m_nameEnd.resize(games);
    m_names.truncate(games == 0 ? 0 : m_nameEnd.at(games - 1));
}

bool operator==(const GamePaths& a, const GamePaths& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a.folderOf(i).size() + a.nameOf(i).size() != b.folderOf(i).size() + b.nameOf(i).size()
            || a.at(i) != b.at(i))
            return false;
    return true;
}
