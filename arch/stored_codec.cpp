#include "arch/stored_codec.h"

#include <cstring>

namespace cab {

namespace {

class StoredEncoder : public FrameByFrameEncoder {
public:
protected:
    void Encode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out) override
    {
        out.insert(out.end(), data, data + size);
    }
};

class StoredDecoder : public FolderDecoder {
public:
    bool DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize,
                     std::string& error) override
    {
        if (size != outSize) {
            error = "an uncompressed data block holds " + std::to_string(size) + " bytes instead of " +
                    std::to_string(outSize);
            return false;
        }
        if (size) std::memcpy(out, data, size);
        return true;
    }
};

} // namespace

std::unique_ptr<FolderEncoder> MakeStoredEncoder() { return std::make_unique<StoredEncoder>(); }

std::unique_ptr<FolderDecoder> MakeStoredDecoder() { return std::make_unique<StoredDecoder>(); }

} // namespace cab
