// List files: the layout written, the version rule when reading, and damaged
// files that must leave the page's list and fields as they were.
#include "model/list_file.h"

#include <gtest/gtest.h>

#include "model/ambrel_utilities.h"
#include "model/list_box_rows.h"
#include "tests/framework/hex_bytes.h"
#include "tests/framework/largest_allocation.h"
#include "tests/model/worked_example.h"

namespace {

const std::string kWorkedExample = WorkedExampleBytes();

// What a page holds before it reads a file: something to lose.
ListFileContent PageState()
{
    ListFileContent content;
    content.version = "page";
    content.groups = {"", "Part two"};
    content.titles = {"Intro", ""};
    content.files = {"C:\\intro.pdf", ""};
    content.urls = {"", ""};
    content.options.m_strTitle = "T";
    content.options.m_strSubtitle = "S";
    content.options.m_strDate = "D";
    content.options.m_strAuthor = "A";
    content.options.m_strAutoSeconds = "5 Seconds";
    content.options.m_strTransition = "Fade";
    return content;
}

void ExpectSame(const ListFileContent& expected, const ListFileContent& actual)
{
    EXPECT_EQ(expected.version, actual.version);
    EXPECT_EQ(expected.groups, actual.groups);
    EXPECT_EQ(expected.titles, actual.titles);
    EXPECT_EQ(expected.files, actual.files);
    EXPECT_EQ(expected.urls, actual.urls);
    EXPECT_EQ(expected.options.m_strTitle, actual.options.m_strTitle);
    EXPECT_EQ(expected.options.m_strSubtitle, actual.options.m_strSubtitle);
    EXPECT_EQ(expected.options.m_strDate, actual.options.m_strDate);
    EXPECT_EQ(expected.options.m_strAuthor, actual.options.m_strAuthor);
    EXPECT_EQ(expected.options.m_strAutoSeconds, actual.options.m_strAutoSeconds);
    EXPECT_EQ(expected.options.m_strTransition, actual.options.m_strTransition);
}

// A list file of the given version with one URL entry and, when asked, the
// two transition strings.
std::string FileOfVersion(const std::string& version, bool withTransitions)
{
    std::string bytes = std::string(1, static_cast<char>(version.size())) + version +
                        Hex("01 00 00  01 00 03 57 65 62  01 00 00  01 00 05") + "x.org" + "\x01t" + "\x01s" +
                        "\x01"
                        "d" +
                        "\x01"
                        "a";
    if (withTransitions) bytes += std::string("\x0A") + "10 Seconds" + "\x04Wipe";
    return bytes;
}

} // namespace

TEST(ListFileWrite, WorkedExampleByteForByte) { EXPECT_EQ(kWorkedExample, EncodeListFile(WorkedExampleContent())); }

TEST(ListFileWrite, AlwaysWritesVersionOnePointTwo)
{
    ListFileContent content = WorkedExampleContent();
    content.version = "1.1";
    EXPECT_EQ(Hex("03 31 2E 32"), EncodeListFile(content).substr(0, 4));
}

TEST(ListFileRead, WorkedExampleGivesItsListAndFields)
{
    ListFileContent content = PageState();
    ASSERT_EQ(ListFileStatus::ok, DecodeListFile(kWorkedExample, content));
    ListFileContent expected = WorkedExampleContent();
    expected.version = "1.2";
    ExpectSame(expected, content);
}

TEST(ListFileRead, VersionDecidesWhetherTransitionsAreRead)
{
    struct Case {
        const char* version;
        bool read;
    } cases[] = {{"1.1", false}, {"1.15", false}, {"1.2", true},     {"abc", false}, {"", false},
                 {"1.16", true}, {" 2", true},    {"1.2beta", true}, {"-3", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        // A file of an old version ends after the author; anything behind it
        // is not looked at.
        for (bool withTransitions : {false, true}) {
            if (c.read && !withTransitions) continue;
            ListFileContent content = PageState();
            ASSERT_EQ(ListFileStatus::ok, DecodeListFile(FileOfVersion(c.version, withTransitions), content));
            EXPECT_EQ(c.version, content.version);
            EXPECT_EQ((CStringList{"Web"}), content.titles);
            EXPECT_EQ((CStringList{"x.org"}), content.urls);
            EXPECT_EQ("t", content.options.m_strTitle);
            EXPECT_EQ("a", content.options.m_strAuthor);
            EXPECT_EQ(c.read ? "10 Seconds" : "5 Seconds", content.options.m_strAutoSeconds);
            EXPECT_EQ(c.read ? "Wipe" : "Fade", content.options.m_strTransition);
        }
    }
}

TEST(ListFileRead, NewVersionWithoutTransitionsEndsEarly)
{
    ListFileContent content = PageState();
    EXPECT_EQ(ListFileStatus::endsEarly, DecodeListFile(FileOfVersion("1.2", false), content));
    ExpectSame(PageState(), content);
}

TEST(ListFileVersion, LeadingDecimalNumber)
{
    EXPECT_DOUBLE_EQ(1.2, ListFileVersionNumber("1.2"));
    EXPECT_DOUBLE_EQ(1.15, ListFileVersionNumber("1.15"));
    EXPECT_DOUBLE_EQ(1.16, ListFileVersionNumber("  1.16x"));
    EXPECT_DOUBLE_EQ(0.5, ListFileVersionNumber(".5"));
    EXPECT_DOUBLE_EQ(2.0, ListFileVersionNumber("+2"));
    EXPECT_DOUBLE_EQ(-3.0, ListFileVersionNumber("-3"));
    EXPECT_DOUBLE_EQ(10.0, ListFileVersionNumber("1e1"));
    EXPECT_DOUBLE_EQ(1.0, ListFileVersionNumber("1e"));
    EXPECT_DOUBLE_EQ(1.0, ListFileVersionNumber("1,5")); // the comma is never a decimal separator
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber("0x10"));
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber("abc"));
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber("."));
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber("inf"));
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber(""));
    EXPECT_DOUBLE_EQ(0.0, ListFileVersionNumber("1e-999"));
    EXPECT_TRUE(ListFileHasTransitions("1e999"));
    EXPECT_FALSE(ListFileHasTransitions("1.15"));
    EXPECT_FALSE(ListFileHasTransitions("1.1500000000000000001")); // the same double as 1.15
    EXPECT_TRUE(ListFileHasTransitions("1.1500001"));
}

TEST(ListFileRead, SixteenBitStringsAreReadAsAnsi)
{
    const std::string bytes = Hex("FF FE FF 03 31 00 2E 00 32 00"             // "1.2"
                                  "01 00 00"                                  // groups
                                  "01 00 FF FE FF 04 43 00 61 00 66 00 E9 00" // "Café"
                                  "01 00 00  01 00 00"
                                  "FF FE FF 00 00 00 00"
                                  "FF FE FF 02 AC 20 31 00  00");
    ListFileContent content = PageState();
    ASSERT_EQ(ListFileStatus::ok, DecodeListFile(bytes, content));
    EXPECT_EQ("1.2", content.version);
    EXPECT_EQ((CStringList{"Caf\xE9"}), content.titles);
    EXPECT_EQ("\x80"
              "1",
              content.options.m_strAutoSeconds);
    EXPECT_EQ("", content.options.m_strTransition);
}

TEST(ListFileRead, EveryTruncationFailsAndChangesNothing)
{
    ListFileContent full = WorkedExampleContent();
    full.groups = {"", "Group one", ""};
    full.titles = {"a", "", "Web"};
    full.files = {"C:\\a.pdf", "", ""};
    full.urls = {"", "", "http://x.org"};
    full.options.m_strTitle = std::string(300, 'x');
    full.options.m_strAuthor = "Me";
    const std::string bytes = EncodeListFile(full);
    for (size_t length = 0; length < bytes.size(); ++length) {
        ListFileContent content = PageState();
        ASSERT_EQ(ListFileStatus::endsEarly, DecodeListFile(bytes.substr(0, length), content)) << length;
        ExpectSame(PageState(), content);
    }
    ListFileContent content = PageState();
    ASSERT_EQ(ListFileStatus::ok, DecodeListFile(bytes, content));
    full.version = "1.2";
    ExpectSame(full, content);
}

TEST(ListFileRead, AbsurdCountsAndLengthsFailAndChangeNothing)
{
    const std::string version = Hex("03 31 2E 32");
    const std::string emptyLists = Hex("00 00 00 00 00 00 00 00");
    const std::string tail = Hex("00 00 00 00 00 00");
    struct Case {
        std::string bytes;
        ListFileStatus status;
    } cases[] = {
        {version + Hex("FF FF FF FF 00 00") + emptyLists + tail, ListFileStatus::endsEarly}, // 65535 groups
        {version + Hex("FF FF FF FF FF FF") + tail + tail, ListFileStatus::endsEarly},       // 0xFFFFFFFF groups
        {version + Hex("01 00 00  01 00 00  01 00 00  FF FF FF FF FF FF") + tail, ListFileStatus::endsEarly},
        {version + emptyLists + Hex("FF FF FF FF FF 00 00") + tail, ListFileStatus::endsEarly}, // 0xFFFF bytes
        {version + emptyLists + Hex("FF FF FF FE FF FF FF") + tail, ListFileStatus::endsEarly},
        {version + emptyLists + Hex("FF FF FF FF FF FF FF FF FF FF 7F 00 00 00 00") + tail, ListFileStatus::endsEarly},
        {version + emptyLists + Hex("FF FF FF FF FF FF FF 00 00 00 80 00 00 00 00") + tail, ListFileStatus::badLength},
        {Hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF") + emptyLists + tail, ListFileStatus::badLength},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        ListFileContent content = PageState();
        ListFileStatus status = ListFileStatus::ok;
        // Nothing near the size the damaged field claims is ever asked for.
        EXPECT_LT(LargestAllocationDuring([&] { status = DecodeListFile(c.bytes, content); }), 1024u);
        EXPECT_EQ(c.status, status);
        ExpectSame(PageState(), content);
    }
}

TEST(ListFileRead, ListsOfDifferentLengthsAreRefused)
{
    const std::string bytes = Hex("03 31 2E 32"
                                  "02 00 00 00"
                                  "01 00 01 61"
                                  "02 00 00 00"
                                  "02 00 00 00"
                                  "00 00 00 00 00 00");
    ListFileContent content = PageState();
    EXPECT_EQ(ListFileStatus::listsDiffer, DecodeListFile(bytes, content));
    ExpectSame(PageState(), content);
}

namespace {
class RowVector : public IListBoxRows {
public:
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    std::string GetRowText(int index) const override { return rows.at(static_cast<size_t>(index)); }
    void InsertRow(int index, const std::string& text) override { rows.insert(rows.begin() + index, text); }
    void DeleteRow(int index) override { rows.erase(rows.begin() + index); }
    void DeleteAllRows() override { rows.clear(); }
    std::vector<std::string> rows;
};
} // namespace

TEST(ListFileEngine, SavedListComesBackIntoAnotherEngine)
{
    RowVector rows;
    CAmbrelUtilities saved;
    saved.AddGroupHeader(rows, "Slides");
    saved.AddFileEntry(rows, "One", "C:\\one.pdf");
    saved.AddUrlEntry(rows, "Live", "http://example.org");
    ListFileContent out;
    CopyListsFromEngine(saved, out);
    out.options.m_strTitle = "Title";

    CAmbrelUtilities restored;
    restored.AddFileEntry(rows, "Old", "C:\\old.pdf");
    ListFileContent in;
    ASSERT_EQ(ListFileStatus::ok, DecodeListFile(EncodeListFile(out), in));
    MoveListsToEngine(in, restored);
    EXPECT_EQ(saved.m_listGroups, restored.m_listGroups);
    EXPECT_EQ(saved.m_listTitles, restored.m_listTitles);
    EXPECT_EQ(saved.m_listFiles, restored.m_listFiles);
    EXPECT_EQ(saved.m_listURLs, restored.m_listURLs);
    restored.RebuildListBox(rows);
    EXPECT_EQ((std::vector<std::string>{"Group: Slides", "   One", "   Live"}), rows.rows);
}
