// Starting outside programs: the splash program, the archiver and the
// document opener all go through RunProgram, which never waits.
#pragma once

#include <windows.h>

#include <string>

// Starts the command line (program first, quotes as the caller wrote them)
// as a new process in a process group of its own, with this program's
// environment and current folder. Show flag 0 asks for the window to be
// hidden; any other value makes no request. The process information is
// written only when a process starts, and its handles then belong to the
// caller. TRUE when the process started.
BOOL RunProgram(std::string commandLine, PROCESS_INFORMATION& processInfo, int showFlag);
