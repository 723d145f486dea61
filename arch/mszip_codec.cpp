#include "arch/mszip_codec.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace cab {

namespace {

// Raw deflate: no zlib header or trailer.
constexpr int kRawWindowBits = -15;

// One deflate stream runs through the whole folder, so that its history
// carries over without being rebuilt for every frame. Each frame's output is
// flushed to a byte boundary and closed with an empty final block, which
// makes it a complete deflate stream of its own whose matches reach at most
// into the previous frame: exactly what a reader primed with the previous
// frame expects.
class MszipEncoder : public FrameByFrameEncoder {
public:
    explicit MszipEncoder(int level)
    {
        std::memset(&m_stream, 0, sizeof m_stream);
        if (deflateInit2(&m_stream, level, Z_DEFLATED, kRawWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("the deflate compressor could not be set up");
    }
    ~MszipEncoder() override { deflateEnd(&m_stream); }

protected:
    void Encode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out) override
    {
        out.push_back('C');
        out.push_back('K');
        m_stream.next_in = const_cast<Bytef*>(data);
        m_stream.avail_in = static_cast<uInt>(size);
        // The flush is complete when deflate leaves room in the output.
        do {
            const std::size_t used = out.size();
            out.resize(used + size / 2 + 1024);
            m_stream.next_out = out.data() + used;
            m_stream.avail_out = static_cast<uInt>(out.size() - used);
            if (deflate(&m_stream, Z_SYNC_FLUSH) == Z_STREAM_ERROR)
                throw std::runtime_error("the deflate compressor failed");
            out.resize(out.size() - m_stream.avail_out);
        } while (m_stream.avail_in > 0 || m_stream.avail_out == 0);
        // An empty final block with fixed codes: BFINAL 1, BTYPE 01, code 256.
        out.push_back(0x03);
        out.push_back(0x00);
    }

private:
    z_stream m_stream;
};

class MszipDecoder : public FolderDecoder {
public:
    MszipDecoder()
    {
        std::memset(&m_stream, 0, sizeof m_stream);
        m_ready = inflateInit2(&m_stream, kRawWindowBits) == Z_OK;
    }
    ~MszipDecoder() override
    {
        if (m_ready) inflateEnd(&m_stream);
    }

    bool DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize,
                     std::string& error) override
    {
        if (!m_ready) {
            error = "the deflate decompressor could not be set up";
            return false;
        }
        if (size < 2 || data[0] != 'C' || data[1] != 'K') {
            error = "an MSZIP data block does not start with \"CK\"";
            return false;
        }
        inflateReset(&m_stream);
        if (!m_history.empty() &&
            inflateSetDictionary(&m_stream, m_history.data(), static_cast<uInt>(m_history.size())) != Z_OK) {
            error = "the MSZIP history could not be restored";
            return false;
        }
        m_stream.next_in = const_cast<Bytef*>(data + 2);
        m_stream.avail_in = static_cast<uInt>(size - 2);
        m_stream.next_out = out;
        m_stream.avail_out = static_cast<uInt>(outSize);
        int rc = inflate(&m_stream, Z_FINISH);
        const std::size_t produced = outSize - m_stream.avail_out;
        if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
            error =
                std::string("an MSZIP data block is damaged (") + (m_stream.msg ? m_stream.msg : "inflate error") + ")";
            return false;
        }
        // A block must give exactly its frame: either its deflate stream ends
        // there, or (as a few writers leave it) the block's bytes run out
        // exactly when the frame is full.
        if (produced != outSize || (rc != Z_STREAM_END && m_stream.avail_in != 0)) {
            error = "an MSZIP data block decodes to " + std::to_string(produced) + " bytes instead of " +
                    std::to_string(outSize);
            return false;
        }
        m_history.assign(out, out + outSize);
        return true;
    }

private:
    z_stream m_stream;
    bool m_ready = false;
    std::vector<uint8_t> m_history;
};

} // namespace

std::unique_ptr<FolderEncoder> MakeMszipEncoder(int level) { return std::make_unique<MszipEncoder>(level); }

std::unique_ptr<FolderDecoder> MakeMszipDecoder() { return std::make_unique<MszipDecoder>(); }

} // namespace cab
