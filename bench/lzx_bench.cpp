// Codec benchmark: LZX (both levels, LZX:21 and LZX:15) against MSZIP as
// gcab -z writes it (zlib deflate level 6, each 32 KiB data block on its
// own), on deterministic text, HTML, mixed and JPEG inputs, or on the files
// named on the command line. Prints sizes as ratios to MSZIP's and
// throughput (processor time) as ratios to MSZIP's; when gcab is installed,
// its own run on the same input is timed too (wall clock of the whole run,
// file access included).
//   lzx_bench [file...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <zlib.h>

#include "arch/codec.h"
#include "bench/lzx_corpus.h"

namespace {

// Processor time of this process: other work on a shared machine does not
// count, and the codecs are timed alike.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

struct Input {
    std::string name;
    std::vector<uint8_t> data;
};

struct Result {
    std::size_t size = 0;
    double seconds = 0;
};

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Photo-like JPEGs from ImageMagick's plasma generator with fixed seeds.
std::vector<uint8_t> Jpegs(int count)
{
    std::vector<uint8_t> all;
    for (int i = 0; i < count; ++i) {
        const std::string path = "/tmp/lzx_bench_" + std::to_string(i) + ".jpg";
        const std::string command = "convert -seed " + std::to_string(100 + i) +
                                    " -size 1600x1200 plasma:fractal -blur 0x1 -quality 92 " + path + " 2>/dev/null";
        if (std::system(command.c_str()) != 0) return {};
        const auto bytes = ReadFile(path);
        std::remove(path.c_str());
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    return all;
}

// What gcab -z writes for a folder: "CK" and a raw deflate stream (zlib
// level 6) per data block, each block compressed on its own.
Result Mszip(const std::vector<uint8_t>& data)
{
    Result r;
    const double start = CpuSeconds();
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(cab::kFrameSize + 6144);
    for (std::size_t at = 0; at < data.size(); at += cab::kFrameSize) {
        const std::size_t n = std::min(cab::kFrameSize, data.size() - at);
        deflateReset(&z);
        z.next_in = const_cast<Bytef*>(data.data() + at);
        z.avail_in = static_cast<uInt>(n);
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, Z_FINISH);
        r.size += 2 + (out.size() - z.avail_out);
    }
    deflateEnd(&z);
    r.seconds = CpuSeconds() - start;
    return r;
}

// gcab itself on the input written to a file: the cabinet's size and the
// whole run's time. Size 0 when gcab is not there.
Result Gcab(const std::vector<uint8_t>& data)
{
    Result r;
    const std::string dir = "/tmp/lzx_bench_gcab";
    std::system(("rm -rf " + dir + " && mkdir -p " + dir).c_str());
    {
        std::ofstream out(dir + "/input.bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    }
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(("cd " + dir + " && gcab -c -z out.cab input.bin >/dev/null 2>&1").c_str());
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (status == 0) r.size = ReadFile(dir + "/out.cab").size();
    std::system(("rm -rf " + dir).c_str());
    return r;
}

std::vector<cab::EncodedFrame> EncodeAll(const std::vector<uint8_t>& data, int windowBits, int level)
{
    std::vector<cab::EncodedFrame> frames;
    auto encoder = cab::MakeLzxEncoder(windowBits, level);
    for (std::size_t at = 0; at < data.size(); at += cab::kFrameSize)
        encoder->EncodeFrame(data.data() + at, std::min(cab::kFrameSize, data.size() - at), frames);
    encoder->Finish(frames);
    return frames;
}

Result Lzx(const std::vector<uint8_t>& data, int windowBits, int level, bool verify)
{
    Result r;
    const double start = CpuSeconds();
    const std::vector<cab::EncodedFrame> blocks = EncodeAll(data, windowBits, level);
    for (const cab::EncodedFrame& frame : blocks) r.size += frame.data.size();
    r.seconds = CpuSeconds() - start;
    if (verify) {
        auto decoder = cab::MakeLzxDecoder(windowBits);
        std::vector<uint8_t> out(cab::kFrameSize);
        std::string error;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const std::size_t at = i * cab::kFrameSize;
            const std::size_t n = std::min(cab::kFrameSize, data.size() - at);
            if (!decoder->DecodeFrame(blocks[i].data.data(), blocks[i].data.size(), out.data(), n, error) ||
                !std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n), data.begin() + at)) {
                std::printf("  ROUND TRIP FAILED at frame %zu: %s\n", i, error.c_str());
                std::exit(1);
            }
        }
    }
    return r;
}

double DecodeSeconds(const std::vector<uint8_t>& data, int windowBits)
{
    const std::vector<cab::EncodedFrame> blocks = EncodeAll(data, windowBits, 1);
    auto decoder = cab::MakeLzxDecoder(windowBits);
    std::vector<uint8_t> out(cab::kFrameSize);
    std::string error;
    const double start = CpuSeconds();
    for (std::size_t i = 0; i < blocks.size(); ++i)
        decoder->DecodeFrame(blocks[i].data.data(), blocks[i].data.size(), out.data(),
                             std::min(cab::kFrameSize, data.size() - i * cab::kFrameSize), error);
    return CpuSeconds() - start;
}

void Report(const Input& in)
{
    const double mb = static_cast<double>(in.data.size()) / 1e6;
    const Result mszip = Mszip(in.data);
    std::printf("%s: %.2f MB\n", in.name.c_str(), mb);
    std::printf("  %-22s %10zu bytes  %.3f of the input                   %7.1f MB/s\n", "MSZIP (gcab -z's way)",
                mszip.size, static_cast<double>(mszip.size) / static_cast<double>(in.data.size()), mb / mszip.seconds);
    const Result gcab = Gcab(in.data);
    if (gcab.size)
        std::printf("  %-22s %10zu bytes  %.3f of MSZIP's  speed %.2f of MSZIP's  %7.1f MB/s (whole run)\n", "gcab -z",
                    gcab.size, static_cast<double>(gcab.size) / static_cast<double>(mszip.size),
                    mszip.seconds / gcab.seconds, mb / gcab.seconds);
    const struct {
        const char* name;
        int windowBits;
        int level;
    } runs[] = {{"LZX:21 default", 21, 1}, {"LZX:21 fast", 21, 0}, {"LZX:15 default", 15, 1}};
    for (const auto& run : runs) {
        const Result r = Lzx(in.data, run.windowBits, run.level, true);
        std::printf("  %-22s %10zu bytes  %.3f of MSZIP's  speed %.2f of MSZIP's  %7.1f MB/s\n", run.name, r.size,
                    static_cast<double>(r.size) / static_cast<double>(mszip.size), mszip.seconds / r.seconds,
                    mb / r.seconds);
    }
    std::printf("  %-22s decoding %.1f MB/s\n", "LZX:21", mb / DecodeSeconds(in.data, 21));
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<Input> inputs;
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) inputs.push_back({argv[i], ReadFile(argv[i])});
    } else {
        const std::size_t size = 8 << 20;
        inputs.push_back({"text", lzxcorpus::Text(size, 1)});
        inputs.push_back({"html", lzxcorpus::Html(size, 2)});
        const auto jpeg = Jpegs(4);
        Input mixed{"mixed (html, text, pdf, jpeg, random)", {}};
        for (const auto& part : {lzxcorpus::Html(3 << 20, 3), lzxcorpus::Text(2 << 20, 4),
                                 lzxcorpus::PdfLike(2 << 20, 5), jpeg, lzxcorpus::Random(1 << 20, 6)})
            mixed.data.insert(mixed.data.end(), part.begin(), part.end());
        inputs.push_back(std::move(mixed));
        if (!jpeg.empty())
            inputs.push_back({"jpeg", jpeg});
        else
            std::printf("(no JPEG: ImageMagick's convert is missing)\n");
    }
    for (const Input& in : inputs)
        if (!in.data.empty()) Report(in);
    return 0;
}
