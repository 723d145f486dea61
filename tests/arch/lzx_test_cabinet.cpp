#include "tests/arch/lzx_test_cabinet.h"

#include <fstream>
#include <iterator>

namespace lzxtest {
namespace {

class Cursor {
public:
    Cursor(const std::vector<uint8_t>& bytes, std::size_t pos) : bytes_(bytes), pos_(pos) {}
    bool Has(std::size_t n) const { return pos_ <= bytes_.size() && bytes_.size() - pos_ >= n; }
    uint32_t Get(int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= static_cast<uint32_t>(bytes_[pos_ + i]) << (8 * i);
        pos_ += n;
        return v;
    }
    bool Skip(std::size_t n) {
        if (!Has(n))
            return false;
        pos_ += n;
        return true;
    }
    bool String(std::string& s) {
        s.clear();
        while (pos_ < bytes_.size() && bytes_[pos_] != 0)
            s += static_cast<char>(bytes_[pos_++]);
        return Skip(1);
    }
    std::size_t Pos() const { return pos_; }

private:
    const std::vector<uint8_t>& bytes_;
    std::size_t pos_;
};

void Put(std::vector<uint8_t>& out, uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

bool ParseCabinet(const std::vector<uint8_t>& bytes, Cabinet& cab, std::string& error) {
    Cursor c(bytes, 0);
    if (!c.Has(36) || bytes[0] != 'M' || bytes[1] != 'S' || bytes[2] != 'C' || bytes[3] != 'F') {
        error = "not a cabinet";
        return false;
    }
    c.Skip(16);
    const uint32_t coffFiles = c.Get(4);
    c.Skip(6);
    const uint32_t folderCount = c.Get(2);
    const uint32_t fileCount = c.Get(2);
    const uint32_t flags = c.Get(2);
    c.Skip(4);
    uint32_t folderReserve = 0, dataReserve = 0;
    if (flags & 4) {
        if (!c.Has(4)) {
            error = "header cut short";
            return false;
        }
        const uint32_t headerReserve = c.Get(2);
        folderReserve = c.Get(1);
        dataReserve = c.Get(1);
        c.Skip(headerReserve);
    }
    std::string ignored;
    for (uint32_t bit : {1u, 2u})
        if ((flags & bit) && !(c.String(ignored) && c.String(ignored))) {
            error = "header cut short";
            return false;
        }

    cab.folders.assign(folderCount, Folder{});
    std::vector<uint32_t> dataStart(folderCount), dataCount(folderCount);
    for (uint32_t i = 0; i < folderCount; ++i) {
        if (!c.Has(8 + folderReserve)) {
            error = "folder table cut short";
            return false;
        }
        dataStart[i] = c.Get(4);
        dataCount[i] = c.Get(2);
        cab.folders[i].typeCompress = static_cast<uint16_t>(c.Get(2));
        c.Skip(folderReserve);
    }

    Cursor f(bytes, coffFiles);
    for (uint32_t i = 0; i < fileCount; ++i) {
        Member m;
        if (!f.Has(16)) {
            error = "file table cut short";
            return false;
        }
        m.size = f.Get(4);
        m.offset = f.Get(4);
        m.folder = static_cast<uint16_t>(f.Get(2));
        f.Skip(6);
        if (!f.String(m.name)) {
            error = "file name cut short";
            return false;
        }
        cab.members.push_back(m);
    }

    for (uint32_t i = 0; i < folderCount; ++i) {
        Cursor d(bytes, dataStart[i]);
        for (uint32_t b = 0; b < dataCount[i]; ++b) {
            if (!d.Has(8 + dataReserve)) {
                error = "data block header cut short";
                return false;
            }
            d.Skip(4);
            const uint32_t compressedSize = d.Get(2);
            DataBlock block;
            block.uncompressedSize = d.Get(2);
            d.Skip(dataReserve);
            if (!d.Has(compressedSize)) {
                error = "data block cut short";
                return false;
            }
            block.compressed.assign(bytes.begin() + static_cast<std::ptrdiff_t>(d.Pos()),
                                    bytes.begin() + static_cast<std::ptrdiff_t>(d.Pos() + compressedSize));
            d.Skip(compressedSize);
            cab.folders[i].blocks.push_back(std::move(block));
        }
    }
    return true;
}

std::vector<uint8_t> BuildCabinet(uint16_t typeCompress, const std::vector<DataBlock>& blocks,
                                  const std::string& name, uint32_t memberSize) {
    const uint32_t headerSize = 36, folderSize = 8;
    const uint32_t fileSize = 16 + static_cast<uint32_t>(name.size()) + 1;
    uint32_t total = headerSize + folderSize + fileSize;
    const uint32_t dataStart = total;
    for (const DataBlock& b : blocks)
        total += 8 + static_cast<uint32_t>(b.compressed.size());

    std::vector<uint8_t> out;
    out.insert(out.end(), {'M', 'S', 'C', 'F'});
    Put(out, 0, 4);
    Put(out, total, 4);
    Put(out, 0, 4);
    Put(out, headerSize + folderSize, 4); // first file entry
    Put(out, 0, 4);
    Put(out, 3, 1); // format version 1.3
    Put(out, 1, 1);
    Put(out, 1, 2); // folders
    Put(out, 1, 2); // files
    Put(out, 0, 2); // flags
    Put(out, 0, 2); // set id
    Put(out, 0, 2); // cabinet index

    Put(out, dataStart, 4);
    Put(out, static_cast<uint32_t>(blocks.size()), 2);
    Put(out, typeCompress, 2);

    Put(out, memberSize, 4);
    Put(out, 0, 4);                      // offset in the folder
    Put(out, 0, 2);                      // folder 0
    Put(out, (2024 - 1980) << 9 | 1 << 5 | 1, 2); // 2024-01-01
    Put(out, 12 << 11, 2);               // 12:00:00
    Put(out, 0x20, 2);                   // archive attribute
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);

    for (const DataBlock& b : blocks) {
        Put(out, 0, 4); // checksum not computed
        Put(out, static_cast<uint32_t>(b.compressed.size()), 2);
        Put(out, static_cast<uint32_t>(b.uncompressedSize), 2);
        out.insert(out.end(), b.compressed.begin(), b.compressed.end());
    }
    return out;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace lzxtest
