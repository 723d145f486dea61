#include "tests/arch/host_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "arch/arch_app.h"
#include "arch/file_system.h"

namespace fs = std::filesystem;

namespace archtest {

ScratchDir::ScratchDir()
{
    std::string templ = (fs::temp_directory_path() / "arch-test-XXXXXX").string();
    std::vector<char> buffer(templ.begin(), templ.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) std::abort();
    m_path = buffer.data();
}

ScratchDir::~ScratchDir()
{
    // Read-only files and folders are removed too.
    RunShell("chmod -R u+rwX " + ShellQuote(m_path) + " 2>/dev/null");
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

Ran RunShell(const std::string& command)
{
    Ran ran;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return ran;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) ran.output.append(buffer, n);
    int status = ::pclose(pipe);
    ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return ran;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::map<std::string, std::string> TreeContents(const std::string& root)
{
    std::map<std::string, std::string> tree;
    if (!fs::is_directory(root)) return tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        tree[fs::relative(entry.path(), root).generic_string()] = ReadBytes(entry.path().string());
    }
    return tree;
}

ArchRun RunArchiver(const std::vector<std::string>& args)
{
    ArchRun run;
    std::ostringstream out, err;
    std::unique_ptr<arch::FileSystem> files = arch::MakeNativeFileSystem();
    run.code = arch::RunArch(args, *files, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string FixturesDir() { return ARCH_CAB_FIXTURES; }

std::string SamplePhoto() { return ReadBytes(ARCH_TEST_PHOTO); }

std::string SampleProgram() { return ReadBytes(ARCH_TEST_PROGRAM); }

} // namespace archtest
