// Feeds the LZX decoder arbitrary data blocks. Input: one byte choosing the
// window (15 + b % 7), then frames, each as a 16-bit little-endian block
// size, a 16-bit uncompressed size (taken modulo 32768, plus one) and the
// block's bytes. Every buffer has exactly its size, so the sanitizers see
// any read or write outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "arch/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    auto decoder = cab::MakeLzxDecoder(15 + data[0] % 7);
    std::size_t at = 1;
    std::string error;
    while (size - at >= 4) {
        std::size_t blockSize = static_cast<std::size_t>(data[at] | data[at + 1] << 8);
        const std::size_t outSize = static_cast<std::size_t>(data[at + 2] | data[at + 3] << 8) % cab::kFrameSize + 1;
        at += 4;
        if (blockSize > size - at) blockSize = size - at;
        const std::vector<uint8_t> block(data + at, data + at + blockSize);
        std::vector<uint8_t> out(outSize);
        at += blockSize;
        if (!decoder->DecodeFrame(block.data(), block.size(), out.data(), out.size(), error)) {
            if (error.empty()) std::abort();
            // A folder that failed once refuses every later block.
            if (decoder->DecodeFrame(block.data(), block.size(), out.data(), out.size(), error)) std::abort();
            break;
        }
    }
    return 0;
}
