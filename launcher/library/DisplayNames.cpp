#include "library/DisplayNames.h"

#include "launch/PathOps.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

QString CutShortName(const QString& FullPath, const QString& TrennZ, bool ErstAbDemZweitenAbschneiden)
{
    const QString name = FileNameOf(StripEnclosingQuotes(FullPath));
    if (name.size() < 5)
        return FullPath.trimmed();
    const qsizetype first = name.indexOf(TrennZ);
    const qsizetype second = first >= 0 ? name.indexOf(TrennZ, first + 1) : -1;
    QString result;
    if (first + 1 < 5) {
        qsizetype keep = name.size() - 4; // "." and a three-letter extension
        // Never keep half of a character above U+FFFF.
        if (keep > 0 && name.at(keep - 1).isHighSurrogate())
            --keep;
        result = name.left(keep);
    }
    else if (ErstAbDemZweitenAbschneiden && second >= 0)
        result = name.left(second + TrennZ.size());
    else
        result = name.left(first + TrennZ.size());
    return result.trimmed();
}

qint16 getCharDiff(const QString& String1, const QString& String2, qint16 Limit)
{
    // The edit distance with swaps of two neighbours counting as one edit
    // (optimal string alignment), capped at Limit. Worked out row by row over
    // the band of cells that can stay below the cap: linear in the length for
    // the small limits of the disk selection, and no recursion however long
    // the names are.
    const int cap = Limit;
    const qsizetype la = String1.size();
    const qsizetype lb = String2.size();
    if (std::abs(la - lb) >= cap)
        return Limit;
    const QChar* a = String1.constData();
    const QChar* b = String2.constData();
    std::vector<int> before(size_t(lb + 1), cap), previous(size_t(lb + 1)), current(size_t(lb + 1), cap);
    for (qsizetype j = 0; j <= lb; ++j)
        previous[size_t(j)] = int(std::min<qsizetype>(j, cap));
    for (qsizetype i = 1; i <= la; ++i) {
        const qsizetype lo = std::max<qsizetype>(1, i - cap);
        const qsizetype hi = std::min<qsizetype>(lb, i + cap);
        current[0] = int(std::min<qsizetype>(i, cap));
        if (lo > 1)
            current[size_t(lo - 1)] = cap;
        for (qsizetype j = lo; j <= hi; ++j) {
            int d = previous[size_t(j - 1)] + (a[i - 1] == b[j - 1] ? 0 : 1);
            d = std::min({d, previous[size_t(j)] + 1, current[size_t(j - 1)] + 1});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, before[size_t(j - 2)] + 1);
            current[size_t(j)] = std::min(d, cap);
        }
        if (hi < lb)
            current[size_t(hi + 1)] = cap;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return qint16(std::min(previous[size_t(lb)], cap));
}

QString FullListNameLabel(const QString& fullPath, int index)
{
    return FileNameOf(fullPath) + QStringLiteral(" (") + QString::number(index) + u')';
}
