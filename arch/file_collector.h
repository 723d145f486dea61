// The files a create command adds: each operand is a file, a folder, or a
// folder with a pattern in its last part ("c:\docs\show\*.*"); with
// recursion, the pattern applies in every subfolder too.
#pragma once

#include <string>
#include <vector>

#include "arch/file_system.h"

namespace arch {

struct SourceFile {
    std::string path;       // native path, to read from
    std::string storedName; // name inside the cabinet
    FileInfo info;
};

struct CollectOptions {
    bool recurse = false;
    bool keepPaths = false;
    std::string stripPrefix;
    // Paths never added (the cabinet being written).
    std::vector<std::string> exclude;
};

// In each folder its files come first, by name without regard to case,
// then its subfolders in the same order, so that a folder's own files
// (a package's start page) are listed before anything deeper. Fails when
// an operand matches nothing, a folder cannot be read, a name would be
// empty or too long, or two files would get the same stored name.
bool CollectFiles(FileSystem& fs, const std::vector<std::string>& operands, const CollectOptions& options,
                  std::vector<SourceFile>& files, std::string& error);

} // namespace arch
