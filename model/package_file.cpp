#include "model/package_file.h"

#include <cstdlib>

#include "model/install_layout.h"
#include "model/replace_all.h"

std::string BuildPackingCommand(const std::string& root, const std::string& workFolder, const std::string& outputPath,
                                const std::string& packageFolder)
{
    // The prefix stripped from stored names: the work folder without its
    // drive ("c:\documents\ambrel\temp\" gives "documents\ambrel\temp\").
    std::string shortened = workFolder;
    std::string::size_type firstSlash = shortened.find('\\');
    if (firstSlash != std::string::npos) shortened.erase(0, firstSlash + 1);
    std::string prefix = " -P \"" + shortened + "\\\" ";

    // The marker belongs to the program part of the line only: a chosen file
    // name that happens to hold the same text must reach the archiver as
    // the user wrote it.
    std::string program = "\"" + root + layout::kArchiver + "\" --progress -m LZX:21 -r -p#root#N ";
    ReplaceAll(program, "#root#", prefix);

    std::string line = program;
    line += "\"";
    line += outputPath;
    line += "\" \"";
    line += packageFolder;
    line += "\\*.*\"";
    return line;
}

std::string BuildExtractionCommand(const std::string& root, const std::string& packagePath,
                                   const std::string& workFolder)
{
    std::string line;
    line += "\"";
    line += root;
    line += layout::kArchiver;
    line += "\" --progress -o -m LZX:21 -r -p X ";
    line += "\"" + packagePath + "\"";
    line += " \"" + workFolder + "\\\"";
    return line;
}

ArchiverLine ParseArchiverLine(const std::string& line)
{
    ArchiverLine parsed;
    static const char kPartial[] = "partial ";
    static const char kProgress[] = "progress ";
    if (line.compare(0, sizeof(kPartial) - 1, kPartial) == 0) {
        parsed.kind = ArchiverLine::Partial;
        parsed.path = line.substr(sizeof(kPartial) - 1);
    } else if (line.compare(0, sizeof(kProgress) - 1, kProgress) == 0) {
        const char* p = line.c_str() + sizeof(kProgress) - 1;
        char* end = nullptr;
        const unsigned long long done = std::strtoull(p, &end, 10);
        if (end == p || *end != ' ') return parsed;
        p = end + 1;
        const unsigned long long total = std::strtoull(p, &end, 10);
        if (end == p || *end != '\0') return parsed;
        parsed.kind = ArchiverLine::Progress;
        parsed.done = done;
        parsed.total = total;
    }
    return parsed;
}
