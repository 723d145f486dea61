#include "generate/package_commands.h"

#include "shell/install_layout.h"
#include "shell/replace_all.h"

std::string BuildPackingCommand(const std::string& root, const std::string& workFolder, const std::string& outputPath,
                                const std::string& packageFolder)
{
    std::string line;
    line += "\"";
    line += root;
    line += layout::kArchiver;
    line += "\" -m LZX:21 -r -p#root#N ";
    line += "\"";
    line += outputPath;
    line += "\" \"";
    line += packageFolder;
    line += "\\*.*\"";

    // The prefix stripped from stored names: the work folder without its
    // drive ("c:\documents\ambrel\temp\" gives "documents\ambrel\temp\").
    std::string shortened = workFolder;
    std::string::size_type firstSlash = shortened.find('\\');
    if (firstSlash != std::string::npos) shortened.erase(0, firstSlash + 1);
    std::string prefix = " -P \"" + shortened + "\\\" ";

    // Over the whole line, as the marker is meant to be found once.
    ReplaceAll(line, "#root#", prefix);
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
