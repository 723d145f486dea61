// Running the archiver for long work: hidden, with no time limit, its
// progress lines handed to the progress window as they come, and stopped at
// once when the user cancels.
#pragma once

#include <windows.h>

#include <string>

class CWorkProgress;

struct ArchiverOutcome {
    bool started = false;   // false: the archiver could not be started
    bool cancelled = false; // the user cancelled; the archiver was ended
    DWORD exitCode = 0;     // 0 when it did what it was asked
    std::string errors;     // what it wrote on its error output
};

// Runs the command line (from model/package_file) with `progress` told of
// every progress line. On Cancel the archiver is ended and the cabinet it
// was writing under a temporary name is removed, so that a package of the
// same name stays as it was.
ArchiverOutcome RunArchiver(const std::string& commandLine, CWorkProgress& progress);
