// Helpers of the archiver's host tests: scratch folders, peer programs
// (cabextract, gcab, sha256sum) run through the shell, file trees compared
// byte for byte, and cabinets built field by field from the published
// MS-CAB layout, for the damaged and hostile ones no writer would make.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/arch/crafted_cabinet.h"
#include "tests/arch/test_data.h"

namespace archtest {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& relative) const { return m_path + "/" + relative; }

private:
    std::string m_path;
};

std::string ReadBytes(const std::string& path);
// Writes a file, creating its folders.
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

struct Ran {
    int status = -1;    // exit status, or -1 when it did not end normally
    std::string output; // standard output and error together
};
Ran RunShell(const std::string& command);
std::string ShellQuote(const std::string& text);

// Every file below a folder: path relative to it with '/', and content.
std::map<std::string, std::string> TreeContents(const std::string& root);

// The archiver's own entry, with its standard output and error kept.
struct ArchRun {
    int code = -1;
    std::string out;
    std::string err;
};
ArchRun RunArchiver(const std::vector<std::string>& args);

// The fixtures folder of real cabinets.
std::string FixturesDir();

// Real files the build made for the LZX round trips: a photo (JPEG, from
// ImageMagick) and an x86-64 Windows program (from mingw-w64).
std::string SamplePhoto();
std::string SampleProgram();

} // namespace archtest
