#include "library/PathLookup.h"

#include "launch/PathOps.h"

PathLookup::PathLookup(const QStringList& paths) : m_paths(paths), m_text(paths, Qt::CaseSensitive)
{
    m_firstOfPath.reserve(m_paths.size());
    m_firstOfFileName.reserve(m_paths.size());
    for (qsizetype i = 0; i < m_paths.size(); ++i) {
        const QString& p = m_paths.at(i);
        // The first of equal paths (and file names) stays.
        if (!m_firstOfPath.contains(p))
            m_firstOfPath.insert(p, int(i));
        const QString name = FileNameOf(p);
        if (!m_firstOfFileName.contains(name))
            m_firstOfFileName.insert(name, int(i));
    }
}

int PathLookup::exact(const QString& path) const { return m_firstOfPath.value(path, -1); }

int PathLookup::containing(const QString& text)
{
    if (text.isEmpty())
        return -1;
    return m_text.first(text, 0);
}

int PathLookup::withFileName(const QString& fileName) const
{
    if (fileName.isEmpty())
        return -1;
    return m_firstOfFileName.value(fileName, -1);
}

int PathLookup::locate(const QString& fullPath)
{
    if (fullPath.isEmpty())
        return -1;
    int f = exact(fullPath);
    if (f < 0)
        f = containing(fullPath);
    const QString fileName = FileNameOf(fullPath);
    if (f < 0)
        f = withFileName(fileName);
    if (f < 0)
        f = containing(fileName);
    return f;
}
