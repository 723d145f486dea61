// The ground the Windows tests stand on: a fresh install root and data folder
// per test, registered where the program looks for them, and the recorder
// that stands in for the browser. Everything here uses the real registry,
// files and processes of the test run's own Wine prefix.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testenv {

// "Z:\..." for a path of the Linux file system (Wine's drive Z: is "/").
std::string HostToWindowsPath(const std::string& unixPath);
std::string SourceDir();
std::string BinaryDir();
// A program built in this build tree, by its path below the tree
// ("arch\arch.exe", "tests\support\recorder.exe").
std::string BuiltProgram(const std::string& relativePath);

bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
void MakeDirectories(const std::string& path);
void RemoveTree(const std::string& path);
void CopyTree(const std::string& from, const std::string& to);
// Every file below a folder, as relative paths with backslashes, sorted;
// with `withFolders`, every folder too, its path ending in a backslash.
std::vector<std::string> ListFiles(const std::string& folder, bool withFolders = false);

void SetRegistryString(HKEY root, const std::string& subkey, const char* valueName, const std::string& value);
// Reads a string value; false when it is missing.
bool GetRegistryString(HKEY root, const std::string& subkey, const char* valueName, std::string& value);
void DeleteRegistryTree(HKEY root, const std::string& subkey);

// Lower-case copy (ASCII), for paths that the shell hands on in another case.
std::string Lower(std::string text);

// The running test's name, usable in a path.
std::string CurrentTestName();

// A fresh install root C:\ambrel-tests\<test>\root\ registered as
// HKLM\Software\Corvane "Path", and a data folder (...\<test>\Data\ below
// the same base) named in the family settings file. Anything left from an earlier run of the
// same test is removed first.
class TestRoot {
public:
    explicit TestRoot(const std::string& name = CurrentTestName(), bool writeDataFolder = true);

    std::string Base() const { return m_base; }
    // The install root, with its trailing backslash.
    std::string Root() const { return m_root; }
    // The data folder as the program reports it (lower case, trailing backslash).
    std::string DataFolder() const { return m_data; }
    std::string WorkFolder() const { return m_data + "ambrel\\temp\\"; }
    // root + "corvane\res\utilities\ambrel\"
    std::string ProgramFolder() const { return m_root + "corvane\\res\\utilities\\ambrel\\"; }

    // Copies a built program into the program folder under another name.
    void InstallProgram(const std::string& builtRelativePath, const std::string& asName);
    void InstallArchiver();
    void InstallTemplate();
    // The flash folder beside the template (the movie page and the Flash
    // player), as the build lays it out.
    void InstallFlashPlayer();
    void InstallReadmes();

private:
    std::string m_base;
    std::string m_root;
    std::string m_data;
};

// The recorder as the browser: .html and .htm open with recorder.exe, which
// writes each path it is given into this object's log.
class Recorder {
public:
    Recorder();
    std::string LogPath() const { return m_log; }
    std::vector<std::string> Lines() const;
    // Waits until the log holds at least `count` lines.
    bool WaitForLines(size_t count, DWORD timeoutMs = 15000) const;
    // Makes sure no further line arrives within the time.
    bool StaysAt(size_t count, DWORD waitMs = 2000) const;

private:
    std::string m_log;
};

} // namespace testenv
