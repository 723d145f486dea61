#include "framework/wnd.h"

#include <vector>

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int got = ::GetWindowTextA(m_hWnd, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::string CWnd::GetDlgItemText(int nID) const
{
    CWnd item(GetDlgItem(nID));
    return item.GetWindowText();
}

std::string CListBox::GetText(int nIndex) const
{
    LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
    if (length == LB_ERR || length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
    if (got == LB_ERR) return std::string();
    return std::string(buffer.data(), static_cast<size_t>(got));
}
