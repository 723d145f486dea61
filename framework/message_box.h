// AfxMessageBox: the framework's message box, captioned with the program's name
// and owned by the active window of the calling thread.
#pragma once

#include <windows.h>

#include <string>

int AfxMessageBox(const std::string& text, UINT nType = MB_OK);
