#include "arch/codec_registry.h"

#include <cctype>

#include "arch/cab_format.h"
#include "arch/lzx/format.h"
#include "arch/mszip_codec.h"
#include "arch/stored_codec.h"

namespace cab {

namespace {

constexpr int kMinLzxWindow = lzx::kMinWindowBits;
constexpr int kMaxLzxWindow = lzx::kMaxWindowBits;
// The LZX encoder's levels of effort.
constexpr int kLzxFastLevel = 0;
constexpr int kLzxDefaultLevel = 1;
constexpr int kLzxBestLevel = 2;
// zlib's level for a fast MSZIP folder.
constexpr int kMszipFastLevel = 1;

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

int LzxWindowBits(uint16_t compression) { return (compression >> 8) & 0x1F; }

uint16_t LzxType(int windowBits) { return static_cast<uint16_t>(kCompressLzx | (windowBits << 8)); }

} // namespace

bool ParseMethod(const std::string& text, uint16_t& compression, std::string& error)
{
    const std::string name = Upper(text);
    if (name == "NONE") {
        compression = kCompressNone;
        return true;
    }
    if (name == "MSZIP") {
        compression = kCompressMszip;
        return true;
    }
    if (name == "LZX") {
        compression = LzxType(kMaxLzxWindow);
        return true;
    }
    if (name.size() == 6 && name.compare(0, 4, "LZX:") == 0 && std::isdigit(static_cast<unsigned char>(name[4])) &&
        std::isdigit(static_cast<unsigned char>(name[5]))) {
        int bits = (name[4] - '0') * 10 + (name[5] - '0');
        if (bits >= kMinLzxWindow && bits <= kMaxLzxWindow) {
            compression = LzxType(bits);
            return true;
        }
    }
    error = "unknown compression method \"" + text + "\" (use NONE, MSZIP or LZX:" + std::to_string(kMinLzxWindow) +
            " to LZX:" + std::to_string(kMaxLzxWindow) + ")";
    return false;
}

std::unique_ptr<FolderEncoder> MakeFolderEncoder(uint16_t compression, const Packing& packing)
{
    const bool fast = packing.effort == Effort::Fast;
    const int lzxLevel = fast ? kLzxFastLevel : packing.effort == Effort::Best ? kLzxBestLevel : kLzxDefaultLevel;
    switch (compression & kCompressTypeMask) {
    case kCompressMszip: return fast ? MakeMszipEncoder(kMszipFastLevel) : MakeMszipEncoder();
    case kCompressLzx: return MakeLzxEncoder(LzxWindowBits(compression), lzxLevel, packing.threads);
    default: return MakeStoredEncoder();
    }
}

std::unique_ptr<FolderDecoder> MakeFolderDecoder(uint16_t compression, std::string& error)
{
    switch (compression & kCompressTypeMask) {
    case kCompressNone: return MakeStoredDecoder();
    case kCompressMszip: return MakeMszipDecoder();
    case kCompressQuantum: error = "Quantum compression is not supported"; return nullptr;
    case kCompressLzx: {
        const int bits = LzxWindowBits(compression);
        if (bits < kMinLzxWindow || bits > kMaxLzxWindow) {
            error = "LZX window of 2^" + std::to_string(bits) + " bytes is invalid (" + std::to_string(kMinLzxWindow) +
                    " to " + std::to_string(kMaxLzxWindow) + ")";
            return nullptr;
        }
        std::unique_ptr<FolderDecoder> decoder = MakeLzxDecoder(bits);
        if (!decoder) error = "the LZX decoder could not be set up";
        return decoder;
    }
    default: error = "unknown compression " + CompressionName(compression); return nullptr;
    }
}

} // namespace cab
