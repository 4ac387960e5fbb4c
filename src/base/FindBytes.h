#pragma once

#include <cstddef>

namespace nimbra {

// The first occurrence of `needle` in `haystack`, or nullptr (an empty
// needle is found at the start).
const char* FindBytes(const char* haystack, std::size_t haystackSize, const char* needle,
                      std::size_t needleSize);

// FindBytes that also counts the bytes equal to `counted` before the hit
// (or in the whole range when there is none), in the same pass.
const char* FindBytesCounting(const char* haystack, std::size_t haystackSize, const char* needle,
                              std::size_t needleSize, char counted, std::size_t& countBefore);

// How many bytes of the range equal `c`.
std::size_t CountByte(const char* data, std::size_t size, char c);

}  // namespace nimbra
