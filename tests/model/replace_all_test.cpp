#include "model/replace_all.h"

#include <gtest/gtest.h>

TEST(ReplaceAll, ReplacesWithoutOverlapLeftToRight)
{
    std::string text = "aaaa";
    EXPECT_EQ(2, ReplaceAll(text, "aa", "b"));
    EXPECT_EQ("bb", text);

    std::string odd = "aaa";
    EXPECT_EQ(1, ReplaceAll(odd, "aa", "b"));
    EXPECT_EQ("ba", odd);
}

TEST(ReplaceAll, InsertedTextIsNotSearchedAgain)
{
    std::string text = "aaaa";
    EXPECT_EQ(2, ReplaceAll(text, "aa", "aaa"));
    EXPECT_EQ("aaaaaa", text);
}

TEST(ReplaceAll, EmptyOldChangesNothing)
{
    std::string text = "abc";
    EXPECT_EQ(0, ReplaceAll(text, "", "x"));
    EXPECT_EQ("abc", text);
}

TEST(ReplaceAll, EmptyNewDeletesEveryOccurrence)
{
    std::string text = "height=\"84%\" a height=\"84%\"";
    EXPECT_EQ(2, ReplaceAll(text, "height=\"84%\"", ""));
    EXPECT_EQ(" a ", text);
}

TEST(ReplaceAll, IsCaseSensitive)
{
    std::string text = "AAaa";
    EXPECT_EQ(1, ReplaceAll(text, "aa", "b"));
    EXPECT_EQ("AAb", text);
}

TEST(ReplaceAll, NoOccurrenceLeavesTextAlone)
{
    std::string text = "window.Name";
    EXPECT_EQ(0, ReplaceAll(text, "window.name", "abc123"));
    EXPECT_EQ("window.Name", text);
}

TEST(ReplaceAll, LengthGrowsByCountTimesDifference)
{
    std::string text = "##s##\\index.html and ##s##";
    const std::string before = text;
    int n = ReplaceAll(text, "##s##", "show-folder");
    EXPECT_EQ(2, n);
    EXPECT_EQ(before.size() + 2 * (std::string("show-folder").size() - 5), text.size());
    EXPECT_EQ("show-folder\\index.html and show-folder", text);
}
