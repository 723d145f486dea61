#include "tests/support/test_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace testenv {

std::string HostToWindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string SourceDir() { return HostToWindowsPath(AMBREL_SOURCE_DIR); }

std::string BinaryDir() { return HostToWindowsPath(AMBREL_BINARY_DIR); }

std::string BuiltProgram(const std::string& relativePath) { return BinaryDir() + "\\" + relativePath; }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsDirectory(const std::string& path)
{
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::string::size_type slash = path.find_last_of('\\');
    if (slash != std::string::npos) MakeDirectories(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

void MakeDirectories(const std::string& path)
{
    if (path.empty() || IsDirectory(path)) return;
    std::string::size_type slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2) MakeDirectories(path.substr(0, slash));
    ::CreateDirectoryA(path.c_str(), nullptr);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(full.c_str());
            }
        } while (::FindNextFileA(h, &data));
        ::FindClose(h);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

void CopyTree(const std::string& from, const std::string& to)
{
    MakeDirectories(to);
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((from + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name);
        else
            ::CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
}

namespace {
void ListInto(const std::string& folder, const std::string& prefix, std::vector<std::string>& out, bool withFolders)
{
    WIN32_FIND_DATAA data;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (withFolders) out.push_back(prefix + name + "\\");
            ListInto(folder + "\\" + name, prefix + name + "\\", out, withFolders);
        } else
            out.push_back(prefix + name);
    } while (::FindNextFileA(h, &data));
    ::FindClose(h);
}
} // namespace

std::vector<std::string> ListFiles(const std::string& folder, bool withFolders)
{
    std::vector<std::string> out;
    ListInto(folder, "", out, withFolders);
    std::sort(out.begin(), out.end());
    return out;
}

void SetRegistryString(HKEY root, const std::string& subkey, const char* valueName, const std::string& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ::RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
}

bool GetRegistryString(HKEY root, const std::string& subkey, const char* valueName, std::string& value)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1;
    DWORD type = 0;
    LONG rc = ::RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return false;
    value = buffer;
    return true;
}

void DeleteRegistryTree(HKEY root, const std::string& subkey)
{
    ::RegDeleteTreeA(root, subkey.c_str());
    ::RegDeleteKeyA(root, subkey.c_str());
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string CurrentTestName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "no-test";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':') c = '_';
    return name;
}

TestRoot::TestRoot(const std::string& name, bool writeDataFolder)
{
    m_base = "C:\\ambrel-tests\\" + name;
    RemoveTree(m_base);
    MakeDirectories(m_base);
    m_root = m_base + "\\root\\";
    MakeDirectories(m_root + "corvane\\res\\utilities\\ambrel");
    SetRegistryString(HKEY_LOCAL_MACHINE, "Software\\Corvane", "Path", m_root);
    if (writeDataFolder) {
        std::string data = m_base + "\\Data\\";
        MakeDirectories(data);
        WriteFile(m_root + "corvane\\res\\corvane.ini", "[Parameters]\r\nData Folder=" + data + "\r\n");
        m_data = Lower(data);
    }
}

void TestRoot::InstallProgram(const std::string& builtRelativePath, const std::string& asName)
{
    std::string from = BuiltProgram(builtRelativePath);
    ASSERT_TRUE(Exists(from)) << from;
    ASSERT_TRUE(::CopyFileA(from.c_str(), (ProgramFolder() + asName).c_str(), FALSE)) << from;
}

void TestRoot::InstallArchiver() { InstallProgram("arch\\arch.exe", "arch.exe"); }

void TestRoot::InstallTemplate() { CopyTree(SourceDir() + "\\data\\template", ProgramFolder() + "template"); }

void TestRoot::InstallFlashPlayer() { CopyTree(BinaryDir() + "\\flash", ProgramFolder() + "flash"); }

void TestRoot::InstallReadmes()
{
    for (const char* page : {"readme.html", "snapvalereadme.html"})
        ::CopyFileA((SourceDir() + "\\data\\" + page).c_str(), (ProgramFolder() + page).c_str(), FALSE);
}

Recorder::Recorder()
{
    static int counter = 0;
    std::string dir = "C:\\ambrel-tests\\recorder";
    MakeDirectories(dir);
    m_log = dir + "\\" + CurrentTestName() + "." + std::to_string(::GetCurrentProcessId()) + "." +
            std::to_string(++counter) + ".log";
    ::DeleteFileA(m_log.c_str());
    ::SetEnvironmentVariableA("AMBREL_RECORDER_LOG", m_log.c_str());

    const std::string command = "\"" + BuiltProgram("tests\\support\\recorder.exe") + "\" \"%1\"";
    for (const char* ext : {".html", ".htm"}) SetRegistryString(HKEY_CLASSES_ROOT, ext, nullptr, "AmbrelTest.Page");
    SetRegistryString(HKEY_CLASSES_ROOT, "AmbrelTest.Page\\shell\\open\\command", nullptr, command);
}

std::vector<std::string> Recorder::Lines() const
{
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(m_log));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

bool Recorder::WaitForLines(size_t count, DWORD timeoutMs) const
{
    DWORD start = ::GetTickCount();
    while (Lines().size() < count) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(50);
    }
    return true;
}

bool Recorder::StaysAt(size_t count, DWORD waitMs) const
{
    ::Sleep(waitMs);
    return Lines().size() == count;
}

} // namespace testenv
