// The texts the entry dialogs derive from what the user chose or typed: the
// title a file brings, and a live address made usable by the browser.
#include <gtest/gtest.h>

#include "pages/derived_title.h"
#include "pages/live_address.h"

TEST(DerivedTitle, IsTheFileNameWithoutItsLastExtension)
{
    EXPECT_EQ("a", DerivedTitle("C:\\a.pdf"));
    EXPECT_EQ("Annual Report", DerivedTitle("C:\\My Documents\\Annual Report.html"));
    EXPECT_EQ("report.final", DerivedTitle("C:\\docs\\report.final.pdf"));
    EXPECT_EQ("holiday", DerivedTitle("holiday.jpg"));
}

TEST(DerivedTitle, IsEmptyWithoutADotInTheFileName)
{
    EXPECT_EQ("", DerivedTitle("C:\\docs\\README"));
    // The only dot lies in a folder name.
    EXPECT_EQ("", DerivedTitle("C:\\my.docs\\README"));
    // A name that is all extension.
    EXPECT_EQ("", DerivedTitle("C:\\docs\\.pdf"));
    EXPECT_EQ("", DerivedTitle(""));
    EXPECT_EQ("", DerivedTitle("C:\\docs\\"));
}

TEST(LiveAddress, WwwInAnyCaseGetsTheWebSchemeAndKeepsItsCase)
{
    EXPECT_EQ("http://WWW.Example.com", CompleteLiveAddress("WWW.Example.com"));
    EXPECT_EQ("http://www.example.com/a?b=c", CompleteLiveAddress("www.example.com/a?b=c"));
    EXPECT_EQ("http://wWw.x", CompleteLiveAddress("wWw.x"));
    EXPECT_EQ("http://www.", CompleteLiveAddress("www."));
}

TEST(LiveAddress, AnythingElseStaysAsTyped)
{
    EXPECT_EQ("ftp://x", CompleteLiveAddress("ftp://x"));
    EXPECT_EQ("http://www.example.com", CompleteLiveAddress("http://www.example.com"));
    EXPECT_EQ("wwwexample.com", CompleteLiveAddress("wwwexample.com"));
    EXPECT_EQ("example.com", CompleteLiveAddress("example.com"));
    EXPECT_EQ("www", CompleteLiveAddress("www"));
    // No trimming: a blank in front hides the "www.".
    EXPECT_EQ(" www.example.com", CompleteLiveAddress(" www.example.com"));
    EXPECT_EQ("", CompleteLiveAddress(""));
}
