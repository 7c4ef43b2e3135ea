#include "config/Language.h"
#include "library/GameSearch.h"

#include <gtest/gtest.h>

namespace {
const QStringList kSimple = {"Zool", "Turrican", "Apidya", "turbo Outrun", "Lotus", "Super Turrican"};
}

TEST(GameSearch, TypingSearchesFromTwoCharactersIgnoringCase)
{
    setCurrentLanguage(kLanguageEnglish);
    GameSearch s;
    s.setSimpleList(kSimple);
    GameSearch::Change one = s.SearchDblsTxt_Change("t");
    EXPECT_TRUE(one.cleared);
    EXPECT_TRUE(s.SuchErgList().isEmpty());
    GameSearch::Change two = s.SearchDblsTxt_Change("ur");
    ASSERT_TRUE(two.searched);
    EXPECT_EQ(s.SuchErgList(), (QStringList{"Super Turrican", "turbo Outrun", "Turrican"})); // sorted
    EXPECT_EQ(two.selectSimple, 1); // the first match in simple-list order
    EXPECT_EQ(two.caption, QStringLiteral(" Search results (3) "));
    EXPECT_EQ(s.SuchErgList_Click(0), 5);
    EXPECT_TRUE(s.SearchDblsTxt_Change("Search here..").ignored);
    EXPECT_TRUE(s.SearchDblsTxt_Change(" x ").cleared); // only the length test trims
    EXPECT_EQ(s.SearchSimpleList(" Tur", 0), 5);         // leading blank is searched
    EXPECT_EQ(s.SuchErgList(), QStringList{"Super Turrican"});
    EXPECT_EQ(s.SearchSimpleList("zzz", 0), -1);
    EXPECT_TRUE(s.SuchErgList().isEmpty());
}

TEST(GameSearch, F3WalksThroughTheMatches)
{
    GameSearch s;
    s.setSimpleList(kSimple);
    s.SearchDblsTxt_Change("tur");
    int current = 1;
    QList<int> visited;
    for (int i = 0; i < 4; ++i) {
        const GameSearch::KeyOutcome o = s.SearchDblsTxt_KeyDown(GameSearch::Key::F3, false, "tur", current, -1);
        ASSERT_TRUE(o.searched);
        visited.append(o.selectSimple);
        if (o.selectSimple >= 0)
            current = o.selectSimple;
    }
    EXPECT_EQ(visited, (QList<int>{3, 5, -1, -1}));
    EXPECT_FALSE(s.SearchDblsTxt_KeyDown(GameSearch::Key::F3, true, "tur", 1, -1).searched);
    EXPECT_FALSE(s.SearchDblsTxt_KeyDown(GameSearch::Key::F3, false, "", 1, -1).searched);
}

TEST(GameSearch, ArrowsAndEnterMoveIntoTheResults)
{
    GameSearch s;
    s.setSimpleList(kSimple);
    s.SearchDblsTxt_Change("tur");
    using K = GameSearch::Key;
    EXPECT_EQ(s.SearchDblsTxt_KeyDown(K::Down, false, "tur", 0, -1).resultIndex, 0);
    EXPECT_EQ(s.SearchDblsTxt_KeyDown(K::Down, false, "tur", 0, 2).resultIndex, 2); // stays on the last
    EXPECT_TRUE(s.SearchDblsTxt_KeyDown(K::Up, false, "tur", 0, 2).focusResults);
    EXPECT_EQ(s.SearchDblsTxt_KeyDown(K::Up, false, "tur", 0, 2).resultIndex, 1);
    EXPECT_FALSE(s.SearchDblsTxt_KeyDown(K::Up, false, "tur", 0, 0).focusResults);
    const GameSearch::KeyOutcome enter = s.SearchDblsTxt_KeyDown(K::Enter, false, "tur", 0, 2);
    EXPECT_TRUE(enter.focusResults);
    EXPECT_EQ(enter.resultIndex, 0);
    s.SearchDblsTxt_Change("q");
    EXPECT_FALSE(s.SearchDblsTxt_KeyDown(K::Down, false, "q", 0, -1).focusResults);
}

TEST(GameSearch, PlaceholdersAndCaptionsFollowTheLanguage)
{
    setCurrentLanguage(kLanguageGerman);
    EXPECT_EQ(GameSearch::SearchDblsTxt_LostFocus(""), QStringLiteral("Suche.."));
    EXPECT_EQ(GameSearch::SearchDblsTxt_LostFocus("abc"), QStringLiteral("abc"));
    EXPECT_EQ(GameSearch::SearchDblsTxt_GotFocus("Suche.."), QString());
    EXPECT_EQ(GameSearch::SearchResultsCaption(4), QStringLiteral(" Suchergebnisse (4) "));
    EXPECT_EQ(GameSearch::SearchResultsTabCaption(4), QStringLiteral(" Suchergebnisse (4) "));
    setCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(GameSearch::SearchDblsTxt_LostFocus(""), QStringLiteral("Search here.."));
    EXPECT_EQ(GameSearch::SearchDblsTxt_GotFocus("Search here.."), QString());
    EXPECT_EQ(GameSearch::SearchResultsTabCaption(4), QStringLiteral(" Search results: (4) "));
}
