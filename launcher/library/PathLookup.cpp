#include "library/PathLookup.h"

#include "launch/PathOps.h"

#include <algorithm>
#include <bit>

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

namespace {

quint32 bucketOf(const QChar* units, int count, int bits)
{
    quint64 h = 0xcbf29ce484222325ull;
    for (int i = 0; i < count; ++i)
        h = (h ^ units[i].unicode()) * 0x100000001b3ull;
    return quint32((h * 0x9E3779B97F4A7C15ull) >> (64 - bits));
}

} // namespace

void PathLookup::buildAfterSlash()
{
    m_afterSlashBuilt = true;
    const qsizetype n = m_paths.size();
    m_bits = std::clamp(int(std::bit_width(size_t(n) * 4)), 4, 18);
    const size_t buckets = size_t(1) << m_bits;
    m_bucketStart.assign(buckets + 1, 0);
    // Two passes over every "/" with at least kKeyUnits units after it:
    // count, then fill in path order (a path twice in one bucket is harmless).
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<quint32> fill;
        if (pass == 1) {
            for (size_t b = 0; b < buckets; ++b)
                m_bucketStart[b + 1] += m_bucketStart[b];
            m_bucketIds.resize(m_bucketStart[buckets]);
            fill.assign(m_bucketStart.begin(), m_bucketStart.end() - 1);
        }
        for (qsizetype i = 0; i < n; ++i) {
            const QString& p = m_paths.at(i);
            const QChar* d = p.constData();
            for (qsizetype k = 0; k + kKeyUnits < p.size(); ++k) {
                if (d[k] != u'/')
                    continue;
                const quint32 b = bucketOf(d + k + 1, kKeyUnits, m_bits);
                if (pass == 0)
                    ++m_bucketStart[b + 1];
                else
                    m_bucketIds[fill[b]++] = int(i);
            }
        }
    }
}

int PathLookup::containingPath(const QString& text, qsizetype nameStart)
{
    if (!m_afterSlashBuilt)
        buildAfterSlash();
    const quint32 b = bucketOf(text.constData() + nameStart, kKeyUnits, m_bits);
    for (quint32 k = m_bucketStart[b]; k < m_bucketStart[b + 1]; ++k)
        if (m_paths.at(m_bucketIds[k]).contains(text, Qt::CaseSensitive))
            return m_bucketIds[k]; // ids of a bucket ascend: the first is the answer
    return -1;
}

int PathLookup::containing(const QString& text)
{
    if (text.isEmpty())
        return -1;
    const qsizetype slash = text.lastIndexOf(u'/');
    if (slash >= 0 && text.size() - (slash + 1) >= kKeyUnits)
        return containingPath(text, slash + 1);
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
