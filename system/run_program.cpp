#include "system/run_program.h"

#include <vector>

BOOL RunProgram(std::string commandLine, PROCESS_INFORMATION& processInfo, int showFlag)
{
    LPCH environment = ::GetEnvironmentStringsA();

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    if (showFlag == 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    } else {
        // Without STARTF_USESHOWWINDOW this asks nothing of the program.
        startup.wShowWindow = SW_SHOWNORMAL;
    }

    // CreateProcessA may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    PROCESS_INFORMATION started{};
    const BOOL ok = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP,
                                     environment, nullptr, &startup, &started);
    if (ok) processInfo = started;

    if (environment) ::FreeEnvironmentStringsA(environment);
    return ok ? TRUE : FALSE;
}
