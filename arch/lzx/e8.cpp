#include "arch/lzx/e8.h"

#include <cstring>

#include "arch/byte_order.h"
#include "arch/lzx/format.h"

namespace cab::lzx {
namespace {

int32_t Load32(const uint8_t* p) { return static_cast<int32_t>(GetLe32(p)); }

void Store32(uint8_t* p, int32_t value) { PutLe32(p, static_cast<uint32_t>(value)); }

// Walks the 0xE8 bytes the way the decoder sees them: an operand is skipped
// after each one, so both directions visit the same positions.
template <typename Translate>
void ForEachCall(uint8_t* frame, std::size_t size, uint32_t frameOffset, Translate translate)
{
    if (size <= kE8Tail) return;
    const std::size_t end = size - kE8Tail;
    std::size_t i = 0;
    while (i < end) {
        // Most bytes are not 0xE8: memchr skips them many at a time.
        const void* found = std::memchr(frame + i, 0xE8, end - i);
        if (!found) return;
        i = static_cast<std::size_t>(static_cast<const uint8_t*>(found) - frame);
        // Positions stay below 2^30, so they fit the signed arithmetic.
        const int32_t pos = static_cast<int32_t>(frameOffset + i);
        uint8_t* operand = frame + i + 1;
        int32_t value = Load32(operand);
        if (translate(value, pos)) Store32(operand, value);
        i += 5;
    }
}

} // namespace

void E8Encode(uint8_t* frame, std::size_t size, uint32_t frameOffset, int32_t translationSize)
{
    ForEachCall(frame, size, frameOffset, [translationSize](int32_t& value, int32_t pos) {
        // Relative targets inside [-pos, translationSize) become absolute
        // ones; the decoder maps exactly that range back.
        if (value < -pos || value >= translationSize) return false;
        if (value < translationSize - pos)
            value += pos;
        else
            value -= translationSize;
        return true;
    });
}

void E8Decode(uint8_t* frame, std::size_t size, uint32_t frameOffset, int32_t translationSize)
{
    ForEachCall(frame, size, frameOffset, [translationSize](int32_t& value, int32_t pos) {
        if (value < -pos || value >= translationSize) return false;
        if (value >= 0)
            value -= pos;
        else
            value += translationSize;
        return true;
    });
}

} // namespace cab::lzx
