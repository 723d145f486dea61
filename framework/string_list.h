// CStringList: an ordered list of 8-bit strings with insertion before or after
// a position and removal at a position. Portable.
#pragma once

#include <cstddef>
#include <list>
#include <string>

class CStringList {
public:
    using iterator = std::list<std::string>::iterator;
    using const_iterator = std::list<std::string>::const_iterator;
    // A position in the list; End() stands for "no position".
    using POSITION = iterator;

    CStringList() = default;
    CStringList(std::initializer_list<std::string> items) : m_items(items) {}

    int GetCount() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    POSITION AddHead(const std::string& s) { return m_items.insert(m_items.begin(), s); }
    POSITION AddTail(const std::string& s) { return m_items.insert(m_items.end(), s); }
    POSITION InsertBefore(POSITION pos, const std::string& s) { return m_items.insert(pos, s); }
    POSITION InsertAfter(POSITION pos, const std::string& s) { return m_items.insert(std::next(pos), s); }
    void RemoveAt(POSITION pos) { m_items.erase(pos); }
    void RemoveAll() { m_items.clear(); }

    // Position of the element at a zero-based index, End() when out of range.
    POSITION FindIndex(int index)
    {
        if (index < 0 || index >= GetCount()) return m_items.end();
        return std::next(m_items.begin(), index);
    }

    iterator begin() { return m_items.begin(); }
    iterator end() { return m_items.end(); }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }
    POSITION End() { return m_items.end(); }

    bool operator==(const CStringList& other) const { return m_items == other.m_items; }
    bool operator!=(const CStringList& other) const { return m_items != other.m_items; }

private:
    std::list<std::string> m_items;
};
