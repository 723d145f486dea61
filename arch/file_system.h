// What the archiver needs of the file system, with one implementation on
// Win32 (ANSI paths, as the rest of the program) and one on POSIX. Paths
// are native: the platform's separator and encoding (the ANSI code page on
// Windows, bytes on POSIX).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace arch {

struct FileInfo {
    bool isDirectory = false;
    // Symbolic links and junctions to folders are not followed when
    // recursing, so that a loop cannot make packing endless.
    bool isLinkedDirectory = false;
    uint64_t size = 0;
    // Last-write time as local MS-DOS date and time.
    uint16_t dosDate = 0;
    uint16_t dosTime = 0;
    // Cabinet attribute bits (read-only, hidden, system, archive).
    uint16_t attributes = 0;
};

struct DirectoryEntry {
    std::string name;
    FileInfo info;
};

class InputFile {
public:
    virtual ~InputFile() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `size` bytes at `offset`; false when fewer are there.
    virtual bool ReadAt(uint64_t offset, void* buffer, std::size_t size) = 0;
};

class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Appends at the end of what was written so far.
    virtual bool Write(const void* data, std::size_t size) = 0;
    // Overwrites bytes already written.
    virtual bool WriteAt(uint64_t offset, const void* data, std::size_t size) = 0;
    // Flushes and closes; false when the data did not all reach the file.
    virtual bool Close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual char Separator() const = 0;
    // False when nothing is at the path.
    virtual bool GetInfo(const std::string& path, FileInfo& info) = 0;
    virtual bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, std::string& error) = 0;
    virtual std::unique_ptr<InputFile> OpenRead(const std::string& path, std::string& error) = 0;
    // Creates the file; with `mustBeNew` fails when something is at the
    // path, else empties an existing file.
    virtual std::unique_ptr<OutputFile> Create(const std::string& path, bool mustBeNew, std::string& error) = 0;
    // Creates one folder; true when a folder is there afterwards.
    virtual bool MakeDirectory(const std::string& path, std::string& error) = 0;
    // Renames `from` to `to`, replacing a file at `to` (read-only or not).
    virtual bool Replace(const std::string& from, const std::string& to, std::string& error) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    virtual bool SetTimeAndAttributes(const std::string& path, uint16_t dosDate, uint16_t dosTime,
                                      uint16_t attributes) = 0;

    // A stored name (bytes, UTF-8 when `utf8`) in the native encoding;
    // false when it has no native form.
    virtual bool StoredNameToNative(const std::string& stored, bool utf8, std::string& native) = 0;
    // Whether a native name is stored with the cabinet's "name is UTF-8" mark.
    virtual bool StoresNameAsUtf8(const std::string& native) = 0;
};

std::unique_ptr<FileSystem> MakeNativeFileSystem();

} // namespace arch
