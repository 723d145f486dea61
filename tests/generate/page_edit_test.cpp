// Whole-file edits of pages: every occurrence replaced, the head tag found in
// any case, and nothing of a page lost, zero bytes and all.
#include <gtest/gtest.h>

#include <string>

#include "model/ambrel_utilities.h"
#include "tests/generate/scratch_folder.h"
#include "tests/support/test_env.h"

using testenv::Exists;
using testenv::ReadFile;
using testenv::WriteFile;

TEST(ReplaceInFile, ReplacesEveryOccurrenceCaseSensitively)
{
    std::string page = Scratch() + "\\page.html";
    WriteFile(page, "<script>if (window.name) top.window.name='x';</script>\r\n"
                    "<p>Window.Name window.namewindow.name</p>");
    CAmbrelUtilities::ReplaceInFile(page, "window.name", "abc123");
    EXPECT_EQ("<script>if (abc123) top.abc123='x';</script>\r\n<p>Window.Name abc123abc123</p>", ReadFile(page));
}

TEST(ReplaceInFile, InsertedTextIsNotSearchedAgain)
{
    std::string page = Scratch() + "\\p.txt";
    WriteFile(page, "aaaa");
    CAmbrelUtilities::ReplaceInFile(page, "aa", "aaa");
    EXPECT_EQ("aaaaaa", ReadFile(page));
    CAmbrelUtilities::ReplaceInFile(page, "aaa", "");
    EXPECT_EQ("", ReadFile(page));
}

TEST(ReplaceInFile, APageWithoutTheTextIsRewrittenUnchanged)
{
    std::string page = Scratch() + "\\plain.html";
    std::string content = "<html><body>\xe9t\xe9 \x93quoted\x94</body></html>\r\n";
    WriteFile(page, content);
    CAmbrelUtilities::ReplaceInFile(page, "window.name", "abc123");
    EXPECT_EQ(content, ReadFile(page));
}

TEST(ReplaceInFile, NothingAfterAZeroByteIsLost)
{
    std::string page = Scratch() + "\\utf16.html";
    std::string content("<h\0e\0a\0d\0>\0 window.name\0\0tail window.name end", 45);
    WriteFile(page, content);
    CAmbrelUtilities::ReplaceInFile(page, "window.name", "abc123");
    EXPECT_EQ(std::string("<h\0e\0a\0d\0>\0 abc123\0\0tail abc123 end", 35), ReadFile(page));
}

TEST(ReplaceInFile, ALargePageIsEditedWhole)
{
    std::string page = Scratch() + "\\large.html";
    // Occurrences on both sides of every megabyte.
    std::string content, expected;
    size_t count = 0;
    while (content.size() < (3u << 20)) {
        content += "0123456789 window.name ";
        expected += "0123456789 abc123 ";
        ++count;
    }
    WriteFile(page, content);
    CAmbrelUtilities::ReplaceInFile(page, "window.name", "abc123");
    EXPECT_GT(count, 100000u);
    EXPECT_TRUE(ReadFile(page) == expected);
}

TEST(ReplaceInFile, AMissingFileIsNotCreated)
{
    std::string page = Scratch() + "\\missing.html";
    CAmbrelUtilities::ReplaceInFile(page, "a", "b");
    EXPECT_FALSE(Exists(page));
}

TEST(InsertAfterHead, AfterTheFirstHeadTagInItsOwnCase)
{
    std::string dir = Scratch();
    WriteFile(dir + "\\upper.htm", "<HTML><HEAD><TITLE>x</TITLE></HEAD><head>");
    CAmbrelUtilities::InsertAfterHead(dir + "\\upper.htm", "\r\n<meta>\r\n");
    EXPECT_EQ("<HTML><HEAD>\r\n<meta>\r\n<TITLE>x</TITLE></HEAD><head>", ReadFile(dir + "\\upper.htm"));

    WriteFile(dir + "\\lower.html", "<html><head></head></html>");
    CAmbrelUtilities::InsertAfterHead(dir + "\\lower.html", "T");
    EXPECT_EQ("<html><head>T</head></html>", ReadFile(dir + "\\lower.html"));
}

TEST(InsertAfterHead, AHeadTagWithAttributesGetsNothing)
{
    std::string dir = Scratch();
    for (const char* content : {"<html><head lang=\"en\"><title>x</title></head>", "<html><body>no head</body>"}) {
        WriteFile(dir + "\\p.html", content);
        CAmbrelUtilities::InsertAfterHead(dir + "\\p.html", "T");
        EXPECT_EQ(content, ReadFile(dir + "\\p.html"));
    }
}

TEST(InsertAfterHead, AZeroByteBeforeTheHeadTagDoesNotHideIt)
{
    std::string page = Scratch() + "\\z.html";
    WriteFile(page, std::string("\0\0<head>rest\0more", 17));
    CAmbrelUtilities::InsertAfterHead(page, "T");
    EXPECT_EQ(std::string("\0\0<head>Trest\0more", 18), ReadFile(page));
}
