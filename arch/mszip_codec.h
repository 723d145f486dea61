// MSZIP folders: each data block is "CK" and a raw deflate stream that ends
// in the block; the previous frame serves as the history (preset
// dictionary) of the next one.
#pragma once

#include <memory>

#include "arch/codec.h"

namespace cab {

// level: zlib's compression level, 1 (fast) to 9 (small). Level 5 with the
// history kept across frames packs as fast as peers that start every frame
// afresh at zlib's default level, and smaller; the program's window is
// blocked while it packs, so speed counts.
constexpr int kDefaultMszipLevel = 5;
std::unique_ptr<FolderEncoder> MakeMszipEncoder(int level = kDefaultMszipLevel);
std::unique_ptr<FolderDecoder> MakeMszipDecoder();

} // namespace cab
