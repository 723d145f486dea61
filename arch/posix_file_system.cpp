// The archiver's file system on POSIX: names are bytes, times local.
#include "arch/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "arch/cab_format.h"
#include "arch/dos_time.h"

namespace arch {

namespace {

std::string ErrorText(const std::string& path) { return path + ": " + std::strerror(errno); }

FileInfo InfoFromStat(const struct stat& st)
{
    FileInfo info;
    info.isDirectory = S_ISDIR(st.st_mode);
    info.size = info.isDirectory ? 0 : static_cast<uint64_t>(st.st_size);
    struct tm local;
    time_t seconds = st.st_mtime;
    CalendarTime t;
    if (localtime_r(&seconds, &local)) {
        t.year = local.tm_year + 1900;
        t.month = local.tm_mon + 1;
        t.day = local.tm_mday;
        t.hour = local.tm_hour;
        t.minute = local.tm_min;
        t.second = local.tm_sec;
    }
    ToDosDateTime(t, info.dosDate, info.dosTime);
    info.attributes = cab::kAttrArchive;
    if (!info.isDirectory && !(st.st_mode & S_IWUSR)) info.attributes |= cab::kAttrReadOnly;
    return info;
}

class PosixInput : public InputFile {
public:
    PosixInput(int fd, uint64_t size) : m_fd(fd), m_size(size) {}
    ~PosixInput() override { ::close(m_fd); }
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t size) override
    {
        auto* p = static_cast<char*>(buffer);
        while (size > 0) {
            ssize_t got = ::pread(m_fd, p, size, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return false;
            p += got;
            offset += static_cast<uint64_t>(got);
            size -= static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int m_fd;
    uint64_t m_size;
};

class PosixOutput : public OutputFile {
public:
    explicit PosixOutput(int fd) : m_fd(fd) {}
    ~PosixOutput() override
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    bool Write(const void* data, std::size_t size) override
    {
        if (!WriteAt(m_end, data, size)) return false;
        m_end += size;
        return true;
    }
    bool WriteAt(uint64_t offset, const void* data, std::size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        while (size > 0) {
            ssize_t put = ::pwrite(m_fd, p, size, static_cast<off_t>(offset));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            p += put;
            offset += static_cast<uint64_t>(put);
            size -= static_cast<std::size_t>(put);
        }
        return true;
    }
    bool Close() override
    {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
    uint64_t m_end = 0;
};

bool IsValidUtf8(const std::string& s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (n - i - 1 < extra) return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

class PosixFileSystem : public FileSystem {
public:
    char Separator() const override { return '/'; }

    bool GetInfo(const std::string& path, FileInfo& info) override
    {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0) return false;
        info = InfoFromStat(st);
        struct stat lst;
        if (info.isDirectory && ::lstat(path.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) info.isLinkedDirectory = true;
        return true;
    }

    bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, std::string& error) override
    {
        entries.clear();
        DIR* dir = ::opendir(path.c_str());
        if (!dir) {
            error = ErrorText(path);
            return false;
        }
        while (struct dirent* e = ::readdir(dir)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            DirectoryEntry entry;
            entry.name = name;
            std::string full = path;
            if (!full.empty() && full.back() != '/') full += '/';
            full += name;
            if (!GetInfo(full, entry.info)) continue; // a dangling link or a file gone meanwhile
            entries.push_back(entry);
        }
        ::closedir(dir);
        return true;
    }

    std::unique_ptr<InputFile> OpenRead(const std::string& path, std::string& error) override
    {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            error = ErrorText(path);
            return nullptr;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            error = path + ": not a file";
            ::close(fd);
            return nullptr;
        }
        return std::make_unique<PosixInput>(fd, static_cast<uint64_t>(st.st_size));
    }

    std::unique_ptr<OutputFile> Create(const std::string& path, bool mustBeNew, std::string& error) override
    {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (mustBeNew ? O_EXCL : O_TRUNC), 0666);
        if (fd < 0) {
            error = ErrorText(path);
            return nullptr;
        }
        return std::make_unique<PosixOutput>(fd);
    }

    bool MakeDirectory(const std::string& path, std::string& error) override
    {
        if (::mkdir(path.c_str(), 0777) == 0) return true;
        const int saved = errno;
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return true;
        errno = saved;
        error = ErrorText(path);
        return false;
    }

    bool Replace(const std::string& from, const std::string& to, std::string& error) override
    {
        if (::rename(from.c_str(), to.c_str()) == 0) return true;
        error = ErrorText(to);
        return false;
    }

    bool RemoveFile(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    bool SetTimeAndAttributes(const std::string& path, uint16_t dosDate, uint16_t dosTime, uint16_t attributes) override
    {
        CalendarTime t = FromDosDateTime(dosDate, dosTime);
        struct tm local;
        std::memset(&local, 0, sizeof local);
        local.tm_year = t.year - 1900;
        local.tm_mon = t.month - 1;
        local.tm_mday = t.day;
        local.tm_hour = t.hour;
        local.tm_min = t.minute;
        local.tm_sec = t.second;
        local.tm_isdst = -1;
        bool ok = true;
        time_t seconds = std::mktime(&local);
        if (seconds != static_cast<time_t>(-1)) {
            struct timeval times[2];
            times[0].tv_sec = times[1].tv_sec = seconds;
            times[0].tv_usec = times[1].tv_usec = 0;
            ok = ::utimes(path.c_str(), times) == 0;
        }
        if (attributes & cab::kAttrReadOnly) {
            struct stat st;
            if (::stat(path.c_str(), &st) == 0)
                ok = ::chmod(path.c_str(), st.st_mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) == 0 && ok;
        }
        return ok;
    }

    bool StoredNameToNative(const std::string& stored, bool, std::string& native) override
    {
        // Names are kept as the bytes stored, as other cabinet tools on
        // POSIX do.
        native = stored;
        return true;
    }

    bool StoresNameAsUtf8(const std::string& native) override
    {
        bool ascii = true;
        for (char c : native)
            if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
        return !ascii && IsValidUtf8(native);
    }
};

} // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() { return std::make_unique<PosixFileSystem>(); }

} // namespace arch
