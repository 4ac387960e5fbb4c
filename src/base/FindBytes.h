#pragma once

#include <cstddef>

namespace nimbra {

// The first occurrence of `needle` in `haystack`, or nullptr: the C
// library's memmem where it has one (glibc's is the fastest search there
// is), a portable search elsewhere.
const char* FindBytes(const char* haystack, std::size_t haystackSize, const char* needle,
                      std::size_t needleSize);

}  // namespace nimbra
