#include "base/FindBytes.h"

#include <string.h>

#include <string_view>

namespace nimbra {

const char* FindBytes(const char* haystack, std::size_t haystackSize, const char* needle,
                      std::size_t needleSize) {
#if defined(__GLIBC__)
    return static_cast<const char*>(memmem(haystack, haystackSize, needle, needleSize));
#else
    const std::string_view hay(haystack, haystackSize);
    const std::size_t pos = hay.find(std::string_view(needle, needleSize));
    return pos == std::string_view::npos ? nullptr : haystack + pos;
#endif
}

}  // namespace nimbra
