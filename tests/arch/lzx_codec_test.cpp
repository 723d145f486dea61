// The codec on its own, built for every platform the archiver runs on
// (under Wine for the Windows build): encoder and decoder agree byte for
// byte, data blocks stay within their size limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arch/codec.h"
#include "bench/lzx_corpus.h"

namespace {

void ExpectRoundTrip(const std::vector<uint8_t>& data, int windowBits, int level) {
    auto encoder = cab::MakeLzxEncoder(windowBits, level);
    auto decoder = cab::MakeLzxDecoder(windowBits);
    ASSERT_TRUE(encoder && decoder);
    std::vector<uint8_t> block, decoded(data.size());
    std::string error;
    for (std::size_t at = 0; at < data.size(); at += cab::kFrameSize) {
        const std::size_t n = std::min(cab::kFrameSize, data.size() - at);
        block.clear();
        encoder->EncodeFrame(data.data() + at, n, block);
        EXPECT_LE(block.size(), cab::kFrameSize + 6144);
        ASSERT_TRUE(decoder->DecodeFrame(block.data(), block.size(), decoded.data() + at, n, error)) << error;
    }
    EXPECT_TRUE(decoded == data) << "LZX:" << windowBits << " level " << level;
}

} // namespace

TEST(LzxCodec, RoundTripsOnThisPlatform) {
    std::vector<uint8_t> mixed = lzxcorpus::Html(150000, 61);
    for (const auto& part : {lzxcorpus::Text(100000, 62), lzxcorpus::PdfLike(80000, 63), lzxcorpus::Random(50000, 64),
                             lzxcorpus::Runs(100000, 65)})
        mixed.insert(mixed.end(), part.begin(), part.end());
    for (int windowBits : {15, 18, 21})
        for (int level : {0, 1})
            ExpectRoundTrip(mixed, windowBits, level);
}
