#include "model/package_file.h"

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
    std::string program = "\"" + root + layout::kArchiver + "\" -m LZX:21 -r -p#root#N ";
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
    line += "\" -o -m LZX:21 -r -p X ";
    line += "\"" + packagePath + "\"";
    line += " \"" + workFolder + "\\\"";
    return line;
}
