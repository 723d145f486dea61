// Deterministic sample data for the LZX codec's tests and benchmark: the
// same bytes on every machine and every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzxcorpus {

// Prose from a fixed vocabulary, words following each other by habit the
// way real text repeats phrases.
std::vector<uint8_t> Text(std::size_t size, uint32_t seed);
// Slideshow-like HTML pages: a shared template around prose.
std::vector<uint8_t> Html(std::size_t size, uint32_t seed);
// Runs of equal bytes of varied lengths.
std::vector<uint8_t> Runs(std::size_t size, uint32_t seed);
// Bytes with no structure.
std::vector<uint8_t> Random(std::size_t size, uint32_t seed);
// A PDF-like file: text objects and deflate-compressed streams.
std::vector<uint8_t> PdfLike(std::size_t size, uint32_t seed);

} // namespace lzxcorpus
