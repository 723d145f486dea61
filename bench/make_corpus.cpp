// Writes the text part of the archiver benchmark's corpus, the same bytes
// on every run: HTML pages and plain text built from a vocabulary, and PDF
// files whose page contents and images are deflate streams, as in real
// PDFs. (The JPEG part is made by ImageMagick in tools/run-bench.sh.)
//   arch_bench_corpus FOLDER TEXT_MB PDF_MB
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class Random {
public:
    explicit Random(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<uint32_t>(m_state >> 16);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint64_t m_state;
};

const char* const kWords[] = {"the",       "of",      "and",      "to",      "in",           "a",          "is",
                              "that",      "for",     "it",       "as",      "was",          "with",       "be",
                              "by",        "on",      "not",      "he",      "this",         "are",        "or",
                              "his",       "from",    "at",       "which",   "but",          "have",       "an",
                              "had",       "they",    "you",      "were",    "presentation", "slide",      "document",
                              "package",   "album",   "picture",  "chapter", "report",       "quarterly",  "results",
                              "customer",  "design",  "review",   "meeting", "project",      "schedule",   "budget",
                              "figure",    "table",   "appendix", "summary", "introduction", "conclusion", "Monday",
                              "September", "revenue", "growth",   "market",  "team"};
constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];

std::string Sentence(Random& r)
{
    std::string s;
    const uint32_t n = 6 + r.Below(14);
    for (uint32_t i = 0; i < n; ++i) {
        std::string w = kWords[r.Below(kWordCount)];
        if (i == 0) w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
        s += (i ? " " : "") + w;
        if (r.Below(40) == 0) s += " " + std::to_string(r.Below(100000));
    }
    return s + ". ";
}

std::string Html(Random& r, std::size_t size, int page)
{
    std::string h = "<html>\r\n<head><title>Page " + std::to_string(page) +
                    "</title>\r\n<link rel=\"stylesheet\" href=\"style.css\">\r\n</head>\r\n<body>\r\n";
    while (h.size() < size) {
        const uint32_t kind = r.Below(10);
        if (kind == 0) {
            h += "<h2>" + Sentence(r) + "</h2>\r\n";
        } else if (kind == 1) {
            h += "<table class=\"data\">\r\n";
            for (int row = 0; row < 8; ++row) {
                h += "<tr>";
                for (int col = 0; col < 5; ++col) h += "<td>" + std::to_string(r.Below(10000)) + "</td>";
                h += "</tr>\r\n";
            }
            h += "</table>\r\n";
        } else if (kind == 2) {
            h += "<p><a href=\"resources/doc" + std::to_string(r.Below(500)) + ".html\" target=\"main\">" +
                 Sentence(r) + "</a></p>\r\n";
        } else {
            h += "<p>";
            for (uint32_t i = 0, n = 2 + r.Below(6); i < n; ++i) h += Sentence(r);
            h += "</p>\r\n";
        }
    }
    return h + "</body>\r\n</html>\r\n";
}

std::string Text(Random& r, std::size_t size)
{
    std::string t;
    while (t.size() < size) {
        for (uint32_t i = 0, n = 1 + r.Below(8); i < n; ++i) t += Sentence(r);
        t += "\r\n\r\n";
    }
    return t;
}

std::string Deflate(const std::string& data)
{
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(data.data()),
              static_cast<uLong>(data.size()), 6);
    out.resize(size);
    return out;
}

std::string Pdf(Random& r, std::size_t size)
{
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    int object = 0;
    auto add = [&](const std::string& dict, const std::string& stream) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(++object) + " 0 obj\n" + dict;
        if (!stream.empty()) pdf += "\nstream\n" + stream + "\nendstream";
        pdf += "\nendobj\n";
    };
    add("<< /Type /Catalog /Pages 2 0 R >>", "");
    add("<< /Type /Pages /Count 1 /Kids [3 0 R] >>", "");
    add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R >>", "");
    while (pdf.size() < size) {
        if (r.Below(3) == 0) {
            // An image: noisy samples compress poorly, like photographs.
            std::string samples(60000 + r.Below(200000), '\0');
            uint8_t level = static_cast<uint8_t>(r.Next());
            for (char& c : samples) {
                level = static_cast<uint8_t>(level + static_cast<int>(r.Below(9)) - 4);
                c = static_cast<char>(level ^ (r.Below(4) == 0 ? r.Below(32) : 0));
            }
            const std::string z = Deflate(samples);
            add("<< /Type /XObject /Subtype /Image /Width 400 /Height 300 /BitsPerComponent 8 /Filter "
                "/FlateDecode /Length " +
                    std::to_string(z.size()) + " >>",
                z);
        } else {
            std::string content = "BT /F1 11 Tf 72 720 Td\n";
            while (content.size() < 20000) content += "(" + Sentence(r) + ") Tj T*\n";
            content += "ET\n";
            const std::string z = Deflate(content);
            add("<< /Filter /FlateDecode /Length " + std::to_string(z.size()) + " >>", z);
        }
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(object + 1) + "\n0000000000 65535 f \n";
    for (std::size_t off : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", off);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(object + 1) + " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) +
           "\n%%EOF\n";
    return pdf;
}

void Write(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: arch_bench_corpus FOLDER TEXT_MB PDF_MB\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const std::size_t textBytes = std::strtoull(argv[2], nullptr, 10) << 20;
    const std::size_t pdfBytes = std::strtoull(argv[3], nullptr, 10) << 20;
    Random r(2024);

    std::size_t written = 0;
    for (int i = 0; written < textBytes; ++i) {
        // Mostly small pages, some large ones, as a slideshow has.
        const std::size_t size = r.Below(10) == 0 ? 200000 + r.Below(800000) : 2000 + r.Below(60000);
        const bool html = r.Below(4) != 0;
        const std::string folder = i % 5 == 0 ? "notes" : "resources/section " + std::to_string(i % 12);
        const std::string bytes = html ? Html(r, size, i) : Text(r, size);
        Write(root / folder / ((html ? "page" : "notes") + std::to_string(i) + (html ? ".html" : ".txt")), bytes);
        written += bytes.size();
    }
    written = 0;
    for (int i = 0; written < pdfBytes; ++i) {
        const std::string bytes = Pdf(r, 300000 + r.Below(2500000));
        Write(root / "resources" / "documents" / ("report " + std::to_string(i) + ".pdf"), bytes);
        written += bytes.size();
    }
    return 0;
}
