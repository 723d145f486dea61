// Compression methods of cabinet folders, as the cabinet reader and writer
// use them. A folder is one compressed stream; each of its data blocks
// (CFDATA) carries one frame of at most 32768 uncompressed bytes, and only a
// folder's last frame may be shorter. Coders keep their state (history,
// trees) from frame to frame within one folder; a new folder gets new coders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace cab {

constexpr std::size_t kFrameSize = 32768;

// One compressed frame: what a data block carries, and how many bytes it
// decodes to. It always fits a data block (at most 32768 + 6144 bytes).
struct EncodedFrame {
    std::vector<uint8_t> data;
    std::size_t size = 0;
};

// Compresses the frames of one folder, in order.
class FolderEncoder {
public:
    virtual ~FolderEncoder() = default;
    // Takes the next frame (1 to 32768 bytes) and appends the compressed
    // frames that are finished to `ready`, in order: the frame just given,
    // or, for a coder that looks further ahead, none yet or several.
    virtual void EncodeFrame(const uint8_t* data, std::size_t size, std::vector<EncodedFrame>& ready) = 0;
    // After the last frame: appends every frame still held back.
    virtual void Finish(std::vector<EncodedFrame>& ready) { (void)ready; }
};

// A coder that finishes each frame as it is given.
class FrameByFrameEncoder : public FolderEncoder {
public:
    void EncodeFrame(const uint8_t* data, std::size_t size, std::vector<EncodedFrame>& ready) final
    {
        ready.emplace_back();
        ready.back().size = size;
        Encode(data, size, ready.back().data);
    }

protected:
    // Appends the compressed form of the frame to `out`.
    virtual void Encode(const uint8_t* data, std::size_t size, std::vector<uint8_t>& out) = 0;
};

// Decompresses the data blocks of one folder, in order.
class FolderDecoder {
public:
    virtual ~FolderDecoder() = default;
    // Decodes one data block into exactly `outSize` bytes (the block's
    // uncompressed size, at most 32768). On damaged input returns false with
    // a reason; never reads or writes outside the given buffers.
    virtual bool DecodeFrame(const uint8_t* data, std::size_t size, uint8_t* out, std::size_t outSize,
                             std::string& error) = 0;
};

// LZX with a window of 2^windowBits bytes, windowBits 15 to 21.
// Encoder levels: 0 fast, 1 default, 2 best. The default and best levels
// use up to `threads` threads; their output is the same for any number.
std::unique_ptr<FolderEncoder> MakeLzxEncoder(int windowBits, int level, int threads = 1);
std::unique_ptr<FolderDecoder> MakeLzxDecoder(int windowBits);

} // namespace cab
