#include "tests/arch/lzx_test_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <glob.h>
#include <sys/wait.h>

#include "arch/codec.h"
#include "bench/lzx_corpus.h"

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

std::vector<DataBlock> EncodeFolder(const std::vector<uint8_t>& data, int windowBits, int level) {
    auto encoder = cab::MakeLzxEncoder(windowBits, level);
    std::vector<DataBlock> blocks;
    for (std::size_t at = 0; at < data.size(); at += cab::kFrameSize) {
        const std::size_t n = std::min(cab::kFrameSize, data.size() - at);
        DataBlock block;
        block.uncompressedSize = n;
        encoder->EncodeFrame(data.data() + at, n, block.compressed);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// An x86-64 program: code full of E8 call instructions. A mingw-built DLL
// when the toolchain is there, this test program otherwise.
std::vector<uint8_t> X86Code() {
    glob_t g;
    std::vector<uint8_t> bytes;
    if (glob("/usr/lib/gcc/x86_64-w64-mingw32/*/libgcc_s_seh-1.dll", 0, nullptr, &g) == 0 && g.gl_pathc > 0)
        bytes = ReadFile(g.gl_pathv[0]);
    globfree(&g);
    if (bytes.empty())
        bytes = ReadFile("/proc/self/exe");
    bytes.resize(std::min<std::size_t>(bytes.size(), 400000));
    return bytes;
}

std::vector<uint8_t> Jpeg() {
    const std::string dir = MakeTempDir();
    const std::string path = dir + "/photo.jpg";
    std::vector<uint8_t> bytes;
    if (RunCommand("convert -seed 7 -size 480x360 plasma:fractal -quality 90 '" + path + "' 2>/dev/null") == 0)
        bytes = ReadFile(path);
    RunCommand("rm -rf '" + dir + "'");
    return bytes;
}

std::vector<uint8_t> TextWithFarRepeats(std::size_t size, std::size_t distance, uint32_t seed) {
    std::vector<uint8_t> data = lzxcorpus::Text(size, seed);
    for (std::size_t at = distance; at + 300 <= data.size(); at += 7919)
        std::copy(data.begin() + static_cast<std::ptrdiff_t>(at - distance),
                  data.begin() + static_cast<std::ptrdiff_t>(at - distance + 300),
                  data.begin() + static_cast<std::ptrdiff_t>(at));
    return data;
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
    RunCommand("rm -rf '" + dir + "'");
    return result;
}

int RunCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string MakeTempDir() {
    char pattern[] = "/tmp/lzxtest.XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "/tmp";
}

} // namespace lzxtest
