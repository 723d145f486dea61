// How far a command of the archiver has come, told as it goes: to a program
// that drives the archiver, as lines on standard output (option --progress),
// and to a person at a terminal, as one line on standard error that keeps
// being rewritten. The count is of the bytes read: of the files being packed
// against their total, or of the cabinet being extracted against its size.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

#include "arch/file_system.h"

namespace arch {

class ProgressReport {
public:
    virtual ~ProgressReport() = default;
    // A new cabinet is being written under this temporary name; it takes its
    // own name only when complete.
    virtual void Partial(const std::string& path) = 0;
    virtual void Advance(uint64_t done, uint64_t total) = 0;
    // The command has ended (successfully or not).
    virtual void Finish() = 0;
};

// "partial <path>" and "progress <done> <total>" lines, each flushed at once.
// Documented in the help text; programs depend on the form.
std::unique_ptr<ProgressReport> MakeMachineProgress(std::ostream& out);

// "arch: packing  45% (120 of 270 MB)", rewritten in place with a carriage
// return and ended with a new line.
std::unique_ptr<ProgressReport> MakeTerminalProgress(std::ostream& err, const std::string& verb);

// A file system that counts the bytes read through it and tells a report,
// at most every 256 KiB and at the end of each file. The total is given by
// the command (packing) or taken from the first file opened (extraction: the
// cabinet).
class ProgressFileSystem : public FileSystem {
public:
    ProgressFileSystem(FileSystem& base, ProgressReport& report) : m_base(base), m_report(report) {}

    // Packing: the bytes to read in all, and every file created is the
    // cabinet's temporary file, to be told as partial.
    void SetPacking(uint64_t total)
    {
        m_total = total;
        m_tellCreated = true;
    }
    // Counts `bytes` read; called by the files this file system opened.
    void Count(uint64_t bytes, bool endOfFile);
    // The command has ended: the report says its last.
    void Finish() { m_report.Finish(); }

    char Separator() const override { return m_base.Separator(); }
    bool GetInfo(const std::string& path, FileInfo& info) override { return m_base.GetInfo(path, info); }
    bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, std::string& error) override
    {
        return m_base.ListDirectory(path, entries, error);
    }
    std::unique_ptr<InputFile> OpenRead(const std::string& path, std::string& error) override;
    std::unique_ptr<OutputFile> Create(const std::string& path, bool mustBeNew, std::string& error) override;
    bool MakeDirectory(const std::string& path, std::string& error) override
    {
        return m_base.MakeDirectory(path, error);
    }
    bool Replace(const std::string& from, const std::string& to, std::string& error) override
    {
        return m_base.Replace(from, to, error);
    }
    bool RemoveFile(const std::string& path) override { return m_base.RemoveFile(path); }
    bool SetTimeAndAttributes(const std::string& path, uint16_t dosDate, uint16_t dosTime, uint16_t attributes) override
    {
        return m_base.SetTimeAndAttributes(path, dosDate, dosTime, attributes);
    }
    bool StoredNameToNative(const std::string& stored, bool utf8, std::string& native) override
    {
        return m_base.StoredNameToNative(stored, utf8, native);
    }
    bool StoresNameAsUtf8(const std::string& native) override { return m_base.StoresNameAsUtf8(native); }

private:
    FileSystem& m_base;
    ProgressReport& m_report;
    std::mutex m_mutex; // files may be read from several threads
    uint64_t m_total = 0;
    uint64_t m_done = 0;
    uint64_t m_told = 0;
    bool m_tellCreated = false;
};

} // namespace arch
