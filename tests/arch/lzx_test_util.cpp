#include "tests/arch/lzx_test_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include "arch/codec.h"

namespace lzxtest {

bool DecodeFolder(const std::vector<DataBlock>& blocks, int windowBits, std::vector<uint8_t>& out,
                  std::string& error) {
    auto decoder = cab::MakeLzxDecoder(windowBits);
    if (!decoder) {
        error = "no decoder for this window";
        return false;
    }
    out.clear();
    for (const DataBlock& block : blocks) {
        const std::size_t at = out.size();
        out.resize(at + block.uncompressedSize);
        if (!decoder->DecodeFrame(block.compressed.data(), block.compressed.size(), out.data() + at,
                                  block.uncompressedSize, error))
            return false;
    }
    return true;
}

std::string Sha256(const std::vector<uint8_t>& bytes) {
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/data";
    WriteFile(path, bytes);
    std::string result;
    if (FILE* p = popen(("sha256sum '" + path + "'").c_str(), "r")) {
        char buf[65] = {};
        if (fread(buf, 1, 64, p) == 64)
            result.assign(buf, 64);
        pclose(p);
    }
    Run("rm -rf '" + dir + "'");
    return result;
}

int Run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MakeTempDir() {
    char pattern[] = "/tmp/lzxtest.XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "/tmp";
}

} // namespace lzxtest
