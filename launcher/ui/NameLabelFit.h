#pragma once
// Fitting the name label's text (the selected game's display name, or an
// emulator's name with its game count) into the label's box.
//
// The text is broken into lines where a name allows it: after a blank, "_",
// "-", ")" or "]", or before "(" or "[". A word longer than the box is broken
// between two characters. Breaking never drops a character; only the blanks
// at a break are left out. Line breaks already in the text (LF, CR or CR LF)
// are kept. When the box holds fewer lines than the text needs, the last line
// it holds is cut at its end and ends in an ellipsis, so what is shown is
// always the whole text or a beginning of it.
//
// Widths come from `measure` (the label's font metrics in the window; a
// character count in tests). Pure function; any thread.
#include <QString>
#include <QStringView>

#include <functional>

using LabelTextMeasure = std::function<int(QStringView)>;

// Marks the end of a text that was cut.
inline constexpr char16_t kNameLabelEllipsis = u'\u2026';

struct NameLabelFit {
    QString text;      // the lines, joined by '\n'
    int lines = 0;     // number of lines in `text`
    bool whole = true; // false when the end of the text was cut off
};

// Fits `text` into lines of at most `width` pixels, at most `maxLines` of
// them (at least one). A width of 0 or less means the box has no size yet:
// the text is returned unchanged apart from its line ends.
NameLabelFit FitNameLabel(const QString& text, int width, int maxLines, const LabelTextMeasure& measure);
