#include "system/install_paths.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "framework/ansi_text.h"
#include "model/install_layout.h"

std::string g_strDataFolder;

std::string GetInstallRoot()
{
    // A setup run without administrator rights records its root in the
    // user's own hive. That one is only consulted when the machine has no
    // root at all: a machine-wide value that cannot be read still gives "c:\".
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(hive, "Software\\Corvane", 0, KEY_READ, &key) != ERROR_SUCCESS) continue;

        // A value that does not fit the buffer fails the read, which gives
        // "c:\". The stored type is not examined.
        const DWORD kBufferSize = 10000;
        std::vector<char> buffer(kBufferSize, '\0');
        DWORD size = kBufferSize;
        LONG rc = ::RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
        ::RegCloseKey(key);
        if (rc == ERROR_FILE_NOT_FOUND) continue;
        if (rc != ERROR_SUCCESS) return layout::kDefaultInstallRoot;

        // Up to the first zero byte; a value that fills the whole buffer
        // without one still ends at the buffer's end.
        std::string::size_type length = 0;
        while (length < kBufferSize && buffer[length] != '\0') ++length;
        return std::string(buffer.data(), length);
    }
    return layout::kDefaultInstallRoot;
}

namespace {
// The user's documents folder with a backslash appended, or "" when the
// lookup fails.
std::string DocumentsFolder()
{
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(::GetDesktopWindow(), CSIDL_PERSONAL, &pidl)) || !pidl)
        return std::string();
    char path[MAX_PATH] = {};
    BOOL ok = ::SHGetPathFromIDListA(pidl, path);
    ::CoTaskMemFree(pidl);
    if (!ok || path[0] == '\0') return std::string();
    std::string folder = path;
    // Some systems report the folder with its backslash already.
    if (folder.back() != '\\') folder += '\\';
    return folder;
}
} // namespace

std::string GetDataFolder(const std::string& root)
{
    if (!g_strDataFolder.empty()) return g_strDataFolder;

    char value[1024] = {};
    std::string settings = root + layout::kFamilySettingsFile;
    ::GetPrivateProfileStringA(layout::kParametersSection, layout::kDataFolderKey, "", value, sizeof(value),
                               settings.c_str());
    g_strDataFolder = value;

    if (g_strDataFolder.empty()) {
        // Without a documents folder the install root serves, as on systems
        // that have none.
        std::string documents = IsWindows2000OrLater() ? DocumentsFolder() : std::string();
        g_strDataFolder = documents.empty() ? root : documents;
    }

    g_strDataFolder = AnsiLower(g_strDataFolder);
    std::string lowerRoot = AnsiLower(root);
    if (g_strDataFolder != lowerRoot) ::CreateDirectoryA((g_strDataFolder + layout::kFamilyFolder).c_str(), nullptr);
    return g_strDataFolder;
}

std::string GetWorkFolder() { return GetDataFolder(GetInstallRoot()) + layout::kWorkFolder; }

BOOL IsWindows2000OrLater()
{
    OSVERSIONINFOEXA extended{};
    extended.dwOSVersionInfoSize = sizeof(extended);
    if (::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) return extended.dwMajorVersion > 4u;
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof(basic);
    if (::GetVersionExA(&basic)) return basic.dwMajorVersion > 4u;
    return FALSE;
}

void PrepareWorkFolders()
{
    std::string root = GetInstallRoot();
    std::string data = GetDataFolder(root);
    ::CreateDirectoryA((data + layout::kProgramFolder).c_str(), nullptr);
    ::CreateDirectoryA((data + "ambrel\\temp").c_str(), nullptr);
}
