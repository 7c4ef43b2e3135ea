// Fitting the name label's text into its box, measured in characters (ten
// pixels each, counted in code points so that a surrogate pair is one).
#include "ui/NameLabelFit.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

int tenPerCharacter(QStringView text)
{
    int widest = 0;
    for (QStringView line : text.split(u'\n'))
        widest = std::max(widest, int(line.toUcs4().size()) * 10);
    return widest;
}

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Empty when `fit` shows `original` whole, or a beginning of it ended by the
// ellipsis, with characters left out only as blanks at a line break;
// otherwise what went wrong.
std::string gapIn(QString original, const NameLabelFit& fit)
{
    original.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QString& shown = fit.text;
    qsizetype i = 0;
    for (qsizetype j = 0; j < shown.size(); ++j) {
        const QChar c = shown[j];
        if (c == QChar(kNameLabelEllipsis) && j == shown.size() - 1) {
            if (fit.whole)
                return "ellipsis on a whole text";
            if (i >= original.size())
                return "ellipsis after the whole text";
            return {};
        }
        if (c == u'\n') {
            if (i < original.size() && original[i] == u'\n') {
                ++i;
                continue;
            }
            while (i < original.size() && isBlank(original[i]))
                ++i;
            if (i >= original.size())
                return "break after the end";
            continue;
        }
        // Blanks that alone would fill a line make none.
        if ((j == 0 || shown[j - 1] == u'\n') && !isBlank(c)) {
            while (i < original.size() && isBlank(original[i]))
                ++i;
        }
        if (i >= original.size() || original[i] != c)
            return "character " + std::to_string(i) + " missing or changed in '" + shown.toStdString() + "'";
        ++i;
    }
    // Blanks at the very end may go with the last break.
    while (i < original.size() && isBlank(original[i]))
        ++i;
    if (i != original.size())
        return "text ends early without an ellipsis: '" + shown.toStdString() + "'";
    if (!fit.whole)
        return "cut reported for a whole text";
    return {};
}

TEST(NameLabelFit, BreaksWhereANameAllowsAndCutsOnlyAtTheEnd)
{
    struct Row {
        const char* text;
        int width;
        int maxLines;
        const char* shown;
        bool whole;
    } rows[] = {
        {"1942 (1984)(Capcom)", 300, 2, "1942 (1984)(Capcom)", true},
        // The narrow box that used to show "1942 (19" / "4)(Capcom)".
        {"1942 (1984)(Capcom)", 150, 2, "1942 (1984)\n(Capcom)", true},
        {"1942 (1984)(Capcom)", 100, 3, "1942\n(1984)\n(Capcom)", true},
        {"1942 (1984)(Capcom)", 100, 2, "1942\n(1984)(Ca\u2026", false},
        {"1942 (1984)(Capcom)", 100, 1, "1942 (198\u2026", false},
        // No place to break: between two characters, none of them lost.
        {"Supercalifragilistic", 100, 2, "Supercalif\nragilistic", true},
        {"Pac-Man_Deluxe", 50, 4, "Pac-\nMan_\nDelux\ne", true},
        {"Out Run   (1986)", 100, 2, "Out Run\n(1986)", true},
        // Line breaks in the text stay; a box of one line cuts after the first.
        {"Arcade\r\n (Roms: 9)", 200, 2, "Arcade\n (Roms: 9)", true},
        {"Arcade\r (Roms: 9)", 200, 1, "Arcade\u2026", false},
        // No size yet: unchanged apart from the line ends.
        {"Arcade\r\n (Roms: 9)", 0, 1, "Arcade\n (Roms: 9)", true},
        {"", 100, 2, "", true},
    };
    for (const Row& r : rows) {
        const NameLabelFit fit = FitNameLabel(QString::fromUtf8(r.text), r.width, r.maxLines, tenPerCharacter);
        EXPECT_EQ(fit.text, QString::fromUtf8(r.shown)) << r.text << " in " << r.width << " x " << r.maxLines;
        EXPECT_EQ(fit.whole, r.whole) << r.text << " in " << r.width << " x " << r.maxLines;
        EXPECT_EQ(fit.lines, int(fit.text.count(u'\n')) + 1) << r.text;
    }
}

TEST(NameLabelFit, EveryBoxShowsTheWholeNameOrItsBeginningWithinItsLines)
{
    const QStringList names = {
        "1942 (1984)(Capcom)",
        "Turrican II (1991)(Rainbow Arts)(Disk 1 of 2)[cr]",
        "Street Fighter II - The World Warrior (1991)(Capcom)",
        "Arcade\n (Roms: 12)",
        "abcdefghijklmnopqrstuvwxyz",
        "Gr\u00fc\u00dfe \U0001F600\U0001F600\U0001F600 (2001)_[a]",
        "  leading and trailing blanks  ",
    };
    for (const QString& name : names) {
        for (int width = 10; width <= 400; width += 7) {
            for (int maxLines = 1; maxLines <= 4; ++maxLines) {
                const NameLabelFit fit = FitNameLabel(name, width, maxLines, tenPerCharacter);
                const std::string where = name.toStdString() + " in " + std::to_string(width) + " x "
                    + std::to_string(maxLines);
                EXPECT_EQ(gapIn(name, fit), "") << where;
                const QStringList lines = fit.text.split(u'\n');
                EXPECT_LE(lines.size(), maxLines) << where;
                EXPECT_EQ(fit.lines, lines.size()) << where;
                for (const QString& line : lines) {
                    // Only a box narrower than two characters may hold a wider line.
                    if (width >= 20) {
                        EXPECT_LE(tenPerCharacter(line), width) << where << ": " << line.toStdString();
                    }
                    if (!line.isEmpty()) {
                        EXPECT_FALSE(line.front().isLowSurrogate()) << where;
                        EXPECT_FALSE(line.back().isHighSurrogate()) << where;
                    }
                }
                // A box with room for the whole name in one line shows it so.
                if (!name.contains(u'\n') && tenPerCharacter(name) <= width) {
                    EXPECT_EQ(fit.text, name) << where;
                }
            }
        }
    }
}

} // namespace
