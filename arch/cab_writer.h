// Writes a cabinet of given files: header, folder and file records, then
// each folder's data blocks of 32 KiB frames. The cabinet is written under
// a temporary name beside the target and takes the target's name only when
// complete, so a failed run leaves an existing file of that name as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "arch/cab_format.h"
#include "arch/codec_registry.h"
#include "arch/file_collector.h"
#include "arch/file_system.h"

namespace arch {

// The format's limits; smaller values serve tests.
struct WriterLimits {
    uint64_t maxFolderBytes = cab::kMaxFolderBytes;
    uint64_t maxCabinetBytes = cab::kMaxCabinetBytes;
    std::size_t maxFiles = cab::kMaxFiles;
};

struct WriteSummary {
    std::size_t folders = 0;
    uint64_t inputBytes = 0;
    uint64_t cabinetBytes = 0;
};

// Every folder gets the type word `compression` (as cab::ParseMethod
// gives it), coded with the given effort. Files keep the order given; a
// new folder starts before a folder's uncompressed size would pass the
// limit.
bool WriteCabinet(FileSystem& fs, const std::string& cabinetPath, const std::vector<SourceFile>& files,
                  uint16_t compression, const cab::Packing& packing, const WriterLimits& limits, WriteSummary& summary,
                  std::string& error);

} // namespace arch
