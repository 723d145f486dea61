#include "arch/progress.h"

#include <cstdio>

namespace arch {

namespace {

// Tells how much is read at most this often, so that a slow reader of the
// lines never holds the archiver up.
constexpr uint64_t kTellEvery = 256 * 1024;

class MachineProgress final : public ProgressReport {
public:
    explicit MachineProgress(std::ostream& out) : m_out(out) {}
    void Partial(const std::string& path) override { m_out << "partial " << path << "\n" << std::flush; }
    void Advance(uint64_t done, uint64_t total) override
    {
        m_out << "progress " << done << " " << total << "\n" << std::flush;
    }
    void Finish() override {}

private:
    std::ostream& m_out;
};

class TerminalProgress final : public ProgressReport {
public:
    TerminalProgress(std::ostream& err, std::string verb) : m_err(err), m_verb(std::move(verb)) {}
    void Partial(const std::string&) override {}
    void Advance(uint64_t done, uint64_t total) override
    {
        const uint64_t percent = total ? (done >= total ? 100 : done * 100 / total) : 100;
        char line[128];
        std::snprintf(line, sizeof(line), "\rarch: %s %3u%% (%llu of %llu MB)", m_verb.c_str(),
                      static_cast<unsigned>(percent), static_cast<unsigned long long>(done >> 20),
                      static_cast<unsigned long long>(total >> 20));
        m_err << line << std::flush;
        m_shown = true;
    }
    void Finish() override
    {
        if (m_shown) m_err << "\n" << std::flush;
        m_shown = false;
    }

private:
    std::ostream& m_err;
    std::string m_verb;
    bool m_shown = false;
};

// A file opened for reading whose reads are counted. What counts is how far
// into the file reading has come, so that a part read again (a cabinet's
// header, say) is not counted twice.
class CountedInput final : public InputFile {
public:
    CountedInput(std::unique_ptr<InputFile> base, ProgressFileSystem& fs) : m_base(std::move(base)), m_fs(fs) {}
    uint64_t Size() const override { return m_base->Size(); }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t size) override
    {
        if (!m_base->ReadAt(offset, buffer, size)) return false;
        const uint64_t reached = offset + size;
        if (reached > m_reached) {
            m_fs.Count(reached - m_reached, reached >= m_base->Size());
            m_reached = reached;
        }
        return true;
    }

private:
    std::unique_ptr<InputFile> m_base;
    ProgressFileSystem& m_fs;
    uint64_t m_reached = 0;
};

} // namespace

std::unique_ptr<ProgressReport> MakeMachineProgress(std::ostream& out)
{
    return std::make_unique<MachineProgress>(out);
}

std::unique_ptr<ProgressReport> MakeTerminalProgress(std::ostream& err, const std::string& verb)
{
    return std::make_unique<TerminalProgress>(err, verb);
}

void ProgressFileSystem::Count(uint64_t bytes, bool endOfFile)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_done += bytes;
    if (m_done > m_total) m_total = m_done; // a file that grew while it was read
    if (endOfFile || m_done - m_told >= kTellEvery) {
        m_told = m_done;
        m_report.Advance(m_done, m_total);
    }
}

std::unique_ptr<InputFile> ProgressFileSystem::OpenRead(const std::string& path, std::string& error)
{
    std::unique_ptr<InputFile> in = m_base.OpenRead(path, error);
    if (!in) return in;
    {
        // Extraction reads one file, the cabinet: its size is the whole.
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_total == 0) m_total = in->Size();
    }
    return std::make_unique<CountedInput>(std::move(in), *this);
}

std::unique_ptr<OutputFile> ProgressFileSystem::Create(const std::string& path, bool mustBeNew, std::string& error)
{
    std::unique_ptr<OutputFile> out = m_base.Create(path, mustBeNew, error);
    // Packing creates one new file of its own: the cabinet's temporary file.
    if (out && m_tellCreated) m_report.Partial(path);
    return out;
}

} // namespace arch
