#include "tests/arch/test_data.h"

namespace archtest {

std::string RandomBytes(std::size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    uint32_t x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

std::string RandomText(std::size_t size, uint32_t seed)
{
    static const char* const words[] = {"slide", "package", "the", "of", "document", "album", "picture",
                                        "frame", "<p>", "</p>", "index", "and", "a", "show", "title\r\n"};
    const std::string noise = RandomBytes(size, seed);
    std::string text;
    for (std::size_t i = 0; text.size() < size; ++i) {
        text += words[static_cast<unsigned char>(noise[i % noise.size()]) % 15];
        text += ' ';
    }
    text.resize(size);
    return text;
}

} // namespace archtest
