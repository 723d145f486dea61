// Extraction of a cabinet into a folder. A file is written under a
// temporary name beside its target and takes the target's name only when
// all of its data arrived intact, so a damaged cabinet never replaces a
// good file with a broken one. Nothing is written outside the folder: a
// stored name that is absolute, has a drive or leads out with ".." is
// refused and nothing of that file is written.
#pragma once

#include <ostream>
#include <string>

#include "arch/file_system.h"

namespace arch {

struct ExtractOptions {
    bool keepPaths = true;  // restore the stored folders (else file names only)
    bool overwrite = false; // replace existing files (else leave them and fail)
};

struct ExtractResult {
    std::size_t extracted = 0;
    std::size_t failed = 0;
};

// Messages go to `messages`, one line per problem. True when every file was
// extracted.
bool ExtractCabinet(FileSystem& fs, const std::string& cabinetPath, const std::string& destination,
                    const ExtractOptions& options, ExtractResult& result, std::ostream& messages);

// Creates a folder and every missing folder above it.
bool MakeDirectories(FileSystem& fs, const std::string& path, std::string& error);

} // namespace arch
