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

// Ends the long work when the archiver did not do its job: CWorkCancelled
// after Cancel, otherwise a CCommandFailure that says the package `failure`
// ("was not made", "could not be opened") and why, in the user's terms: the
// archiver at `archiverPath` could not be started, or what it reported.
void ThrowIfArchiverFailed(const ArchiverOutcome& outcome, const std::string& archiverPath,
                           const std::string& packagePath, const std::string& failure);
