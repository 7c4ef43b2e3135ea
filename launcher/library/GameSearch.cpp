#include "library/GameSearch.h"

#include "config/Language.h"

#include <algorithm>
#include <numeric>
#include <vector>

void GameSearch::setSimpleList(const QStringList& simpleList)
{
    // The search copies are made at the first search: a list that is loaded
    // and replaced without being searched (an emulator switch) costs nothing.
    m_simple = simpleList;
    m_upper.clear();
    m_sortedOrder.clear();
    m_prepared = false;
    m_results.clear();
}

void GameSearch::prepare()
{
    m_prepared = true;
    m_upper.reserve(m_simple.size());
    std::vector<QString> folded;
    folded.reserve(size_t(m_simple.size()));
    for (const QString& s : std::as_const(m_simple)) {
        m_upper.append(s.toUpper());
        folded.push_back(s.toCaseFolded());
    }
    m_sortedOrder.resize(m_simple.size());
    std::iota(m_sortedOrder.begin(), m_sortedOrder.end(), 0);
    std::stable_sort(m_sortedOrder.begin(), m_sortedOrder.end(), [&](int a, int b) {
        const int c = QString::compare(folded[size_t(a)], folded[size_t(b)], Qt::CaseSensitive);
        return c != 0 ? c < 0 : m_simple.at(a) < m_simple.at(b);
    });
}

int GameSearch::SearchSimpleList(const QString& text, int start)
{
    m_results.clear();
    if (text.trimmed().isEmpty())
        return -1;
    if (!m_prepared)
        prepare();
    const QString needle = text.toUpper();
    const int from = std::max(0, start);
    int first = -1;
    // Walking the simple list in collation order yields the results already sorted.
    for (const int i : std::as_const(m_sortedOrder)) {
        if (i < from || !m_upper.at(i).contains(needle))
            continue;
        m_results.append(m_simple.at(i));
        if (first < 0 || i < first)
            first = i;
    }
    return first;
}

QString GameSearch::placeholderText()
{
    return Msg(QStringLiteral("Suche.."), QStringLiteral("Search here.."));
}

bool GameSearch::isPlaceholder(const QString& text)
{
    return text == QLatin1String("Suche..") || text == QLatin1String("Search here..");
}

QString GameSearch::SearchDblsTxt_GotFocus(const QString& text)
{
    return isPlaceholder(text) ? QString() : text;
}

QString GameSearch::SearchDblsTxt_LostFocus(const QString& text)
{
    return text.isEmpty() ? placeholderText() : text;
}

GameSearch::Change GameSearch::SearchDblsTxt_Change(const QString& text)
{
    Change c;
    if (isPlaceholder(text)) {
        c.ignored = true;
        return c;
    }
    if (text.trimmed().size() < 2) {
        m_results.clear();
        c.cleared = true;
        return c;
    }
    c.searched = true;
    c.selectSimple = SearchSimpleList(text, 0);
    c.caption = SearchResultsCaption(int(m_results.size()));
    return c;
}

GameSearch::KeyOutcome GameSearch::SearchDblsTxt_KeyDown(Key key, bool shift, const QString& text,
                                                         int currentSimple, int currentResult)
{
    KeyOutcome o;
    if (text.isEmpty() || isPlaceholder(text))
        return o;
    const int count = int(m_results.size());
    switch (key) {
    case Key::F3:
        if (!shift) {
            o.searched = true;
            o.selectSimple = SearchSimpleList(text, currentSimple + 1);
        }
        break;
    case Key::Down:
        if (count > 0) {
            o.focusResults = true;
            o.resultIndex = std::clamp(currentResult + 1, 0, count - 1);
        }
        break;
    case Key::Up:
        if (currentResult > 0 && currentResult < count) {
            o.focusResults = true;
            o.resultIndex = currentResult - 1;
        }
        break;
    case Key::Enter:
        o.focusResults = true;
        o.resultIndex = count > 0 ? 0 : -1;
        break;
    case Key::Other:
        break;
    }
    return o;
}

int GameSearch::SuchErgList_Click(int r) const
{
    if (r < 0 || r >= m_results.size())
        return -1;
    return int(m_simple.indexOf(m_results.at(r)));
}

QString GameSearch::SearchResultsCaption(int n)
{
    return Msg(QStringLiteral(" Suchergebnisse ("), QStringLiteral(" Search results (")) + QString::number(n)
        + QStringLiteral(") ");
}

QString GameSearch::SearchResultsTabCaption(int n)
{
    return Msg(QStringLiteral(" Suchergebnisse ("), QStringLiteral(" Search results: (")) + QString::number(n)
        + QStringLiteral(") ");
}
