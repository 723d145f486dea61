// Names inside a cabinet: what a file on disk is stored as, which files a
// pattern selects, and which stored names extraction refuses.
#include "arch/stored_name.h"

#include <gtest/gtest.h>

#include "arch/path_text.h"

using arch::ExtractionParts;
using arch::MatchesPattern;
using arch::StoredNameFor;

TEST(StoredName, RelativeToThePrefixWithoutItsDrive)
{
    // The program's prefix has no drive while the files have one.
    EXPECT_EQ(StoredNameFor(R"(c:\documents\ambrel\temp\show\index.html)", R"(documents\ambrel\temp\)", true),
              R"(show\index.html)");
    EXPECT_EQ(StoredNameFor(R"(c:\documents\ambrel\temp\show\resources\left.html)", R"(documents\ambrel\temp\)", true),
              R"(show\resources\left.html)");
    // A data folder that is a bare drive gives the prefix ambrel\temp\.
    EXPECT_EQ(StoredNameFor(R"(c:\ambrel\temp\show\index.html)", R"(ambrel\temp\)", true), R"(show\index.html)");
}

TEST(StoredName, PrefixComparedWithoutRegardToCase)
{
    EXPECT_EQ(StoredNameFor(R"(C:\Documents\Ambrel\TEMP\Show\Index.html)", R"(documents\ambrel\temp\)", true),
              R"(Show\Index.html)");
    // A drive on the prefix, or none on the path, changes nothing.
    EXPECT_EQ(StoredNameFor(R"(\docs\show\a.txt)", R"(D:\DOCS\)", true), R"(show\a.txt)");
    // Forward slashes (POSIX paths) are separators too.
    EXPECT_EQ(StoredNameFor("/tmp/work/show/a b.txt", "tmp/work/", true), R"(show\a b.txt)");
}

TEST(StoredName, PrefixMatchesWholePartsOnly)
{
    // "temp" is not a prefix of "temporary".
    EXPECT_EQ(StoredNameFor(R"(c:\d\temporary\a.txt)", R"(d\temp\)", true), R"(d\temporary\a.txt)");
    // A prefix that is not there leaves the path without drive.
    EXPECT_EQ(StoredNameFor(R"(c:\other\show\a.txt)", R"(documents\ambrel\temp\)", true), R"(other\show\a.txt)");
    // A prefix naming the file itself would leave nothing: not stripped.
    EXPECT_EQ(StoredNameFor(R"(c:\d\a.txt)", R"(d\a.txt)", true), R"(d\a.txt)");
}

TEST(StoredName, WithoutKeepingPathsOnlyTheFileName)
{
    EXPECT_EQ(StoredNameFor(R"(c:\documents\ambrel\temp\show\resources\left.html)", "", false), "left.html");
}

TEST(StoredName, DotPartsOfGivenPathsAreResolved)
{
    EXPECT_EQ(StoredNameFor(R"(c:\a\.\b\..\c\f.txt)", "", true), R"(a\c\f.txt)");
    EXPECT_EQ(StoredNameFor(R"(..\..\f.txt)", "", true), "f.txt");
}

TEST(FilePattern, WindowsWildcards)
{
    EXPECT_TRUE(MatchesPattern("*.*", "index.html"));
    EXPECT_TRUE(MatchesPattern("*.*", "README")); // "*.*" matches names without a dot
    EXPECT_TRUE(MatchesPattern("*", ".hidden"));
    EXPECT_TRUE(MatchesPattern("*.HTML", "left.html"));
    EXPECT_TRUE(MatchesPattern("l?ft.*", "Left.htm"));
    EXPECT_TRUE(MatchesPattern("*a*b*c", "xxaxxbxxbxc"));
    EXPECT_FALSE(MatchesPattern("*.html", "left.htm"));
    EXPECT_FALSE(MatchesPattern("?", "ab"));
    EXPECT_FALSE(MatchesPattern("a*.txt", "b.txt"));
}

TEST(ExtractionName, PlainNamesBecomeParts)
{
    std::vector<std::string> parts;
    std::string reason;
    ASSERT_TRUE(ExtractionParts(R"(show\resources\left.html)", parts, reason));
    EXPECT_EQ(parts, (std::vector<std::string>{"show", "resources", "left.html"}));
    ASSERT_TRUE(ExtractionParts("a/./b\\\\c.txt", parts, reason));
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "b", "c.txt"}));
    ASSERT_TRUE(ExtractionParts("..a\\b..c\\c. d", parts, reason)); // dots inside names are fine
    EXPECT_EQ(parts, (std::vector<std::string>{"..a", "b..c", "c. d"}));
}

TEST(ExtractionName, NamesThatLeaveTheFolderAreRefused)
{
    const char* const refused[] = {R"(..\evil.txt)", R"(a\..\..\evil.txt)", "a/../b", "..", R"(\abs.txt)", "/abs.txt",
                                   R"(\\server\share\x)", R"(c:\evil.txt)", "c:evil.txt", "a\\b:stream", R"(...\x)",
                                   "a\\ . \\b", "", "\\", ".", "con", "a\\NUL.txt", "lpt1", "x\x01y",
                                   // Windows would write these under another name (trailing dots and
                                   // blanks fall off) or not as files at all.
                                   "a\\b..\\c", "name. ", "COM0.log", "a|b", "what?"};
    for (const char* name : refused) {
        std::vector<std::string> parts;
        std::string reason;
        EXPECT_FALSE(ExtractionParts(name, parts, reason)) << name;
        EXPECT_FALSE(reason.empty()) << name;
    }
}
