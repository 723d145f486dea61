// What the framework does with an exception that escapes a command: a file
// error shows the standard file-error box, a command's failure its message,
// running out of memory the out-of-memory report. The command ends; the
// window stays usable.
#pragma once

#include <new>
#include <string>
#include <utility>

#include "framework/file_exception.h"
#include "framework/message_box.h"

void AfxReportOutOfMemory();

// A command that cannot be done, and why, in the user's words. Thrown where
// the failure is found; the command ends and the message is shown once.
class CCommandFailure {
public:
    explicit CCommandFailure(std::string message) : m_strMessage(std::move(message)) {}
    const std::string& GetErrorMessage() const { return m_strMessage; }
    void ReportError() const { AfxMessageBox(m_strMessage, MB_OK | MB_ICONEXCLAMATION); }

private:
    std::string m_strMessage;
};

// Runs a command's body and tells the user of what ended it, once.
template <class Command>
void AfxRunGuarded(Command&& command)
{
    try {
        std::forward<Command>(command)();
    } catch (const CFileException& e) {
        e.ReportError();
    } catch (const CCommandFailure& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
    }
}
