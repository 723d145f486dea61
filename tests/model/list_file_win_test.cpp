// Saving and reading a list file the way the pages do: CFile and CArchive on
// a real file of the test prefix.
#include "model/list_file.h"

#include <gtest/gtest.h>

#include "framework/archive.h"
#include "tests/framework/temp_file_test.h"
#include "tests/model/worked_example.h"

namespace {

class ListFileOnDisk : public TempFileTest {
protected:
    ListFileOnDisk() : TempFileTest(".flist") {}

    void Save(const ListFileContent& content)
    {
        CFile file;
        ASSERT_TRUE(file.Open(m_path, CFile::modeCreate | CFile::modeReadWrite));
        CArchive ar(&file, CArchive::store);
        WriteListFile(ar, content);
        ar.Close();
        file.Close();
    }

    ListFileStatus Restore(ListFileContent& content)
    {
        CFile file;
        if (!file.Open(m_path, CFile::modeRead | CFile::shareDenyNone)) return ListFileStatus::endsEarly;
        CArchive ar(&file, CArchive::load);
        return ReadListFile(ar, content);
    }
};

} // namespace

TEST_F(ListFileOnDisk, WorkedExampleIsWrittenByteForByteAndReadBack)
{
    const ListFileContent content = WorkedExampleContent();
    Save(content);
    ASSERT_EQ(WorkedExampleBytes(), testenv::ReadFile(m_path));

    ListFileContent back;
    ASSERT_EQ(ListFileStatus::ok, Restore(back));
    EXPECT_EQ("1.2", back.version);
    EXPECT_EQ(content.titles, back.titles);
    EXPECT_EQ(content.files, back.files);
    EXPECT_EQ("Not Automated", back.options.m_strAutoSeconds);
    EXPECT_EQ("Standard", back.options.m_strTransition);
}

TEST_F(ListFileOnDisk, ALargeListCrossesTheBufferBothWays)
{
    ListFileContent content;
    for (int i = 0; i < 3000; ++i) {
        content.groups.AddTail(i % 10 == 0 ? "Group " + std::to_string(i) : "");
        content.titles.AddTail(i % 10 == 0 ? "" : "Title " + std::to_string(i));
        content.files.AddTail(i % 10 == 0 ? "" : "C:\\docs\\" + std::string(i % 300, 'p') + ".pdf");
        content.urls.AddTail("");
    }
    content.options.m_strTitle = std::string(5000, 't');
    content.options.m_strTransition = "Fade";
    Save(content);
    ASSERT_EQ(EncodeListFile(content), testenv::ReadFile(m_path));

    ListFileContent back;
    ASSERT_EQ(ListFileStatus::ok, Restore(back));
    EXPECT_EQ(content.groups, back.groups);
    EXPECT_EQ(content.titles, back.titles);
    EXPECT_EQ(content.files, back.files);
    EXPECT_EQ(content.options.m_strTitle, back.options.m_strTitle);
    EXPECT_EQ("Fade", back.options.m_strTransition);
}

TEST_F(ListFileOnDisk, CutFileChangesNothing)
{
    ListFileContent content;
    content.groups = {"", ""};
    content.titles = {"One", "Two"};
    content.files = {"C:\\1.pdf", "C:\\2.pdf"};
    content.urls = {"", ""};
    Save(content);
    const std::string bytes = testenv::ReadFile(m_path);
    testenv::WriteFile(m_path, bytes.substr(0, bytes.size() - 1));

    ListFileContent page;
    page.titles = {"Kept"};
    page.options.m_strAutoSeconds = "5 Seconds";
    EXPECT_EQ(ListFileStatus::endsEarly, Restore(page));
    EXPECT_EQ((CStringList{"Kept"}), page.titles);
    EXPECT_TRUE(page.files.IsEmpty());
    EXPECT_EQ("5 Seconds", page.options.m_strAutoSeconds);
}
