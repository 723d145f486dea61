// The archiver's file system on Win32, with ANSI paths like the program
// that runs it; times are local, as cabinets keep them.
#include "arch/file_system.h"

#include <windows.h>

#include "arch/cab_format.h"

namespace arch {

namespace {

std::string ErrorText(const std::string& path)
{
    const DWORD code = ::GetLastError();
    char buffer[512] = {0};
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                               sizeof buffer, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "system error " + std::to_string(code);
    return path + ": " + text;
}

FileInfo MakeInfo(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written)
{
    FileInfo info;
    info.isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.isLinkedDirectory = info.isDirectory && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    info.size = info.isDirectory ? 0 : (static_cast<uint64_t>(sizeHigh) << 32) | sizeLow;
    FILETIME local;
    WORD date = (1 << 5) | 1, time = 0;
    if (::FileTimeToLocalFileTime(&written, &local)) ::FileTimeToDosDateTime(&local, &date, &time);
    info.dosDate = date;
    info.dosTime = time;
    info.attributes = static_cast<uint16_t>(attributes & cab::kAttrFileMask);
    return info;
}

bool SeekTo(HANDLE h, uint64_t offset)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return ::SetFilePointerEx(h, to, nullptr, FILE_BEGIN) != 0;
}

class WinInput : public InputFile {
public:
    WinInput(HANDLE h, uint64_t size) : m_handle(h), m_size(size) {}
    ~WinInput() override { ::CloseHandle(m_handle); }
    uint64_t Size() const override { return m_size; }
    bool ReadAt(uint64_t offset, void* buffer, std::size_t size) override
    {
        if (!SeekTo(m_handle, offset)) return false;
        auto* p = static_cast<char*>(buffer);
        while (size > 0) {
            DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            DWORD got = 0;
            if (!::ReadFile(m_handle, p, want, &got, nullptr) || got == 0) return false;
            p += got;
            size -= got;
        }
        return true;
    }

private:
    HANDLE m_handle;
    uint64_t m_size;
};

class WinOutput : public OutputFile {
public:
    explicit WinOutput(HANDLE h) : m_handle(h) {}
    ~WinOutput() override
    {
        if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    }
    bool Write(const void* data, std::size_t size) override
    {
        if (!WriteAt(m_end, data, size)) return false;
        m_end += size;
        return true;
    }
    bool WriteAt(uint64_t offset, const void* data, std::size_t size) override
    {
        if (!SeekTo(m_handle, offset)) return false;
        const auto* p = static_cast<const char*>(data);
        while (size > 0) {
            DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
            DWORD put = 0;
            if (!::WriteFile(m_handle, p, want, &put, nullptr) || put == 0) return false;
            p += put;
            size -= put;
        }
        return true;
    }
    bool Close() override
    {
        HANDLE h = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(h) != 0;
    }

private:
    HANDLE m_handle;
    uint64_t m_end = 0;
};

class WinFileSystem : public FileSystem {
public:
    char Separator() const override { return '\\'; }

    bool GetInfo(const std::string& path, FileInfo& info) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        info = MakeInfo(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
        return true;
    }

    bool ListDirectory(const std::string& path, std::vector<DirectoryEntry>& entries, std::string& error) override
    {
        entries.clear();
        std::string pattern = path;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/' && pattern.back() != ':')
            pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA(pattern.c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_NOT_FOUND) return true; // an empty drive root
            error = ErrorText(path);
            return false;
        }
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            DirectoryEntry entry;
            entry.name = name;
            entry.info =
                MakeInfo(found.dwFileAttributes, found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime);
            entries.push_back(entry);
        } while (::FindNextFileA(h, &found));
        ::FindClose(h);
        return true;
    }

    std::unique_ptr<InputFile> OpenRead(const std::string& path, std::string& error) override
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            error = ErrorText(path);
            return nullptr;
        }
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(h, &size)) {
            error = ErrorText(path);
            ::CloseHandle(h);
            return nullptr;
        }
        return std::make_unique<WinInput>(h, static_cast<uint64_t>(size.QuadPart));
    }

    std::unique_ptr<OutputFile> Create(const std::string& path, bool mustBeNew, std::string& error) override
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, mustBeNew ? CREATE_NEW : CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            error = ErrorText(path);
            return nullptr;
        }
        return std::make_unique<WinOutput>(h);
    }

    bool MakeDirectory(const std::string& path, std::string& error) override
    {
        if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
        const DWORD a = ::GetFileAttributesA(path.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) return true;
        error = ErrorText(path);
        return false;
    }

    bool Replace(const std::string& from, const std::string& to, std::string& error) override
    {
        // A file just written is often opened for a moment by a virus
        // scanner, an indexer or the shell's preview: the rename waits for
        // it a little before it counts as failed.
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
            const DWORD code = ::GetLastError();
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION) break;
            ::Sleep(100);
        }
        // A read-only file in the way is replaced too (the -o promise).
        const DWORD a = ::GetFileAttributesA(to.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY) &&
            (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
            ::SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL) &&
            ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        error = ErrorText(to);
        return false;
    }

    bool RemoveFile(const std::string& path) override { return ::DeleteFileA(path.c_str()) != 0; }

    bool SetTimeAndAttributes(const std::string& path, uint16_t dosDate, uint16_t dosTime, uint16_t attributes) override
    {
        bool ok = false;
        FILETIME local, utc;
        if (::DosDateTimeToFileTime(dosDate, dosTime, &local) && ::LocalFileTimeToFileTime(&local, &utc)) {
            HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                ok = ::SetFileTime(h, nullptr, nullptr, &utc) != 0;
                ::CloseHandle(h);
            }
        }
        const DWORD a = attributes & cab::kAttrFileMask;
        return ::SetFileAttributesA(path.c_str(), a ? a : FILE_ATTRIBUTE_NORMAL) && ok;
    }

    bool StoredNameToNative(const std::string& stored, bool utf8, std::string& native) override
    {
        if (!utf8 || stored.empty()) {
            native = stored;
            return true;
        }
        const int n = static_cast<int>(stored.size());
        int wide = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, stored.data(), n, nullptr, 0);
        if (wide <= 0) return false;
        std::wstring w(static_cast<std::size_t>(wide), L'\0');
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, stored.data(), n, &w[0], wide);
        BOOL lossy = FALSE;
        int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), wide, nullptr, 0, nullptr, &lossy);
        if (bytes <= 0 || lossy) return false;
        native.assign(static_cast<std::size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), wide, &native[0], bytes, nullptr, &lossy);
        return !lossy;
    }

    bool StoresNameAsUtf8(const std::string&) override { return false; }
};

} // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() { return std::make_unique<WinFileSystem>(); }

} // namespace arch
