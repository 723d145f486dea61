// CPresentationListBox: a creation page's list box (control 1004), showing the
// presentation list row for row. Rows are always put at an explicit index:
// the template gives the list box the sorted style, and letting it sort would
// break the match between row i and entry i.
#pragma once

#include <string>

#include "framework/wnd.h"
#include "model/list_box_rows.h"

class CPresentationListBox : public CListBox, public IListBoxRows {
public:
    int GetRowCount() const override { return GetCount(); }
    std::string GetRowText(int index) const override { return GetText(index); }
    void InsertRow(int index, const std::string& text) override { InsertString(index, text); }
    void DeleteRow(int index) override { DeleteString(index); }
    void DeleteAllRows() override { ResetContent(); }
};
