#include "tests/support/gui_driver.h"

#include <commctrl.h>

#include <atomic>
#include <thread>

namespace gui {

namespace {
BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ::GetCurrentProcessId()) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}
} // namespace

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string Text(HWND hWnd)
{
    char buffer[4096] = {};
    // WM_GETTEXT works across threads where GetWindowText would not ask.
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string ClassName(HWND hWnd)
{
    char buffer[256] = {};
    ::GetClassNameA(hWnd, buffer, sizeof(buffer));
    return buffer;
}

bool IsShown(HWND hWnd) { return ::IsWindowVisible(hWnd) != FALSE; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(30);
    }
    return true;
}

HWND WaitForWindow(const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : TopLevelWindows())
                if (IsShown(w) && Text(w) == caption) {
                    found = w;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

HWND FindMessageBox()
{
    for (HWND w : TopLevelWindows())
        if (IsShown(w) && ::GetDlgItem(w, 0xFFFF)) return w;
    return nullptr;
}

HWND WaitForMessageBox(DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindMessageBox()) != nullptr; }, timeoutMs);
    return found;
}

std::string StaticTexts(HWND window)
{
    std::string texts;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::lstrcmpiA(ClassName(child).c_str(), "static") == 0) texts += Text(child);
    return texts;
}

bool NoWindowAppears(const std::string& caption, DWORD waitMs) { return WaitForWindow(caption, waitMs) == nullptr; }

void Click(HWND dialog, int controlId)
{
    HWND button = ::GetDlgItem(dialog, controlId);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool ClickAndWait(HWND dialog, int controlId, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    HWND button = ::GetDlgItem(dialog, controlId);
    return ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button), SMTO_NORMAL, timeoutMs, &result) != 0;
}

void SetText(HWND dialog, int controlId, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string GetText(HWND dialog, int controlId) { return Text(::GetDlgItem(dialog, controlId)); }

LRESULT SendTo(HWND dialog, int controlId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(::GetDlgItem(dialog, controlId), msg, wParam, lParam);
}

std::vector<std::string> TabTitles(HWND sheet)
{
    std::vector<std::string> titles;
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    if (!tab) return titles;
    int count = static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        titles.push_back(buffer);
    }
    return titles;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void SelectPage(HWND sheet, int index) { ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0); }

void Settle(HWND anyWindowOfTheThread)
{
    ::SendMessageA(anyWindowOfTheThread, WM_NULL, 0, 0);
    ::Sleep(50);
    ::SendMessageA(anyWindowOfTheThread, WM_NULL, 0, 0);
}

void RunDriven(const std::function<void()>& ui, const std::function<void()>& driver)
{
    std::atomic<bool> uiDone{false};
    std::thread driverThread([&] {
        driver();
        // Close whatever is still up until the user interface has returned.
        DWORD start = ::GetTickCount();
        while (!uiDone && ::GetTickCount() - start < 20000) {
            for (HWND w : TopLevelWindows())
                if (IsShown(w)) ::PostMessageA(w, WM_CLOSE, 0, 0);
            ::Sleep(200);
        }
    });
    ui();
    uiDone = true;
    driverThread.join();
}

std::string RunAndReadTheMessage(const std::function<void()>& ui, DWORD timeoutMs)
{
    std::string message;
    RunDriven(ui, [&] {
        HWND window = WaitForMessageBox(timeoutMs);
        if (!window) return;
        message = StaticTexts(window);
        ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
    return message;
}

} // namespace gui
