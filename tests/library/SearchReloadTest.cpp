// The search works on the simple list it was last given: a list handed over
// again and again, or replaced before any search, never leaves results or
// their order from an earlier list.
#include "library/GameSearch.h"

#include <gtest/gtest.h>

TEST(SearchReload, SearchesTheListLastGivenInCollationOrder)
{
    GameSearch search;
    search.setSimpleList({"Zool", "alien breed", "Lotus"});
    search.setSimpleList({"Turrican", "Lotus III", "lotus II", "Elite"}); // replaced before any search
    EXPECT_EQ(search.SearchSimpleList(QStringLiteral("lot"), 0), 1);
    EXPECT_EQ(search.SuchErgList(), (QStringList{"lotus II", "Lotus III"}));

    search.setSimpleList({"Lotus Turbo", "Alien"}); // replaced after a search
    EXPECT_TRUE(search.SuchErgList().isEmpty());
    EXPECT_EQ(search.SearchSimpleList(QStringLiteral("AL"), 0), 1);
    EXPECT_EQ(search.SuchErgList(), QStringList{"Alien"});
    EXPECT_EQ(search.SearchSimpleList(QStringLiteral("lot"), 1), -1);
    EXPECT_EQ(search.SuchErgList_Click(0), -1); // nothing found, nothing to click
}
