#include "library/DisplayNames.h"

#include "launch/PathOps.h"

#include <cstdlib>
#include <unordered_map>
#include <vector>

QString CutShortName(const QString& FullPath, const QString& TrennZ, bool ErstAbDemZweitenAbschneiden)
{
    const QString name = FileNameOf(StripEnclosingQuotes(FullPath));
    if (name.size() < 5)
        return FullPath.trimmed();
    const qsizetype first = name.indexOf(TrennZ);
    const qsizetype second = first >= 0 ? name.indexOf(TrennZ, first + 1) : -1;
    QString result;
    if (first + 1 < 5)
        result = name.left(name.size() - 4); // "." and a three-letter extension
    else if (ErstAbDemZweitenAbschneiden && second >= 0)
        result = name.left(second + TrennZ.size());
    else
        result = name.left(first + TrennZ.size());
    return result.trimmed();
}

namespace {

// The remembered distances, keyed by the remaining lengths of both strings
// (every recursion step only drops leading characters). Stored as value + 1,
// 0 meaning unknown. Very long strings use a hash map instead of a table.
class DiffMemo {
public:
    DiffMemo(qsizetype lenA, qsizetype lenB) : m_width(lenA + 1)
    {
        const qsizetype cells = (lenA + 1) * (lenB + 1);
        if (cells <= kTableLimit)
            m_table.assign(size_t(cells), 0);
    }
    int get(qsizetype la, qsizetype lb) const
    {
        const qsizetype key = lb * m_width + la;
        if (!m_table.empty())
            return m_table[size_t(key)];
        const auto it = m_map.find(key);
        return it == m_map.end() ? 0 : it->second;
    }
    void set(qsizetype la, qsizetype lb, int stored)
    {
        const qsizetype key = lb * m_width + la;
        if (!m_table.empty())
            m_table[size_t(key)] = qint16(stored);
        else
            m_map[key] = stored;
    }

private:
    static constexpr qsizetype kTableLimit = 1 << 20;
    qsizetype m_width;
    std::vector<qint16> m_table;
    std::unordered_map<qsizetype, int> m_map;
};

int distance(const QChar* a, qsizetype la, const QChar* b, qsizetype lb, int limit, DiffMemo& memo)
{
    int d;
    if (const int stored = memo.get(la, lb); stored > 0) {
        d = stored - 1;
    } else if (std::abs(int(la - lb)) >= limit) {
        d = limit;
    } else if (la > 0 && lb > 0) {
        if (a[0] == b[0]) {
            d = distance(a + 1, la - 1, b + 1, lb - 1, limit, memo);
        } else if (la > 1 && lb > 1 && a[0] == b[1] && a[1] == b[0]) {
            d = 1 + distance(a + 2, la - 2, b + 2, lb - 2, limit - 1, memo);
        } else {
            const int x = distance(a + 1, la - 1, b + 1, lb - 1, limit - 1, memo);
            const int y = distance(a + 1, la - 1, b, lb, x, memo);
            const int z = distance(a, la, b + 1, lb - 1, y, memo);
            d = z + 1;
        }
    } else {
        d = int(la + lb);
    }
    if (d >= limit)
        return limit;
    memo.set(la, lb, d + 1);
    return d;
}

} // namespace

qint16 getCharDiff(const QString& String1, const QString& String2, qint16 Limit)
{
    DiffMemo memo(String1.size(), String2.size());
    return qint16(distance(String1.constData(), String1.size(), String2.constData(), String2.size(),
                           Limit, memo));
}

QString FullListNameLabel(const QString& fullPath, int index)
{
    return FileNameOf(fullPath) + QStringLiteral(" (") + QString::number(index) + u')';
}
