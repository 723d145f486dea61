#include "tests/arch/test_data.h"

#include <algorithm>
#include <stdexcept>

#include "arch/byte_order.h"
#include "bench/lzx_corpus.h"

namespace archtest {

namespace {

std::string Bytes(const std::vector<uint8_t>& data) { return std::string(data.begin(), data.end()); }

} // namespace

std::string RandomBytes(std::size_t size, uint32_t seed) { return Bytes(lzxcorpus::Random(size, seed)); }

std::string RandomText(std::size_t size, uint32_t seed) { return Bytes(lzxcorpus::Text(size, seed)); }

std::string TextWithFarRepeats(std::size_t size, std::size_t distance, uint32_t seed)
{
    std::string text = RandomText(size, seed);
    for (std::size_t at = distance; at + 300 <= text.size(); at += 7919)
        std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(at - distance), 300,
                    text.begin() + static_cast<std::ptrdiff_t>(at));
    return text;
}

std::vector<SampleFile> LzxSampleFiles(int windowBits, const std::string& photo, const std::string& program)
{
    const std::size_t window = std::size_t{1} << windowBits;
    return {
        {"empty.txt", ""},
        {"one byte.bin", "\xE8"},
        {"one frame.txt", RandomText(32768, 1)},
        {"one frame and a byte.txt", RandomText(32769, 2)},
        {"runs.bin", Bytes(lzxcorpus::Runs(300000, 3))},
        {"notes.txt", RandomText(250000, 4)},
        {"page.html", Bytes(lzxcorpus::Html(250000, 5))},
        {"report.pdf", Bytes(lzxcorpus::PdfLike(150000, 6))},
        {"random.bin", RandomBytes(100001, 7)},
        {"photo.jpg", photo},
        {"program.exe", program},
        {"longer than the window.txt", TextWithFarRepeats(window + window / 4, window - 4000, 8)},
    };
}

// Bounds checked: a short or damaged cabinet fails its test, never reads past the end.
static const uint8_t* FieldAt(const std::string& bytes, std::size_t at, std::size_t size)
{
    if (at + size > bytes.size()) throw std::out_of_range("a field past the end of the bytes");
    return reinterpret_cast<const uint8_t*>(bytes.data()) + at;
}

uint32_t U16(const std::string& bytes, std::size_t at) { return cab::GetLe16(FieldAt(bytes, at, 2)); }

uint32_t U32(const std::string& bytes, std::size_t at) { return cab::GetLe32(FieldAt(bytes, at, 4)); }

std::string TreeDifferences(const FileTree& got, const FileTree& expected)
{
    std::string differences;
    for (const auto& f : expected) {
        const auto found = got.find(f.first);
        if (found == got.end())
            differences += f.first + ": missing\n";
        else if (found->second != f.second)
            differences += f.first + ": " + std::to_string(found->second.size()) + " bytes differ from the " +
                           std::to_string(f.second.size()) + " expected\n";
    }
    for (const auto& f : got)
        if (!expected.count(f.first)) differences += f.first + ": not expected\n";
    return differences;
}

} // namespace archtest
