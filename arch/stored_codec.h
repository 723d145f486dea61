// Folders without compression: each data block holds its frame as is.
#pragma once

#include <memory>

#include "arch/codec.h"

namespace cab {

std::unique_ptr<FolderEncoder> MakeStoredEncoder();
std::unique_ptr<FolderDecoder> MakeStoredDecoder();

} // namespace cab
