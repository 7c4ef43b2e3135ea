#include "ui/NameLabelFit.h"

#include <QStringList>

#include <algorithm>

namespace {

struct Line {
    qsizetype paragraph = 0;
    qsizetype start = 0; // where the line starts in its paragraph
    QString text;
};

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// A line may end between p[at - 1] and p[at].
bool breakAllowed(QStringView p, qsizetype at)
{
    if (at <= 0 || at >= p.size())
        return false;
    const QChar before = p[at - 1];
    const QChar after = p[at];
    if (after.isLowSurrogate())
        return false;
    return isBlank(before) || isBlank(after) || before == u'_' || before == u'-' || before == u')'
        || before == u']' || after == u'(' || after == u'[';
}

QStringView trimmedRight(QStringView s)
{
    qsizetype n = s.size();
    while (n > 0 && isBlank(s[n - 1]))
        --n;
    return s.first(n);
}

// The largest end (start < end <= p.size()) whose piece p[start, end) still
// fits `width`; at least one character (never half of a surrogate pair), so
// a box narrower than one character still makes progress.
qsizetype longestFit(QStringView p, qsizetype start, int width, const LabelTextMeasure& measure)
{
    qsizetype lo = start + 1; // always taken
    if (lo < p.size() && p[lo].isLowSurrogate())
        ++lo;
    qsizetype hi = p.size();
    if (measure(p.sliced(start, hi - start)) <= width)
        return hi;
    // Invariant: the piece up to lo is taken, the piece up to hi does not fit.
    while (hi - lo > 1) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (measure(p.sliced(start, mid - start)) <= width)
            lo = mid;
        else
            hi = mid;
    }
    if (lo < p.size() && p[lo].isLowSurrogate() && lo - 1 > start)
        --lo;
    return lo;
}

QStringList paragraphsOf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t.split(u'\n');
}

QList<Line> wrap(const QStringList& paragraphs, int width, const LabelTextMeasure& measure)
{
    QList<Line> lines;
    for (qsizetype n = 0; n < paragraphs.size(); ++n) {
        const QStringView p = paragraphs.at(n);
        if (p.isEmpty()) {
            lines.append({n, 0, QString()});
            continue;
        }
        qsizetype pos = 0;
        while (pos < p.size()) {
            const qsizetype end = longestFit(p, pos, width, measure);
            if (end >= p.size()) {
                lines.append({n, pos, p.sliced(pos).toString()});
                break;
            }
            // The last place in the fitting piece where the name may break,
            // provided the line keeps something besides blanks.
            qsizetype cut = end;
            bool atOpportunity = false;
            for (qsizetype at = end; at > pos; --at) {
                if (breakAllowed(p, at) && !trimmedRight(p.sliced(pos, at - pos)).isEmpty()) {
                    cut = at;
                    atOpportunity = true;
                    break;
                }
            }
            QStringView piece = p.sliced(pos, cut - pos);
            if (atOpportunity) {
                piece = trimmedRight(piece);
            } else if (trimmedRight(piece).isEmpty()) {
                // Only blanks fit: they make no line of their own.
                while (pos < p.size() && isBlank(p[pos]))
                    ++pos;
                continue;
            }
            lines.append({n, pos, piece.toString()});
            pos = cut;
            if (atOpportunity) {
                while (pos < p.size() && isBlank(p[pos]))
                    ++pos;
            }
        }
    }
    return lines;
}

// The line that starts at `start` of paragraph `p`, cut at its end so that
// it fits `width` together with the ellipsis.
QString cutLine(QStringView p, qsizetype start, int width, const LabelTextMeasure& measure)
{
    const QString ellipsis{QChar(kNameLabelEllipsis)};
    const QStringView rest = p.sliced(std::min(start, p.size()));
    qsizetype n = rest.size();
    // Lengths only grow the width, so search the longest prefix that fits.
    qsizetype lo = 0;
    qsizetype hi = n;
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo + 1) / 2;
        if (measure(trimmedRight(rest.first(mid)).toString() + ellipsis) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    n = lo;
    if (n > 0 && n < rest.size() && rest[n].isLowSurrogate())
        --n;
    return trimmedRight(rest.first(n)).toString() + ellipsis;
}

} // namespace

NameLabelFit FitNameLabel(const QString& text, int width, int maxLines, const LabelTextMeasure& measure)
{
    const QStringList paragraphs = paragraphsOf(text);
    if (width <= 0 || !measure)
        return {paragraphs.join(u'\n'), int(paragraphs.size()), true};
    maxLines = std::max(1, maxLines);

    const QList<Line> lines = wrap(paragraphs, width, measure);
    NameLabelFit fit;
    QStringList shown;
    if (lines.size() <= maxLines) {
        for (const Line& line : lines)
            shown << line.text;
    } else {
        for (int i = 0; i < maxLines - 1; ++i)
            shown << lines.at(i).text;
        const Line& last = lines.at(maxLines - 1);
        shown << cutLine(paragraphs.at(last.paragraph), last.start, width, measure);
        fit.whole = false;
    }
    fit.text = shown.join(u'\n');
    fit.lines = int(shown.size());
    return fit;
}
