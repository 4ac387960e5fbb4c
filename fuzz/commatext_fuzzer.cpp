// Comma-text decoding must take any bytes, and decoding what it encodes must
// give back the same items, NUL bytes included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/CommaText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto items = nimbra::DecodeCommaText(text);
    if (nimbra::DecodeCommaText(nimbra::EncodeCommaText(items)) != items)
        std::abort();
    return 0;
}
