// The call translation on hand-worked frames: which operands change, to
// what, and that decoding gives the original back.
#include <gtest/gtest.h>

#include <vector>

#include "arch/lzx/e8.h"

using cab::lzx::E8Decode;
using cab::lzx::E8Encode;

namespace {

std::vector<uint8_t> Frame(std::size_t size) { return std::vector<uint8_t>(size, 0x90); }

void PutCall(std::vector<uint8_t>& f, std::size_t at, uint32_t operand)
{
    f[at] = 0xE8;
    for (int i = 0; i < 4; ++i) f[at + 1 + i] = static_cast<uint8_t>(operand >> (8 * i));
}

uint32_t Operand(const std::vector<uint8_t>& f, std::size_t at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(f[at + 1 + i]) << (8 * i);
    return v;
}

} // namespace

TEST(LzxE8, RelativeTargetsBecomeAbsoluteAndBack)
{
    auto f = Frame(64);
    PutCall(f, 2, 0x10);        // at stream position 102: 0x10 + 102
    PutCall(f, 20, 0xFFFFFFCE); // -50 at position 120: becomes 70
    PutCall(f, 30, 995);        // 995 at 130, past 1000 - 130: becomes 995 - 1000
    PutCall(f, 40, 2000);       // beyond the translation size: left alone
    PutCall(f, 48, 0xFFFFFF00); // -256 at 148, before the stream start: left alone
    const auto original = f;
    E8Encode(f.data(), f.size(), 100, 1000);
    EXPECT_EQ(Operand(f, 2), 0x10u + 102);
    EXPECT_EQ(Operand(f, 20), 70u);
    EXPECT_EQ(Operand(f, 30), static_cast<uint32_t>(-5));
    EXPECT_EQ(Operand(f, 40), 2000u);
    EXPECT_EQ(Operand(f, 48), 0xFFFFFF00u);
    E8Decode(f.data(), f.size(), 100, 1000);
    EXPECT_EQ(f, original);
}

TEST(LzxE8, TailAndShortFramesAreNeverTouched)
{
    auto f = Frame(20);
    PutCall(f, 9, 1);  // the last call that may change: 9 < 20 - 10
    PutCall(f, 14, 1); // inside the last 10 bytes
    E8Encode(f.data(), f.size(), 0, 1000);
    EXPECT_EQ(Operand(f, 9), 10u);
    EXPECT_EQ(Operand(f, 14), 1u);

    auto shortFrame = Frame(10);
    PutCall(shortFrame, 0, 1);
    const auto before = shortFrame;
    E8Encode(shortFrame.data(), shortFrame.size(), 0, 1000);
    EXPECT_EQ(shortFrame, before);
}

TEST(LzxE8, OperandBytesAreNotCalls)
{
    auto f = Frame(32);
    PutCall(f, 0, 0x000000E8); // the operand's first byte is E8 itself
    f[5] = 0xE8;               // right after the operand: a call again
    f[6] = 3;
    f[7] = f[8] = f[9] = 0;
    E8Encode(f.data(), f.size(), 0, 1000);
    EXPECT_EQ(Operand(f, 0), 0xE8u + 0);
    EXPECT_EQ(Operand(f, 5), 3u + 5);
}
