#include "bench/lzx_corpus.h"

#include <string>

#include <zlib.h>

namespace lzxcorpus {
namespace {

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t Next()
    {
        // xorshift32: simple and the same everywhere.
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint32_t state_;
};

const char* const kSyllables[] = {"the", "an",  "re",  "con", "ti",  "on",  "er",  "in", "al", "ex", "pre", "ment",
                                  "ly",  "ing", "ed",  "de",  "com", "pro", "ter", "ca", "la", "mo", "ver", "sta",
                                  "ble", "ous", "ant", "or",  "is",  "ry",  "ne",  "ta", "po", "si", "ful", "ho"};

std::vector<std::string> Vocabulary(Rng& rng, int count)
{
    std::vector<std::string> words = {"the", "of",  "and",  "a",  "to", "in", "is",  "that", "for", "it",
                                      "as",  "was", "with", "be", "by", "on", "not", "this", "are", "or"};
    const int syllables = sizeof(kSyllables) / sizeof(kSyllables[0]);
    while (static_cast<int>(words.size()) < count) {
        std::string w;
        const int parts = 1 + static_cast<int>(rng.Below(3));
        for (int i = 0; i < parts; ++i) w += kSyllables[rng.Below(syllables)];
        words.push_back(w);
    }
    return words;
}

// Zipf-like pick: small indices far more often than large ones.
uint32_t Skewed(Rng& rng, uint32_t n)
{
    const uint64_t u = rng.Below(n);
    return static_cast<uint32_t>(u * u / n);
}

std::string Paragraph(Rng& rng, const std::vector<std::string>& words)
{
    std::string p;
    const int sentences = 2 + static_cast<int>(rng.Below(5));
    uint32_t previous = 0;
    for (int s = 0; s < sentences; ++s) {
        const int length = 5 + static_cast<int>(rng.Below(14));
        for (int i = 0; i < length; ++i) {
            // Half the time a word follows from the one before it, which
            // makes phrases recur as in real prose.
            uint32_t w = rng.Below(2) ? (previous * 7 + 3 + rng.Below(3)) % static_cast<uint32_t>(words.size())
                                      : Skewed(rng, static_cast<uint32_t>(words.size()));
            std::string word = words[w];
            if (i == 0) word[0] = static_cast<char>(word[0] - 'a' + 'A');
            p += word;
            p += i + 1 == length ? (rng.Below(6) == 0 ? "? " : ". ") : (rng.Below(9) == 0 ? ", " : " ");
            previous = w;
        }
    }
    p.back() = '\n';
    return p;
}

std::vector<uint8_t> Finish(const std::string& s, std::size_t size)
{
    std::vector<uint8_t> out(s.begin(), s.end());
    out.resize(size);
    return out;
}

} // namespace

std::vector<uint8_t> Text(std::size_t size, uint32_t seed)
{
    Rng rng(seed);
    const auto words = Vocabulary(rng, 3000);
    std::string s;
    while (s.size() < size) {
        s += Paragraph(rng, words);
        s += '\n';
    }
    return Finish(s, size);
}

std::vector<uint8_t> Html(std::size_t size, uint32_t seed)
{
    Rng rng(seed);
    const auto words = Vocabulary(rng, 3000);
    std::string s;
    int page = 0;
    while (s.size() < size) {
        ++page;
        s += "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"windows-1252\">\n<title>Slide " + std::to_string(page) +
             "</title>\n<link rel=\"stylesheet\" href=\"../style/show.css\">\n"
             "<script src=\"../script/navigate.js\"></script>\n</head>\n"
             "<body onload=\"startShow()\" class=\"slide\">\n<div id=\"frame\">\n"
             "<div class=\"nav\"><a href=\"slide" +
             std::to_string(page - 1) +
             ".html\">&lt; Previous</a> | <a href=\"index.html\">Index</a> | <a href=\"slide" +
             std::to_string(page + 1) + ".html\">Next &gt;</a></div>\n";
        s += "<h1>" + Paragraph(rng, words).substr(0, 40) + "</h1>\n";
        const int blocks = 2 + static_cast<int>(rng.Below(6));
        for (int b = 0; b < blocks; ++b) {
            if (rng.Below(3) == 0)
                s += "<img src=\"images/photo" + std::to_string(rng.Below(500)) +
                     ".jpg\" width=\"640\" height=\"480\" alt=\"\">\n";
            s += "<p class=\"text\">" + Paragraph(rng, words) + "</p>\n";
        }
        s += "<div class=\"footer\">Page " + std::to_string(page) + "</div>\n</div>\n</body>\n</html>\n";
    }
    return Finish(s, size);
}

std::vector<uint8_t> Runs(std::size_t size, uint32_t seed)
{
    Rng rng(seed);
    std::vector<uint8_t> out;
    out.reserve(size);
    while (out.size() < size) {
        const uint8_t value = static_cast<uint8_t>(rng.Below(4) == 0 ? rng.Next() : 0);
        std::size_t run = 1 + rng.Below(rng.Below(8) == 0 ? 70000 : 300);
        while (run-- && out.size() < size) out.push_back(value);
    }
    return out;
}

std::vector<uint8_t> Random(std::size_t size, uint32_t seed)
{
    Rng rng(seed);
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out) b = static_cast<uint8_t>(rng.Next() >> 24);
    return out;
}

std::vector<uint8_t> PdfLike(std::size_t size, uint32_t seed)
{
    Rng rng(seed);
    const auto words = Vocabulary(rng, 3000);
    std::string s = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    int object = 1;
    while (s.size() < size) {
        std::string content = "BT /F1 12 Tf 72 720 Td (";
        for (int i = 0; i < 8; ++i) content += Paragraph(rng, words);
        content += ") Tj ET\n";
        std::vector<uint8_t> packed(compressBound(content.size()));
        uLongf packedSize = packed.size();
        compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(content.data()), content.size(), 6);
        s += std::to_string(object++) + " 0 obj\n<< /Length " + std::to_string(packedSize) +
             " /Filter /FlateDecode >>\nstream\n";
        s.append(reinterpret_cast<const char*>(packed.data()), packedSize);
        s += "\nendstream\nendobj\n";
        const int contents = object - 1;
        s += std::to_string(object++) + " 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
             std::to_string(contents) + " 0 R /Resources << /Font << /F1 4 0 R >> >> >>\nendobj\n";
    }
    return Finish(s, size);
}

} // namespace lzxcorpus
