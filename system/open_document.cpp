#include "system/open_document.h"

#include <windows.h>

#include "model/document_opener.h"
#include "system/run_program.h"

bool OpenDocument(const std::string& documentPath)
{
    PROCESS_INFORMATION pi{};
    const bool started = RunProgram(DocumentOpenCommand(documentPath), pi, 1);
    // Nobody waits for the opener; its handles are not needed.
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    return started;
}
