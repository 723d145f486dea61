// What the framework does with an exception that escapes a command: a file
// error shows the standard file-error box, running out of memory the
// out-of-memory report. The command ends; the window stays usable.
#pragma once

#include <new>
#include <utility>

#include "framework/file_exception.h"
#include "framework/message_box.h"

void AfxReportOutOfMemory();

template <class Command>
void AfxRunGuarded(Command&& command)
{
    try {
        std::forward<Command>(command)();
    } catch (const CFileException& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        AfxReportOutOfMemory();
    }
}
