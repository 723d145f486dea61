// MSZIP folders: each data block is "CK" and a raw deflate stream that ends
// in the block; the previous frame serves as the history (preset
// dictionary) of the next one.
#pragma once

#include <memory>

#include "arch/codec.h"

namespace cab {

// level: zlib's compression level, 1 (fast) to 9 (small).
std::unique_ptr<FolderEncoder> MakeMszipEncoder(int level = 6);
std::unique_ptr<FolderDecoder> MakeMszipDecoder();

} // namespace cab
