// Driving the program's real windows from a test, as a user would: the user
// interface runs modally on the test's main thread while a driver thread
// finds its windows, clicks, types and reads them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// Top-level windows of this process.
std::vector<HWND> TopLevelWindows();
std::string Text(HWND hWnd);
std::string ClassName(HWND hWnd);
bool IsShown(HWND hWnd);

// Waits for a condition, polling; false on time-out.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000);
// Waits for a visible top-level window of this process with this caption.
HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = 15000);
// True when no visible top-level window with this caption appears in the time.
bool NoWindowAppears(const std::string& caption, DWORD waitMs);

// The texts of a window's static controls, joined: a message box's message.
std::string StaticTexts(HWND window);

// A message box of this process (it holds the message in a static control of
// the identifier 0xFFFF), shown; nullptr when none appears in the time.
HWND WaitForMessageBox(DWORD timeoutMs = 15000);
HWND FindMessageBox();

// A click on a button, posted like the user's; returns at once. For commands
// that open a modal dialog.
void Click(HWND dialog, int controlId);
// A click whose command has run to its end when this returns (false when it
// did not end within the time). For commands that open no modal dialog.
bool ClickAndWait(HWND dialog, int controlId, DWORD timeoutMs = 10000);
// Types a text into a control (replacing its text).
void SetText(HWND dialog, int controlId, const std::string& text);
std::string GetText(HWND dialog, int controlId);
// Sends a message to a control and returns its result.
LRESULT SendTo(HWND dialog, int controlId, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Property sheets.
std::vector<std::string> TabTitles(HWND sheet);
HWND CurrentPage(HWND sheet);
void SelectPage(HWND sheet, int index);

// Gives the user interface thread a moment: it has answered a sent message
// and had a short pause. Sent messages overtake posted ones, so this does not
// prove that an earlier posted click has run; use ClickAndWait for that.
void Settle(HWND anyWindowOfTheThread);

// Runs ui() on this thread and driver() on another. When the driver is done
// (or fails), whatever windows remain are closed so that ui() returns.
void RunDriven(const std::function<void()>& ui, const std::function<void()>& driver);

// Runs ui() while another thread waits for the message box it ends with,
// reads its message and answers OK. The message; "" when none came.
std::string RunAndReadTheMessage(const std::function<void()>& ui, DWORD timeoutMs = 60000);

} // namespace gui
