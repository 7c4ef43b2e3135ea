#include "library/GamePaths.h"

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
    const auto id = m_folderIds.constFind(folder.toString());
    if (id == m_folderIds.cend())
        return -1;
    for (qsizetype i = 0; i < size(); ++i)
        if (m_folderOf.at(i) == *id && nameOf(i) == name)
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

int GamePaths::folderId(QStringView folder)
{
    if (m_lastFolder >= 0 && m_folders.at(m_lastFolder) == folder)
        return m_lastFolder;
    const QString key = folder.toString();
    auto it = m_folderIds.constFind(key);
    if (it == m_folderIds.cend()) {
        it = m_folderIds.insert(key, int(m_folders.size()));
        m_folders.append(key);
    }
    m_lastFolder = *it;
    return m_lastFolder;
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
