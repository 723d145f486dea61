// The package file: the archiver's cabinet of a package folder followed by the
// program's trailer, and the archiver's command lines that make and unpack
// it. Portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The package trailer that the program appends after the cabinet.
constexpr char kPackageTrailer[] = "ambd1";
constexpr std::size_t kPackageTrailerSize = 5;

// "<root>corvane\res\utilities\ambrel\arch.exe" --progress -m LZX:21 -r -p -P "<prefix>\\" N "<output>" "<folder>\*.*"
// The -P prefix is the work folder without its drive; quoted with its own
// trailing backslash doubled, it reaches the archiver with one.
std::string BuildPackingCommand(const std::string& root, const std::string& workFolder, const std::string& outputPath,
                                const std::string& packageFolder);

// "<root>corvane\res\utilities\ambrel\arch.exe" --progress -o -m LZX:21 -r -p X "<package>" "<work folder>\"
// The archiver's path is quoted so that an install root with blanks
// (C:\Program Files\...) cannot start another program.
std::string BuildExtractionCommand(const std::string& root, const std::string& packagePath,
                                   const std::string& workFolder);

// One line of what the archiver writes with --progress: how far it has come
// (bytes read of the total), or the temporary file a new cabinet goes to
// until it is complete; any other line is Other.
struct ArchiverLine {
    enum Kind { Other, Progress, Partial };
    Kind kind = Other;
    uint64_t done = 0;
    uint64_t total = 0;
    std::string path;
};
ArchiverLine ParseArchiverLine(const std::string& line);
