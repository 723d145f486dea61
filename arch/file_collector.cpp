#include "arch/file_collector.h"

#include <algorithm>
#include <set>

#include "arch/cab_format.h"
#include "arch/path_text.h"
#include "arch/stored_name.h"

namespace arch {

namespace {

std::string Folded(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool SamePath(const std::string& a, const std::string& b)
{
    const std::vector<std::string> pa = NormalParts(StripDrive(a)), pb = NormalParts(StripDrive(b));
    if (pa.size() != pb.size()) return false;
    for (std::size_t i = 0; i < pa.size(); ++i)
        if (!EqualNoCase(pa[i], pb[i])) return false;
    return true;
}

class Collector {
public:
    Collector(FileSystem& fs, const CollectOptions& options, std::vector<SourceFile>& files)
        : m_fs(fs), m_options(options), m_files(files)
    {}

    bool AddOperand(const std::string& operand, std::string& error)
    {
        const std::size_t before = m_files.size();
        std::size_t cut = operand.size();
        while (cut > 0 && !IsSeparator(operand[cut - 1])) --cut;
        const std::string last = operand.substr(cut);
        bool ok;
        if (HasWildcard(last)) {
            ok = Walk(operand.substr(0, cut), last, error);
        } else {
            FileInfo info;
            if (!m_fs.GetInfo(operand, info)) {
                error = operand + ": no such file or folder";
                return false;
            }
            ok = info.isDirectory ? Walk(operand, "*", error) : Add(operand, info, error);
        }
        if (ok && m_files.size() == before) {
            error = "no file matches " + operand;
            return false;
        }
        return ok;
    }

private:
    bool Walk(const std::string& folder, const std::string& pattern, std::string& error)
    {
        std::vector<DirectoryEntry> entries;
        if (!m_fs.ListDirectory(folder.empty() ? "." : folder, entries, error)) return false;
        std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
            if (a.info.isDirectory != b.info.isDirectory) return !a.info.isDirectory;
            const std::string fa = Folded(a.name), fb = Folded(b.name);
            return fa != fb ? fa < fb : a.name < b.name;
        });
        for (const DirectoryEntry& entry : entries) {
            const std::string path = JoinPath(folder, entry.name, m_fs.Separator());
            if (entry.info.isDirectory) {
                if (m_options.recurse && !entry.info.isLinkedDirectory && !Walk(path, pattern, error)) return false;
            } else if (MatchesPattern(pattern, entry.name) && !Add(path, entry.info, error)) {
                return false;
            }
        }
        return true;
    }

    bool Add(const std::string& path, const FileInfo& info, std::string& error)
    {
        for (const std::string& excluded : m_options.exclude)
            if (SamePath(path, excluded)) return true;
        SourceFile file;
        file.path = path;
        file.info = info;
        file.storedName = StoredNameFor(path, m_options.stripPrefix, m_options.keepPaths);
        if (file.storedName.empty()) {
            error = path + ": gives an empty name in the cabinet";
            return false;
        }
        if (file.storedName.size() > cab::kMaxNameBytes) {
            error = path + ": its name in the cabinet would be longer than " + std::to_string(cab::kMaxNameBytes) +
                    " bytes";
            return false;
        }
        if (!m_names.insert(Folded(file.storedName)).second) {
            error = path + ": another file is already stored as \"" + file.storedName + "\"" +
                    (m_options.keepPaths ? "" : " (use -p to keep paths)");
            return false;
        }
        m_files.push_back(file);
        return true;
    }

    FileSystem& m_fs;
    const CollectOptions& m_options;
    std::vector<SourceFile>& m_files;
    std::set<std::string> m_names;
};

} // namespace

bool CollectFiles(FileSystem& fs, const std::vector<std::string>& operands, const CollectOptions& options,
                  std::vector<SourceFile>& files, std::string& error)
{
    files.clear();
    Collector collector(fs, options, files);
    for (const std::string& operand : operands)
        if (!collector.AddOperand(operand, error)) return false;
    return true;
}

} // namespace arch
