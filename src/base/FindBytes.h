#pragma once

#include <cstddef>

namespace nimbra {

// The first occurrence of `needle` in `haystack`, or nullptr (an empty
// needle is found at the start).
const char* FindBytes(const char* haystack, std::size_t haystackSize, const char* needle,
                      std::size_t needleSize);

}  // namespace nimbra
