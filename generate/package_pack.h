// Packing a package folder into its package file, for long work.
#pragma once

#include <string>

class CWorkProgress;

// Runs the archiver on the package folder with its progress told to
// `progress`, then appends the package trailer. Throws CWorkCancelled when
// the user cancels (the package file is then left as it was), a
// CCommandFailure when the archiver is missing or fails (no trailer is
// written), and a CFileException when the trailer cannot be appended (the
// incomplete package is removed).
void PackPackage(const std::string& outputPath, const std::string& packageFolder, CWorkProgress& progress);
