// Deterministic pseudo-random contents for the archiver's tests: bytes
// that do not compress, and text that does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace archtest {

std::string RandomBytes(std::size_t size, uint32_t seed);
std::string RandomText(std::size_t size, uint32_t seed);

} // namespace archtest
