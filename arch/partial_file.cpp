#include "arch/partial_file.h"

#include "arch/path_text.h"

namespace arch {

namespace {
constexpr int kAttempts = 1000;
}

std::unique_ptr<OutputFile> CreatePartialFile(FileSystem& fs, const std::string& target, std::string& partialPath,
                                              std::string& error)
{
    static unsigned counter = 0;
    std::size_t cut = target.size();
    while (cut > 0 && !IsSeparator(target[cut - 1])) --cut;
    const std::string folder = target.substr(0, cut);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        partialPath = folder + "~arch" + std::to_string(++counter) + ".tmp";
        FileInfo info;
        if (fs.GetInfo(partialPath, info)) continue;
        std::unique_ptr<OutputFile> out = fs.Create(partialPath, true, error);
        if (out) return out;
    }
    return nullptr;
}

} // namespace arch
