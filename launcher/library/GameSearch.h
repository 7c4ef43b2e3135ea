#pragma once
// GameSearch: the search box (`SearchDblsTxt`) over the simple list and its
// results (`SuchErgList`, kept in list collation order).
// The window forwards the box's events and applies the outcome:
//   - text changed -> SearchDblsTxt_Change: when `searched`, show SuchErgList()
//     in place of the favourites list, select `selectSimple` in the simple list
//     (when >= 0) and set the results tab to `caption`; when `cleared`, clear
//     the results list;
//   - got/lost focus -> the box text to show (placeholder handling);
//   - keys -> SearchDblsTxt_KeyDown (F3, arrows, Enter);
//   - a click on result r -> SuchErgList_Click(r): the simple-list index to select.
// Call setSimpleList after every BuildSimpleList. UI thread.
#include <QList>
#include <QString>
#include <QStringList>

class GameSearch {
public:
    void setSimpleList(const QStringList& simpleList);

    // Fills SuchErgList with the simple-list entries from `start` on that
    // contain `text` (upper-cased, not trimmed); returns the index of the
    // first such entry in the simple list, -1 when none.
    int SearchSimpleList(const QString& text, int start);
    const QStringList& SuchErgList() const { return m_results; }

    // "Suche.." (German) or "Search here..".
    static QString placeholderText();
    static bool isPlaceholder(const QString& text);
    // Got focus clears a placeholder; lost focus puts it back into an empty box.
    static QString SearchDblsTxt_GotFocus(const QString& text);
    static QString SearchDblsTxt_LostFocus(const QString& text);

    struct Change {
        bool ignored = false;  // the text is a placeholder
        bool cleared = false;  // fewer than 2 characters: results cleared
        bool searched = false;
        int selectSimple = -1;
        QString caption;       // results tab caption after a search
    };
    Change SearchDblsTxt_Change(const QString& text);

    enum class Key { F3, Down, Up, Enter, Other };
    struct KeyOutcome {
        bool searched = false;      // F3: results rebuilt, select `selectSimple`
        int selectSimple = -1;
        bool focusResults = false;  // give SuchErgList the focus, selecting `resultIndex`
        int resultIndex = -1;
    };
    // `currentSimple`: the simple list's selection; `currentResult`: the results list's.
    KeyOutcome SearchDblsTxt_KeyDown(Key key, bool shift, const QString& text, int currentSimple,
                                     int currentResult);

    // The first simple-list entry equal to result r, -1 when none.
    int SuchErgList_Click(int r) const;

    // Label4 after typing: " Suchergebnisse (n) " / " Search results (n) ".
    static QString SearchResultsCaption(int n);
    // The results tab clicked (`SuchErg`): " Suchergebnisse (n) " / " Search results: (n) ".
    static QString SearchResultsTabCaption(int n);

private:
    void prepare(); // the upper-cased copy and the collation order, once per list

    QStringList m_simple;
    bool m_prepared = false;
    QStringList m_upper;        // upper-cased simple list
    QList<int> m_sortedOrder;   // simple-list indexes in list collation order
    QStringList m_results;
};
