// The list-file reader on arbitrary bytes. Whatever the bytes, reading must
// not crash, must hand over four lists of one length or nothing at all, and
// a list it accepts must survive being written and read again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/ambrel_utilities.h"
#include "model/list_box_rows.h"
#include "model/list_file.h"

namespace {

ListFileContent PageState()
{
    ListFileContent content;
    content.version = "page";
    content.groups = {"", "Header"};
    content.titles = {"Entry", ""};
    content.files = {"C:\\entry.pdf", ""};
    content.urls = {"", ""};
    content.options.m_strTitle = "Title";
    content.options.m_strSubtitle = "Subtitle";
    content.options.m_strDate = "Date";
    content.options.m_strAuthor = "Author";
    content.options.m_strAutoSeconds = "5 Seconds";
    content.options.m_strTransition = "Fade";
    return content;
}

bool SameListsAndFields(const ListFileContent& a, const ListFileContent& b)
{
    return a.groups == b.groups && a.titles == b.titles && a.files == b.files && a.urls == b.urls &&
           a.options.m_strTitle == b.options.m_strTitle && a.options.m_strSubtitle == b.options.m_strSubtitle &&
           a.options.m_strDate == b.options.m_strDate && a.options.m_strAuthor == b.options.m_strAuthor &&
           a.options.m_strAutoSeconds == b.options.m_strAutoSeconds &&
           a.options.m_strTransition == b.options.m_strTransition;
}

class CountingRows : public IListBoxRows {
public:
    int GetRowCount() const override { return count; }
    std::string GetRowText(int) const override { return std::string(); }
    void InsertRow(int index, const std::string&) override
    {
        if (index != count) std::abort();
        ++count;
    }
    void DeleteRow(int) override { --count; }
    void DeleteAllRows() override { count = 0; }
    int count = 0;
};

void Check(bool condition)
{
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ListFileContent before = PageState();
    ListFileContent content = before;
    const ListFileStatus status = DecodeListFile(bytes, content);

    if (status != ListFileStatus::ok) {
        // Nothing of a damaged file reaches the page.
        Check(SameListsAndFields(before, content) && content.version == before.version);
        return 0;
    }

    const int count = content.groups.GetCount();
    Check(content.titles.GetCount() == count && content.files.GetCount() == count && content.urls.GetCount() == count);
    if (!ListFileHasTransitions(content.version))
        Check(content.options.m_strAutoSeconds == before.options.m_strAutoSeconds &&
              content.options.m_strTransition == before.options.m_strTransition);

    // Written again and read back, the list and fields come out the same.
    ListFileContent again;
    Check(DecodeListFile(EncodeListFile(content), again) == ListFileStatus::ok);
    Check(SameListsAndFields(content, again) && again.version == kListFileVersion);

    // The engine takes the lists and shows one row per entry.
    CAmbrelUtilities engine;
    MoveListsToEngine(content, engine);
    CountingRows rows;
    engine.RebuildListBox(rows);
    Check(rows.count == count && engine.GetEntryCount() == count);
    return 0;
}
