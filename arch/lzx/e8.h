// The Intel call translation of cabinet LZX: the 32-bit operand after each
// 0xE8 byte is stored as an absolute target while compressing, which makes
// calls to the same function repeat, and turned back on decompression.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cab::lzx {

// Both act on one frame in place. `frameOffset` is the frame's offset in the
// folder's uncompressed stream; `translationSize` the value the stream
// header carries. Frames of 10 bytes or fewer and the last 10 bytes of every
// frame are left as they are. The caller applies them only to the first
// kE8FrameLimit frames.
void E8Encode(uint8_t* frame, std::size_t size, uint32_t frameOffset, int32_t translationSize);
void E8Decode(uint8_t* frame, std::size_t size, uint32_t frameOffset, int32_t translationSize);

} // namespace cab::lzx
