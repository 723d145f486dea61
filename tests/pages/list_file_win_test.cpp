// Saving and reading a list file the way the pages do: CFile and CArchive on
// a real file of the test prefix.
#include "pages/list_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "framework/archive.h"
#include "tests/framework/hex_bytes.h"
#include "tests/support/test_env.h"

namespace {

class ListFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
        m_path = std::string(temp) + "ambrel-" + testenv::CurrentTestName() + ".flist";
        ::DeleteFileA(m_path.c_str());
    }
    void TearDown() override { ::DeleteFileA(m_path.c_str()); }

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

    std::string m_path;
};

} // namespace

TEST_F(ListFileOnDisk, WorkedExampleIsWrittenByteForByteAndReadBack)
{
    ListFileContent content;
    content.groups = {""};
    content.titles = {"a"};
    content.files = {"C:\\a.pdf"};
    content.urls = {""};
    content.autoSeconds = "Not Automated";
    content.transition = "Standard";
    Save(content);
    const std::string expected =
        Hex("03 31 2E 32  01 00 00  01 00 01 61  01 00 08 43 3A 5C 61 2E 70 64 66  01 00 00  00 00 00 00") +
        "\x0DNot Automated" + "\x08Standard";
    ASSERT_EQ(expected, testenv::ReadFile(m_path));

    ListFileContent back;
    ASSERT_EQ(ListFileStatus::ok, Restore(back));
    EXPECT_EQ("1.2", back.version);
    EXPECT_EQ(content.titles, back.titles);
    EXPECT_EQ(content.files, back.files);
    EXPECT_EQ("Not Automated", back.autoSeconds);
    EXPECT_EQ("Standard", back.transition);
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
    content.title = std::string(5000, 't');
    content.transition = "Fade";
    Save(content);
    ASSERT_EQ(EncodeListFile(content), testenv::ReadFile(m_path));

    ListFileContent back;
    ASSERT_EQ(ListFileStatus::ok, Restore(back));
    EXPECT_EQ(content.groups, back.groups);
    EXPECT_EQ(content.titles, back.titles);
    EXPECT_EQ(content.files, back.files);
    EXPECT_EQ(content.title, back.title);
    EXPECT_EQ("Fade", back.transition);
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
    page.autoSeconds = "5 Seconds";
    EXPECT_EQ(ListFileStatus::endsEarly, Restore(page));
    EXPECT_EQ((CStringList{"Kept"}), page.titles);
    EXPECT_TRUE(page.files.IsEmpty());
    EXPECT_EQ("5 Seconds", page.autoSeconds);
}
