#include "system/archiver_run.h"

#include <vector>

#include "framework/command_guard.h"
#include "framework/long_work.h"
#include "model/package_file.h"

namespace {

// One end of a pipe the archiver writes to; the other end is its own.
struct OutputPipe {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    std::string pending; // a line not yet ended

    bool Make()
    {
        SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        if (!::CreatePipe(&read, &write, &inherit, 0)) return false;
        // Only the archiver's end goes to the archiver.
        ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
        return true;
    }
    void CloseWriteEnd()
    {
        if (write) ::CloseHandle(write);
        write = nullptr;
    }
    ~OutputPipe()
    {
        CloseWriteEnd();
        if (read) ::CloseHandle(read);
    }
    // Takes what is there without waiting; calls `line` for each whole line.
    template <class LineFn>
    void Drain(LineFn line)
    {
        for (;;) {
            DWORD available = 0;
            if (!::PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) || available == 0) return;
            char buffer[4096];
            DWORD got = 0;
            if (!::ReadFile(read, buffer, available < sizeof(buffer) ? available : sizeof(buffer), &got, nullptr) ||
                got == 0)
                return;
            pending.append(buffer, got);
            for (std::string::size_type end; (end = pending.find('\n')) != std::string::npos;) {
                std::string text = pending.substr(0, end);
                if (!text.empty() && text.back() == '\r') text.pop_back();
                pending.erase(0, end + 1);
                line(text);
            }
        }
    }
};

} // namespace

ArchiverOutcome RunArchiver(const std::string& commandLine, CWorkProgress& progress)
{
    ArchiverOutcome outcome;
    OutputPipe out, err;
    if (!out.Make() || !err.Make()) return outcome;

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.write;
    startup.hStdError = err.write;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW,
                          nullptr, nullptr, &startup, &pi))
        return outcome;
    outcome.started = true;
    ::CloseHandle(pi.hThread);
    // The archiver holds the only write ends now: its end is the pipes' end.
    out.CloseWriteEnd();
    err.CloseWriteEnd();

    std::string partial;
    auto onOutput = [&](const std::string& text) {
        const ArchiverLine parsed = ParseArchiverLine(text);
        if (parsed.kind == ArchiverLine::Progress) progress.SetProgress(parsed.done, parsed.total);
        if (parsed.kind == ArchiverLine::Partial) partial = parsed.path;
    };
    auto onError = [&](const std::string& text) {
        if (!outcome.errors.empty()) outcome.errors += "\n";
        outcome.errors += text;
    };

    const HANDLE waits[] = {pi.hProcess, progress.CancelEvent()};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(2, waits, FALSE, 50);
        out.Drain(onOutput);
        err.Drain(onError);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            // Cancel: the archiver stops now, and what it had begun to write
            // goes. Its cabinet only replaces a package when complete.
            ::TerminateProcess(pi.hProcess, 1);
            ::WaitForSingleObject(pi.hProcess, 5000);
            out.Drain(onOutput);
            if (!partial.empty()) ::DeleteFileA(partial.c_str());
            outcome.cancelled = true;
            break;
        }
    }
    ::GetExitCodeProcess(pi.hProcess, &outcome.exitCode);
    ::CloseHandle(pi.hProcess);
    return outcome;
}

void ThrowIfArchiverFailed(const ArchiverOutcome& outcome, const std::string& archiverPath,
                           const std::string& packagePath, const std::string& failure)
{
    if (outcome.cancelled) throw CWorkCancelled();
    if (!outcome.started)
        throw CCommandFailure("The package " + failure + ": the archiver " + archiverPath +
                              " could not be started. Installing Ambrel again brings it back.");
    if (outcome.exitCode != 0)
        throw CCommandFailure("The package " + packagePath + " " + failure + ". The archiver reported:\n\n" +
                              (outcome.errors.empty() ? "an error it did not name" : outcome.errors));
}
