// The rows of a list box, as the presentation list places them: always at an
// explicit index, never by the list box's own sorting. The page's real list
// box implements it; tests use a plain vector of rows.
#pragma once

#include <string>

class IListBoxRows {
public:
    virtual ~IListBoxRows() = default;
    virtual int GetRowCount() const = 0;
    virtual std::string GetRowText(int index) const = 0;
    // Puts a row at the index; an index equal to the count appends.
    virtual void InsertRow(int index, const std::string& text) = 0;
    virtual void DeleteRow(int index) = 0;
    virtual void DeleteAllRows() = 0;
};
