// arch: the cabinet archiver's entry. On Windows the command line is split
// here from GetCommandLineA by the C runtime's rules, so that the program's
// quoted paths with doubled trailing backslashes arrive as it means them
// whatever runtime this is linked with.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "arch/arch_app.h"
#include "arch/command_line.h"
#include "arch/file_system.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

int main(int argc, char** argv)
{
    std::vector<std::string> args;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    args = arch::SplitCommandLine(::GetCommandLineA());
    if (!args.empty()) args.erase(args.begin());
    // No box from the system either when a file cannot be reached.
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
#else
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
#endif
#ifdef _WIN32
    DWORD mode = 0;
    const bool errIsTerminal = ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
#else
    const bool errIsTerminal = ::isatty(STDERR_FILENO) != 0;
#endif
    std::unique_ptr<arch::FileSystem> fs = arch::MakeNativeFileSystem();
    const int code = arch::RunArch(args, *fs, std::cout, std::cerr, errIsTerminal);
    std::cout.flush();
    return code;
}
