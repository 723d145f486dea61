// The presentation list: entries in four parallel lists, their row texts, and
// the list box rows that follow them.
#include <gtest/gtest.h>

#include <vector>

#include "model/ambrel_utilities.h"
#include "model/list_box_rows.h"

namespace {

// A list box that, like the page's (which carries the sorted style), would
// put rows anywhere it liked if asked to; this one records where each row was
// asked to go and refuses anything but an explicit index within its rows.
class RecordingRows : public IListBoxRows {
public:
    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    std::string GetRowText(int index) const override { return rows.at(static_cast<size_t>(index)); }
    void InsertRow(int index, const std::string& text) override
    {
        ASSERT_GE(index, 0);
        ASSERT_LE(index, GetRowCount());
        insertedAt.push_back(index);
        rows.insert(rows.begin() + index, text);
    }
    void DeleteRow(int index) override { rows.erase(rows.begin() + index); }
    void DeleteAllRows() override { rows.clear(); }

    std::vector<std::string> rows;
    std::vector<int> insertedAt;
};

using Rows = std::vector<std::string>;

class PresentationList : public ::testing::Test {
protected:
    // Entry i as "group|title|path|address".
    std::vector<std::string> Entries() const
    {
        EXPECT_EQ(engine.m_listTitles.GetCount(), engine.m_listGroups.GetCount());
        EXPECT_EQ(engine.m_listTitles.GetCount(), engine.m_listFiles.GetCount());
        EXPECT_EQ(engine.m_listTitles.GetCount(), engine.m_listURLs.GetCount());
        std::vector<std::string> out;
        for (int i = 0; i < engine.GetEntryCount(); ++i) {
            std::string g, t, p, a;
            EXPECT_TRUE(engine.GetEntry(i, g, t, p, a));
            out.push_back(g + "|" + t + "|" + p + "|" + a);
        }
        return out;
    }
    // Row i shows entry i after a rebuild as well as before it.
    void ExpectRowsFollowList()
    {
        const Rows before = rows.rows;
        engine.RebuildListBox(rows);
        EXPECT_EQ(before, rows.rows);
    }

    CAmbrelUtilities engine;
    RecordingRows rows;
};

} // namespace

TEST_F(PresentationList, EmptyList)
{
    EXPECT_FALSE(engine.FindEntryByRowText("   ").Found());
    EXPECT_FALSE(engine.FindEntryByRowText("Group: ").Found());
    EXPECT_FALSE(engine.FindEntryByRowText("").Found());
    rows.rows = {"left over"};
    engine.RebuildListBox(rows);
    EXPECT_TRUE(rows.rows.empty());
    std::string g, t, p, a;
    EXPECT_FALSE(engine.GetEntry(0, g, t, p, a));
    engine.MoveEntryUp(0);
    engine.MoveEntryDown(0);
    engine.RemoveEntry(0);
    engine.ReplaceEntry(0, "g", "t", "p", "a");
    EXPECT_EQ(0, engine.GetEntryCount());
}

TEST_F(PresentationList, AddsEachKindWithItsValuesAndRow)
{
    engine.AddGroupHeader(rows, "Part one");
    engine.AddFileEntry(rows, "Report", "C:\\docs\\report.pdf");
    engine.AddUrlEntry(rows, "Home", "http://example.org/");
    EXPECT_EQ((std::vector<std::string>{"Part one|||", "|Report|C:\\docs\\report.pdf|", "|Home||http://example.org/"}),
              Entries());
    EXPECT_EQ((Rows{"Group: Part one", "   Report", "   Home"}), rows.rows);
    ExpectRowsFollowList();
}

TEST_F(PresentationList, KindIsDecidedByGroupThenAddress)
{
    EXPECT_EQ(EntryKind::GroupHeader, CAmbrelUtilities::KindOfEntry("G", "http://x"));
    EXPECT_EQ(EntryKind::GroupHeader, CAmbrelUtilities::KindOfEntry("G", ""));
    EXPECT_EQ(EntryKind::LiveUrlEntry, CAmbrelUtilities::KindOfEntry("", "http://x"));
    EXPECT_EQ(EntryKind::FileEntry, CAmbrelUtilities::KindOfEntry("", ""));
}

TEST_F(PresentationList, RowsAreAppendedAtExplicitIndexesInListOrder)
{
    rows.rows = {"zzz existing"};
    engine.AddFileEntry(rows, "b", "C:\\b.pdf");
    engine.AddFileEntry(rows, "a", "C:\\a.pdf");
    engine.AddGroupHeader(rows, "A header");
    engine.AddUrlEntry(rows, "0", "www.x");
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), rows.insertedAt);
    EXPECT_EQ((Rows{"zzz existing", "   b", "   a", "Group: A header", "   0"}), rows.rows);

    rows.insertedAt.clear();
    engine.RebuildListBox(rows);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), rows.insertedAt);
    EXPECT_EQ((Rows{"   b", "   a", "Group: A header", "   0"}), rows.rows);
}

TEST_F(PresentationList, HeaderAndEntryOfOneTextNeverMatchEachOther)
{
    engine.AddFileEntry(rows, "X", "C:\\x.pdf");
    engine.AddGroupHeader(rows, "X");
    EXPECT_EQ((Rows{"   X", "Group: X"}), rows.rows);

    EntryMatch header = engine.FindEntryByRowText("Group: X");
    EXPECT_EQ(1, header.index);
    EXPECT_TRUE(header.asHeader);
    EntryMatch entry = engine.FindEntryByRowText("   X");
    EXPECT_EQ(0, entry.index);
    EXPECT_FALSE(entry.asHeader);
    // Exact, whole, case-sensitive comparisons.
    EXPECT_FALSE(engine.FindEntryByRowText("X").Found());
    EXPECT_FALSE(engine.FindEntryByRowText("   x").Found());
    EXPECT_FALSE(engine.FindEntryByRowText("group: X").Found());
    EXPECT_FALSE(engine.FindEntryByRowText("   X ").Found());
}

TEST_F(PresentationList, EarlierOfTwoEntriesWithOneTitleIsFound)
{
    engine.AddFileEntry(rows, "Same", "C:\\first.pdf");
    engine.AddUrlEntry(rows, "Other", "http://o");
    engine.AddUrlEntry(rows, "Same", "http://second");
    EntryMatch match = engine.FindEntryByRowText("   Same");
    EXPECT_EQ(0, match.index);
    EXPECT_FALSE(match.asHeader);
}

TEST_F(PresentationList, ThreeSpaceRowFindsAHeaderBeforeAnUntitledEntry)
{
    engine.AddFileEntry(rows, "Titled", "C:\\t.pdf");
    engine.AddGroupHeader(rows, "G");
    engine.AddFileEntry(rows, "", "C:\\untitled.pdf");
    EXPECT_EQ("   ", rows.rows[2]);
    // The header's title is empty too, and it comes first.
    EntryMatch match = engine.FindEntryByRowText("   ");
    EXPECT_EQ(1, match.index);
    EXPECT_FALSE(match.asHeader);
}

TEST_F(PresentationList, MovesExchangeNeighboursAndStopAtBothEnds)
{
    engine.AddGroupHeader(rows, "G");
    engine.AddFileEntry(rows, "F", "C:\\f.pdf");
    engine.AddUrlEntry(rows, "U", "http://u");
    const std::vector<std::string> start = Entries();

    engine.MoveEntryUp(0);
    EXPECT_EQ(start, Entries());
    engine.MoveEntryDown(2);
    EXPECT_EQ(start, Entries());
    engine.MoveEntryUp(3);
    engine.MoveEntryDown(-1);
    EXPECT_EQ(start, Entries());

    engine.MoveEntryUp(2);
    EXPECT_EQ((std::vector<std::string>{"G|||", "|U||http://u", "|F|C:\\f.pdf|"}), Entries());
    engine.MoveEntryDown(0);
    EXPECT_EQ((std::vector<std::string>{"|U||http://u", "G|||", "|F|C:\\f.pdf|"}), Entries());
    engine.RebuildListBox(rows);
    EXPECT_EQ((Rows{"   U", "Group: G", "   F"}), rows.rows);
}

TEST_F(PresentationList, ReplaceKeepsThePositionAndRemoveTakesOneEntry)
{
    engine.AddFileEntry(rows, "A", "C:\\a.pdf");
    engine.AddFileEntry(rows, "B", "C:\\b.pdf");
    engine.AddFileEntry(rows, "C", "C:\\c.pdf");

    engine.ReplaceEntry(1, "", "Web", "", "http://w");
    EXPECT_EQ((std::vector<std::string>{"|A|C:\\a.pdf|", "|Web||http://w", "|C|C:\\c.pdf|"}), Entries());
    engine.ReplaceEntry(3, "G", "", "", "");
    EXPECT_EQ(3, engine.GetEntryCount());

    engine.RemoveEntry(0);
    EXPECT_EQ((std::vector<std::string>{"|Web||http://w", "|C|C:\\c.pdf|"}), Entries());
    engine.RemoveEntry(2);
    EXPECT_EQ(2, engine.GetEntryCount());

    engine.RemoveAllEntries();
    EXPECT_TRUE(Entries().empty());
    engine.RebuildListBox(rows);
    EXPECT_TRUE(rows.rows.empty());
}
