// Comma-text decoding must take any bytes, and decoding what it encodes must
// give back the same items.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/CommaText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto items = nimbra::DecodeCommaText(text);
    // Items with a NUL cannot survive a text that a NUL ends; all others must.
    for (const auto& item : items)
        if (item.find('\0') != std::string::npos)
            return 0;
    if (nimbra::DecodeCommaText(nimbra::EncodeCommaText(items)) != items)
        std::abort();
    return 0;
}
