// What a generation derives without touching a file: the package's names,
// each entry's names and number, the thumbnail list, the transition tags and
// the insertion after a page's head tag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generate/entry_plan.h"
#include "generate/page_text.h"
#include "model/ambrel_utilities.h"
#include "model/package_names.h"
#include "tests/generate/list_entries.h"
#include "tests/support/windows_path_model.h"

using listentries::AddEntry;

namespace {
std::vector<std::string> Items(const CStringList& list) { return std::vector<std::string>(list.begin(), list.end()); }
} // namespace

TEST(PackageNames, TheFolderIsTheFileNameWithoutItsEnding)
{
    PackageNames n;
    ASSERT_TRUE(DerivePackageNames("c:\\documents\\Summer Show.ambd", n));
    EXPECT_EQ("c:\\documents\\Summer Show.ambd", n.outputPath);
    EXPECT_EQ("Summer Show.ambd", n.outputFileName);
    EXPECT_EQ("Summer Show", n.packageName);
    EXPECT_EQ("Summer Show", n.baseName);

    ASSERT_TRUE(DerivePackageNames("c:\\d\\v1.2.AMBD", n));
    EXPECT_EQ("c:\\d\\v1.2.AMBD", n.outputPath);
    EXPECT_EQ("v1.2", n.packageName);
    EXPECT_EQ("v1.2", n.baseName);
}

TEST(PackageNames, ANameWithoutTheEndingGetsIt)
{
    PackageNames n;
    ASSERT_TRUE(DerivePackageNames("c:\\d\\show", n));
    EXPECT_EQ("c:\\d\\show.ambd", n.outputPath);
    EXPECT_EQ("show", n.packageName);
    EXPECT_EQ("show", n.baseName);

    // Another ending stays part of the name, and the opened page still lies
    // in the folder just built.
    ASSERT_TRUE(DerivePackageNames("c:\\d\\notes.txt", n));
    EXPECT_EQ("c:\\d\\notes.txt.ambd", n.outputPath);
    EXPECT_EQ("notes.txt", n.packageName);
    EXPECT_EQ(n.packageName, n.baseName);

    // Five characters or fewer no longer empty the name.
    ASSERT_TRUE(DerivePackageNames("c:\\d\\a", n));
    EXPECT_EQ("a", n.packageName);
    ASSERT_TRUE(DerivePackageNames("abcde", n));
    EXPECT_EQ("abcde.ambd", n.outputPath);
    EXPECT_EQ("abcde", n.packageName);
}

TEST(PackageNames, NamesThatGiveNoFolderOfTheirOwnAreRefused)
{
    PackageNames n;
    for (const char* path :
         {"c:\\d\\.ambd", "c:\\d\\", "", "c:\\d\\..ambd", "c:\\d\\...ambd", "c:\\d\\ .ambd", "c:\\d\\. . .ambd",
          "c:\\d\\a/../b.ambd", "c:\\d\\c:x.ambd", "c:\\d\\a*b.ambd", "c:\\d\\a\tb.ambd", "c:\\d\\CON.ambd",
          "c:\\d\\lpt1.txt.ambd", "c:\\d\\show .ambd", "c:\\d\\show..ambd", "c:\\d\\a:stream.ambd"})
        EXPECT_FALSE(DerivePackageNames(path, n)) << path;
    EXPECT_TRUE(DerivePackageNames("c:\\d\\.hidden.ambd", n));
    EXPECT_EQ(".hidden", n.packageName);
}

TEST(EntryNames, PhotoPagesAndResourceFolders)
{
    EXPECT_TRUE(IsPhotoPath("c:\\pics\\beach.jpg"));
    EXPECT_TRUE(IsPhotoPath("c:\\pics\\tree.jpeg"));
    EXPECT_FALSE(IsPhotoPath("c:\\pics\\xjpg"));
    EXPECT_FALSE(IsPhotoPath("c:\\pics\\a.jpe"));
    EXPECT_EQ("beach.html", PhotoPageName("c:\\pics\\beach.jpg"));
    EXPECT_EQ("my.trip.html", PhotoPageName("c:\\pics.old\\my.trip.jpeg"));
    EXPECT_EQ("Report.HTM", SourceFileName("c:\\web\\Report.HTM"));
    EXPECT_EQ("x.pdf", SourceFileName("x.pdf"));
    EXPECT_EQ("c:\\web\\report_files", WebPageResourceFolder("c:\\web\\report.htm"));
    EXPECT_EQ("c:\\a.b\\page_files", WebPageResourceFolder("c:\\a.b\\page.html"));
    EXPECT_TRUE(IsWebPagePath("x.htm"));
    EXPECT_TRUE(IsWebPagePath("x.html"));
    EXPECT_FALSE(IsWebPagePath("x.mht"));
    EXPECT_TRUE(IsWebArchivePath("x.mht"));
    EXPECT_FALSE(IsWebArchivePath("x.mhtml"));
}

TEST(EntryPlan, KindsAddressesAndNumbers)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "Report", "C:\\Docs\\Report.HTM", "");
    AddEntry(u, "Pictures", "", "", "");
    AddEntry(u, "", "Sunset", "C:\\Pics\\Beach.JPG", "");
    AddEntry(u, "", "Live", "", "http://Example.com/A");
    std::vector<PlannedEntry> plan = PlanEntries(u);
    ASSERT_EQ(4u, plan.size());

    EXPECT_EQ(EntryKind::FileEntry, plan[0].kind);
    EXPECT_EQ("c:\\docs\\report.htm", plan[0].lowerPath);
    EXPECT_EQ("Report.HTM", plan[0].address);
    EXPECT_EQ("resources/Report.HTM", StartAddress(plan[0]));
    EXPECT_EQ(1u, plan[0].number);

    EXPECT_EQ(EntryKind::GroupHeader, plan[1].kind);
    EXPECT_EQ("Pictures", plan[1].group);
    EXPECT_EQ(0u, plan[1].number);

    EXPECT_TRUE(plan[2].photo);
    EXPECT_EQ("Beach.JPG", plan[2].sourceFileName);
    EXPECT_EQ("beach.html", plan[2].address);
    EXPECT_EQ("resources/beach.html", StartAddress(plan[2]));
    EXPECT_EQ(2u, plan[2].number);

    EXPECT_EQ(EntryKind::LiveUrlEntry, plan[3].kind);
    EXPECT_EQ("", plan[3].lowerPath);
    EXPECT_EQ("http://Example.com/A", plan[3].address);
    EXPECT_EQ("http://Example.com/A", StartAddress(plan[3]));
    EXPECT_EQ(3u, plan[3].number);
}

TEST(EntryPlan, AnEntryWithNeitherPathNorAddressIsLeftOut)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "One", "c:\\a.pdf", "");
    AddEntry(u, "", "Nothing", "", "");
    AddEntry(u, "", "Two", "c:\\b.pdf", "");
    u.m_listThumbnails = CStringList{"", "x.jpg", "y.jpg"};
    std::vector<PlannedEntry> plan = PlanEntries(u);
    ASSERT_EQ(2u, plan.size());
    EXPECT_EQ("One", plan[0].title);
    EXPECT_EQ(1u, plan[0].number);
    EXPECT_EQ("Two", plan[1].title);
    EXPECT_EQ(2u, plan[1].number);
    // The thumbnails stay with their own list places.
    EXPECT_EQ("y.jpg", plan[1].thumbnail);
}

// Every name generation writes must land directly inside its folder under
// exactly that name; anything Windows would read otherwise is refused.
TEST(WrittenNames, EveryNameIsRefusedOrLandsDirectlyInsideUnderItsOwnName)
{
    const std::string folder = "C:\\data\\ambrel\\temp\\show\\resources";
    std::size_t accepted = 0;
    for (unsigned seed = 0; seed < 300000; ++seed) {
        const std::string name = pathmodel::DangerousName(seed);
        const bool plain = WrittenNameProblem(name).empty();
        ASSERT_EQ(pathmodel::LandsDirectlyInside(folder, name), plain) << "\"" << name << "\"";
        accepted += plain;
    }
    EXPECT_GT(accepted, 10000u) << "plain names are among the random ones too";
}

TEST(EntryPlan, EntriesWhoseNamesWouldLeaveThePackageAreLeftOutAndListed)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "Notes", "C:\\in\\x/../../../../../../../victim/notes.html", "");
    AddEntry(u, "", "Kept", "C:\\in\\kept.pdf", "");
    AddEntry(u, "", "", "C:\\in\\CON.jpg", "");
    AddEntry(u, "", "Dotted", "C:\\in\\Page .htm", "");
    AddEntry(u, "", "Live", "", "http://x/../../y");
    std::vector<LeftOutEntry> leftOut;
    std::vector<PlannedEntry> plan = PlanEntries(u, &leftOut);
    ASSERT_EQ(3u, plan.size());
    EXPECT_EQ("Kept", plan[0].title);
    EXPECT_EQ(1u, plan[0].number);
    EXPECT_EQ("Dotted", plan[1].title) << "a blank inside a name is plain";
    EXPECT_EQ(3u, plan[2].number) << "numbered without gaps";
    ASSERT_EQ(2u, leftOut.size());
    EXPECT_EQ("Notes", leftOut[0].title);
    EXPECT_EQ("C:\\in\\CON.jpg", leftOut[1].title) << "an entry without a title is named by its path";

    const std::string message = LeftOutMessage(leftOut);
    EXPECT_NE(std::string::npos, message.find("\r\nNotes: " + leftOut[0].reason + "."));
    EXPECT_EQ("", LeftOutMessage({}));
}

TEST(EntryPlan, MoviesPlayInPagesOfTheirOwnAndNamesBecomeUrls)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "Intro", "C:\\Clips\\Intro.SWF", "");
    AddEntry(u, "", "Odd", "C:\\Docs\\Results #2 100%.pdf", "");
    AddEntry(u, "", "Search", "", "http://x/?q=a&b=\"c\"");
    std::vector<PlannedEntry> plan = PlanEntries(u);
    ASSERT_EQ(3u, plan.size());
    EXPECT_TRUE(plan[0].flash);
    EXPECT_EQ("Intro.SWF", plan[0].sourceFileName);
    EXPECT_EQ("intro.swf.html", plan[0].address);
    EXPECT_EQ("resources/intro.swf.html", StartAddress(plan[0]));
    EXPECT_EQ("Results #2 100%.pdf", plan[1].address);
    EXPECT_EQ("Results %232 100%25.pdf", plan[1].link);
    // index.html names the start page in an attribute.
    EXPECT_EQ("resources/Results %232 100%25.pdf", StartAddress(plan[1]));
    EXPECT_EQ("http://x/?q=a&amp;b=&quot;c&quot;", StartAddress(plan[2]));
}

TEST(EntryPlan, AddressesThatWouldRunAScriptAreLeftOutAndListed)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "Trap", "", " JavaScript:alert(1)");
    AddEntry(u, "", "", "", "data:text/html,<b>x</b>");
    AddEntry(u, "", "Fine", "", "http://x/");
    std::vector<LeftOutEntry> leftOut;
    std::vector<PlannedEntry> plan = PlanEntries(u, &leftOut);
    ASSERT_EQ(1u, plan.size());
    EXPECT_EQ("Fine", plan[0].title);
    EXPECT_EQ(1u, plan[0].number);
    ASSERT_EQ(2u, leftOut.size());
    EXPECT_EQ("Trap", leftOut[0].title);
    EXPECT_EQ("data:text/html,<b>x</b>", leftOut[1].title) << "an entry without a title is named by its address";
}

TEST(EntryPlan, AHeaderWithAPathStaysAHeaderAndAUrlWinsOverAPath)
{
    CAmbrelUtilities u;
    AddEntry(u, "Heading", "", "c:\\a.pdf", "");
    AddEntry(u, "", "Both", "c:\\b.pdf", "http://b/");
    std::vector<PlannedEntry> plan = PlanEntries(u);
    ASSERT_EQ(2u, plan.size());
    EXPECT_EQ(EntryKind::GroupHeader, plan[0].kind);
    EXPECT_EQ(EntryKind::LiveUrlEntry, plan[1].kind);
    EXPECT_EQ("http://b/", plan[1].address);
    EXPECT_EQ(1u, plan[1].number);
}

TEST(EntryPlan, ListsOfUnequalLengthEndWithTheShortest)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "One", "c:\\a.pdf", "");
    u.m_listTitles.AddTail("Orphan title");
    u.m_listFiles.AddTail("c:\\orphan.pdf");
    EXPECT_EQ(1u, PlanEntries(u).size());
}

TEST(Thumbnails, OneNamePerEntryForJpegPictures)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "a", "c:\\pics\\Beach.JPG", "");
    AddEntry(u, "", "b", "c:\\pics\\tree.jpeg", "");
    AddEntry(u, "", "c", "c:\\pics\\intro.swf", "");
    AddEntry(u, "", "d", "", "http://x/");
    AddEntry(u, "Group", "", "", "");
    AddEntry(u, "", "e", "c:\\pics\\photoxjpg", "");
    AddEntry(u, "", "f", "plain.JPG", "");
    u.PrepareThumbnails("c:\\out\\resources");
    EXPECT_EQ((std::vector<std::string>{"Beach.JPG", "tree.jpeg", "", "", "", "photoxjpg", "plain.JPG"}),
              Items(u.m_listThumbnails));
}

TEST(Thumbnails, ASecondPreparationStartsAfresh)
{
    CAmbrelUtilities u;
    AddEntry(u, "", "a", "c:\\a.jpg", "");
    u.PrepareThumbnails("r");
    u.m_listFiles = CStringList{"c:\\b.pdf"};
    u.PrepareThumbnails("r");
    EXPECT_EQ((std::vector<std::string>{""}), Items(u.m_listThumbnails));
}

TEST(TransitionTag, TheFourTagsAndNothingElse)
{
    EXPECT_EQ("\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=12)\">\r\n",
              CAmbrelUtilities::GetTransitionTag("Dissolve"));
    EXPECT_EQ("\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=6)\">\r\n",
              CAmbrelUtilities::GetTransitionTag("Wipe"));
    EXPECT_EQ("\r\n<meta http-equiv=\"Page-Enter\" content=\"blendTrans(Duration=2)\">\r\n",
              CAmbrelUtilities::GetTransitionTag("Fade"));
    EXPECT_EQ("\r\n<META http-equiv=\"Page-Enter\" CONTENT=\"RevealTrans(Duration=2,Transition=0)\">\r\n",
              CAmbrelUtilities::GetTransitionTag("Box"));
    EXPECT_EQ(78u + 4, CAmbrelUtilities::GetTransitionTag("Dissolve").size());
    EXPECT_EQ(63u + 4, CAmbrelUtilities::GetTransitionTag("Fade").size());
    for (const char* other : {"Standard", "", "box", "Fade ", "Checkerboard"})
        EXPECT_EQ("", CAmbrelUtilities::GetTransitionTag(other)) << other;
}

TEST(HeadTag, InsertedAfterTheFirstHeadInAnyCase)
{
    std::string page = "<html><HEAD><title>t</title></HEAD><head>";
    ASSERT_TRUE(InsertAfterHeadTag(page, "[x]"));
    EXPECT_EQ("<html><HEAD>[x]<title>t</title></HEAD><head>", page);

    page = "<HeAd>";
    ASSERT_TRUE(InsertAfterHeadTag(page, "!"));
    EXPECT_EQ("<HeAd>!", page);
}

TEST(HeadTag, AHeadTagWithAttributesOrBlanksIsNotOne)
{
    for (const char* text : {"<head profile=\"x\"><title>t</title>", "<head ><body>", "< head>", "<header>", ""}) {
        std::string page = text;
        EXPECT_FALSE(InsertAfterHeadTag(page, "[x]")) << text;
        EXPECT_EQ(text, page);
    }
}

TEST(HeadTag, TextAfterAZeroByteIsKept)
{
    std::string page("\xff\xfe<\0h\0\0<head>after\0zero", 23);
    ASSERT_TRUE(InsertAfterHeadTag(page, "T"));
    EXPECT_EQ(std::string("\xff\xfe<\0h\0\0<head>Tafter\0zero", 24), page);
}
