#include <windows.h>

#include "shell/document_opener.h"
#include "shell/run_program.h"

void OpenDocument(const std::string& documentPath)
{
    PROCESS_INFORMATION pi{};
    RunProgram(DocumentOpenCommand(documentPath), pi, 1);
    // Nobody waits for the opener; its handles are not needed.
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
}
