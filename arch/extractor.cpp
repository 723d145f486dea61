#include "arch/extractor.h"

#include <memory>
#include <vector>

#include "arch/cab_reader.h"
#include "arch/partial_file.h"
#include "arch/path_text.h"
#include "arch/stored_name.h"

namespace arch {

namespace {

struct MemberPlan {
    bool refused = false;
    bool targetFree = false; // nothing had the target's name when planned
    std::string target;
    std::string partial; // what is written: the target itself or a temporary file beside it
    std::unique_ptr<OutputFile> out;
    std::string writeError;
};

class Extraction : public MemberSink {
public:
    Extraction(FileSystem& fs, const std::string& cabinetPath, const CabinetDirectory& directory, ExtractResult& result,
               std::ostream& messages)
        : m_fs(fs), m_cabinet(cabinetPath), m_directory(directory), m_result(result), m_messages(messages),
          m_plans(directory.members.size())
    {}

    void Plan(const std::string& destination, const ExtractOptions& options)
    {
        for (std::size_t i = 0; i < m_plans.size(); ++i) {
            const CabinetMember& member = m_directory.members[i];
            std::string reason;
            if (!PlanTarget(member, destination, options, m_plans[i], reason)) {
                m_plans[i].refused = true;
                Fail(i, reason);
            }
        }
    }

    bool Begin(std::size_t member) override
    {
        MemberPlan& plan = m_plans[member];
        if (plan.refused) return false;
        std::string error;
        std::size_t cut = plan.target.size();
        while (cut > 0 && !IsSeparator(plan.target[cut - 1])) --cut;
        // Files of one folder follow each other: its folders are made once.
        if (cut > 0 && plan.target.compare(0, cut, m_lastFolder) != 0) {
            if (!MakeDirectories(m_fs, plan.target.substr(0, cut - 1), error)) {
                plan.refused = true;
                Fail(member, error);
                return false;
            }
            m_lastFolder = plan.target.substr(0, cut);
        }
        // A name nothing has is written as it is, and removed again if the
        // file cannot be completed; a file already there is replaced only
        // by a complete one, written beside it first. Either way a failed
        // extraction leaves no file half-written.
        if (plan.targetFree) {
            plan.out = m_fs.Create(plan.target, true, error);
            if (plan.out) plan.partial = plan.target;
        }
        if (!plan.out) plan.out = CreatePartialFile(m_fs, plan.target, plan.partial, error);
        if (!plan.out) {
            plan.refused = true;
            Fail(member, error);
            return false;
        }
        return true;
    }

    bool Write(std::size_t member, const uint8_t* data, std::size_t size) override
    {
        MemberPlan& plan = m_plans[member];
        if (plan.out->Write(data, size)) return true;
        plan.writeError = plan.partial + ": could not be written (disk full?)";
        return false;
    }

    void End(std::size_t member, bool complete, const std::string& error) override
    {
        MemberPlan& plan = m_plans[member];
        std::string reason = !plan.writeError.empty() ? plan.writeError : error;
        if (plan.out) {
            if (!plan.out->Close() && complete) {
                complete = false;
                reason = plan.partial + ": could not be written completely";
            }
            plan.out.reset();
            if (complete && plan.partial != plan.target && !m_fs.Replace(plan.partial, plan.target, reason))
                complete = false;
            if (!complete) m_fs.RemoveFile(plan.partial);
        }
        if (!complete) {
            Fail(member, reason.empty() ? "its data could not be read" : reason);
            return;
        }
        const cab::FileRecord& r = m_directory.members[member].record;
        m_fs.SetTimeAndAttributes(plan.target, r.date, r.time, r.attributes & cab::kAttrFileMask);
        m_result.extracted++;
    }

    // Members that no folder of this cabinet can give.
    void FailUnreachable()
    {
        for (std::size_t i = 0; i < m_plans.size(); ++i) {
            if (m_plans[i].refused) continue;
            const uint16_t folder = m_directory.members[i].record.folder;
            if (folder >= cab::kFolderContinuedFromPrev)
                Fail(i, "its data continues in another cabinet of a set, which this program does not read");
            else if (folder >= m_directory.folders.size())
                Fail(i, "it names folder " + std::to_string(folder + 1) + ", which the cabinet does not have");
        }
    }

private:
    bool PlanTarget(const CabinetMember& member, const std::string& destination, const ExtractOptions& options,
                    MemberPlan& plan, std::string& reason)
    {
        std::string& target = plan.target;
        std::string native;
        if (!m_fs.StoredNameToNative(member.name, (member.record.attributes & cab::kAttrNameIsUtf8) != 0, native)) {
            reason = "its name cannot be written in this system's code page";
            return false;
        }
        std::vector<std::string> parts;
        if (!ExtractionParts(native, parts, reason)) return false;
        if (!options.keepPaths) parts.erase(parts.begin(), parts.end() - 1);
        target = destination;
        for (const std::string& part : parts) target = JoinPath(target, part, m_fs.Separator());
        FileInfo info;
        plan.targetFree = !m_fs.GetInfo(target, info);
        if (!plan.targetFree) {
            if (info.isDirectory) {
                reason = target + " is a folder";
                return false;
            }
            if (!options.overwrite) {
                reason = target + " exists (use -o to overwrite)";
                return false;
            }
        }
        return true;
    }

    void Fail(std::size_t member, const std::string& reason)
    {
        m_result.failed++;
        m_messages << "arch: " << m_cabinet << ": \"" << m_directory.members[member].name
                   << "\" not extracted: " << reason << "\n";
    }

    FileSystem& m_fs;
    const std::string& m_cabinet;
    const CabinetDirectory& m_directory;
    ExtractResult& m_result;
    std::ostream& m_messages;
    std::vector<MemberPlan> m_plans;
    std::string m_lastFolder; // with its separator
};

} // namespace

bool MakeDirectories(FileSystem& fs, const std::string& path, std::string& error)
{
    FileInfo info;
    if (fs.GetInfo(path, info)) {
        if (info.isDirectory) return true;
        error = path + ": is a file, not a folder";
        return false;
    }
    std::size_t cut = path.size();
    while (cut > 0 && IsSeparator(path[cut - 1])) --cut; // trailing separators
    std::size_t parent = cut;
    while (parent > 0 && !IsSeparator(path[parent - 1])) --parent;
    if (parent > 1) {
        std::string above = path.substr(0, parent - 1);
        if (!(above.size() == 2 && above[1] == ':') && !MakeDirectories(fs, above, error)) return false;
    }
    return fs.MakeDirectory(path.substr(0, cut), error);
}

bool ExtractCabinet(FileSystem& fs, const std::string& cabinetPath, const std::string& destination,
                    const ExtractOptions& options, ExtractResult& result, std::ostream& messages)
{
    result = ExtractResult();
    std::string error;
    CabinetDirectory directory;
    std::unique_ptr<InputFile> in = OpenCabinet(fs, cabinetPath, directory, messages);
    if (!in) return false;
    const std::string folder = destination.empty() ? "." : destination;
    if (!MakeDirectories(fs, folder, error)) {
        messages << "arch: " << error << "\n";
        return false;
    }

    Extraction extraction(fs, cabinetPath, directory, result, messages);
    extraction.Plan(folder, options);
    extraction.FailUnreachable();
    // A folder that cannot be decoded fails each of its files, and each
    // says why.
    for (std::size_t f = 0; f < directory.folders.size(); ++f) ExtractFolder(*in, directory, f, extraction, error);
    return result.failed == 0;
}

} // namespace arch
