#include "arch/lzx/huffman_encoder.h"

#include <algorithm>
#include <vector>

namespace cab::lzx {
namespace {

// Optimal code lengths of n >= 2 weights sorted ascending, computed in
// place (Moffat and Katajainen): afterwards a[i] is the length of the
// symbol of the i-th smallest weight.
void MinimumRedundancyLengths(std::vector<uint32_t>& a)
{
    const int n = static_cast<int>(a.size());
    // First pass: combine, leaving parent indices in the internal nodes.
    a[0] += a[1];
    int root = 0, leaf = 2;
    for (int next = 1; next < n - 1; ++next) {
        if (leaf >= n || a[root] < a[leaf]) {
            a[next] = a[root];
            a[root++] = static_cast<uint32_t>(next);
        } else {
            a[next] = a[leaf++];
        }
        if (leaf >= n || (root < next && a[root] < a[leaf])) {
            a[next] += a[root];
            a[root++] = static_cast<uint32_t>(next);
        } else {
            a[next] += a[leaf++];
        }
    }
    // Second pass: depths of the internal nodes.
    a[n - 2] = 0;
    for (int next = n - 3; next >= 0; --next) a[next] = a[a[next]] + 1;
    // Third pass: depths of the leaves.
    int available = 1, used = 0, depth = 0;
    root = n - 2;
    int next = n - 1;
    while (available > 0) {
        while (root >= 0 && static_cast<int>(a[root]) == depth) {
            ++used;
            --root;
        }
        while (available > used) {
            a[next--] = static_cast<uint32_t>(depth);
            --available;
        }
        available = 2 * used;
        ++depth;
        used = 0;
    }
}

} // namespace

void BuildCodeLengths(const uint32_t* freqs, int count, int maxLength, uint8_t* lengths)
{
    // Each used symbol as its weight above its number, so that one sort of
    // plain integers orders them by weight and then by symbol.
    std::vector<uint64_t> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        lengths[i] = 0;
        if (freqs[i] != 0) keys.push_back(uint64_t{freqs[i]} << 32 | static_cast<uint32_t>(i));
    }
    // A complete code needs two symbols; add the first unused ones, with
    // weight 1.
    for (int i = 0; keys.size() < 2 && i < count; ++i)
        if (freqs[i] == 0) keys.push_back(uint64_t{1} << 32 | static_cast<uint32_t>(i));
    if (keys.size() < 2) return;

    std::sort(keys.begin(), keys.end());
    std::vector<int> symbols(keys.size());
    std::vector<uint32_t> a(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        symbols[i] = static_cast<int>(keys[i] & 0xFFFFFFFFu);
        a[i] = static_cast<uint32_t>(keys[i] >> 32);
    }
    MinimumRedundancyLengths(a);

    // Limit the lengths: count codes per length, fold the long ones into
    // maxLength, then lengthen shorter codes until the code is complete
    // again (the Kraft sum back to exactly one).
    std::vector<uint32_t> perLength(std::max<uint32_t>(a[0], static_cast<uint32_t>(maxLength)) + 1, 0);
    for (uint32_t len : a) ++perLength[len];
    uint64_t kraft = 0;
    for (std::size_t len = 1; len < perLength.size(); ++len) {
        if (static_cast<int>(len) > maxLength) {
            perLength[maxLength] += perLength[len];
            perLength[len] = 0;
        }
    }
    for (int len = 1; len <= maxLength; ++len) kraft += static_cast<uint64_t>(perLength[len]) << (maxLength - len);
    const uint64_t full = uint64_t{1} << maxLength;
    while (kraft > full) {
        // Move the deepest code above the limit one level down and give it
        // a code from the limit as its sibling: the sum drops by one unit.
        int len = maxLength - 1;
        while (perLength[len] == 0) --len;
        --perLength[len];
        perLength[len + 1] += 2;
        --perLength[maxLength];
        --kraft;
    }
    // Longest codes to the rarest symbols (a is ascending by weight).
    std::size_t i = 0;
    for (int len = maxLength; len >= 1; --len)
        for (uint32_t k = 0; k < perLength[len]; ++k) lengths[symbols[i++]] = static_cast<uint8_t>(len);
}

void BuildCodes(const uint8_t* lengths, int count, uint16_t* codes)
{
    uint32_t perLength[17] = {};
    for (int i = 0; i < count; ++i) ++perLength[lengths[i]];
    perLength[0] = 0;
    uint32_t next[17] = {};
    uint32_t code = 0;
    for (int len = 1; len <= 16; ++len) {
        code = (code + perLength[len - 1]) << 1;
        next[len] = code;
    }
    for (int i = 0; i < count; ++i) codes[i] = lengths[i] ? static_cast<uint16_t>(next[lengths[i]]++) : 0;
}

} // namespace cab::lzx
