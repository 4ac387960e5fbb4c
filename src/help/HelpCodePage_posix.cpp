#include <array>

#include "base/Unicode.h"
#include "help/HelpCodePage.h"

namespace nimbra {

namespace {

// Outside Windows the code page is Windows-1252: its upper half, read back
// through the program's own conversion, so the two always agree.
struct UpperHalf {
    std::array<char32_t, 128> codePoints{};
    UpperHalf() {
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string utf8 = AnsiToUtf8(std::string(1, static_cast<char>(byte)));
            std::size_t pos = 0;
            codePoints[static_cast<std::size_t>(byte - 0x80)] = DecodeUtf8(utf8, pos);
        }
    }
};

}  // namespace

bool AnsiCodePageBytes(char32_t codePoint, std::string& bytes) {
    if (codePoint < 0x80) {
        bytes.assign(1, static_cast<char>(codePoint));
        return true;
    }
    static const UpperHalf upper;
    for (std::size_t i = 0; i < upper.codePoints.size(); ++i) {
        if (upper.codePoints[i] == codePoint) {
            bytes.assign(1, static_cast<char>(0x80 + i));
            return true;
        }
    }
    return false;
}

}  // namespace nimbra
