// The colours of the focus marks, derived from a skin's two colours.
#include "ui/FocusStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(FocusColours, ContrastRatioRunsFromEqualToBlackOnWhite)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(Qt::white, Qt::white), 1.0);
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_DOUBLE_EQ(ContrastRatio(QColor("#0052bc"), Qt::white), ContrastRatio(Qt::white, QColor("#0052bc")));
}

TEST(FocusColours, MarksStandOutInEverySkin)
{
    struct Row {
        const char* name;
        const char* back;
        const char* font;
        const char* ring; // expected ring colour
    } rows[] = {
        {"built-in look", "#0052bc", "#ffffff", "#ffffff"},
        {"Amiga demo skin", "#1c2a4a", "#ffb347", "#ffb347"},
        {"C64 demo skin", "#352879", "#b4aaff", "#b4aaff"},
        {"dark text on light", "#f0f0f0", "#202020", "#202020"},
        // Skins whose colours are too alike for text: black or white instead.
        {"both the same blue", "#0052bc", "#0052bc", "#ffffff"},
        {"light grey on white", "#ffffff", "#dddddd", "#000000"},
        {"both black", "#000000", "#000000", "#ffffff"},
    };
    for (const Row& r : rows) {
        const QColor back(r.back);
        const FocusColours c = FocusColoursFor(back, QColor(r.font));
        EXPECT_EQ(c.ring.name(), QString::fromLatin1(r.ring)) << r.name;
        EXPECT_EQ(c.base, back) << r.name;
        EXPECT_EQ(c.ringEdge, back) << r.name;
        // The focused list's selection is as strong as the skin allows ...
        EXPECT_EQ(c.selected, c.ring) << r.name;
        EXPECT_GE(ContrastRatio(c.selected, back), 3.0) << r.name;
        EXPECT_GE(ContrastRatio(c.selected, c.selectedText), 3.0) << r.name;
        // ... an unfocused list's is visible but clearly weaker ...
        const double dimmed = ContrastRatio(c.dimmed, back);
        EXPECT_GT(dimmed, 1.1) << r.name;
        EXPECT_LT(dimmed, ContrastRatio(c.selected, back) / 1.5) << r.name;
        // ... and its text still reads on it.
        EXPECT_GE(ContrastRatio(c.dimmedText, c.dimmed), 1.8) << r.name;
    }
}

} // namespace
