#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "base/Unicode.h"
#include "help/HelpCodePage.h"

namespace nimbra {

namespace {

// Outside Windows the code page is Windows-1252: its upper half, read back
// through the program's own conversion, so the two always agree. Kept sorted
// by code point: every character of a help page beyond ASCII is looked up.
class UpperHalf {
  public:
    UpperHalf() {
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string utf8 = AnsiToUtf8(std::string(1, static_cast<char>(byte)));
            std::size_t pos = 0;
            entries_[static_cast<std::size_t>(byte - 0x80)] = {DecodeUtf8(utf8, pos),
                                                               static_cast<char>(byte)};
        }
        std::sort(entries_.begin(), entries_.end());
    }

    std::optional<char> ByteOf(char32_t codePoint) const {
        const auto found =
            std::lower_bound(entries_.begin(), entries_.end(), codePoint,
                             [](const Entry& entry, char32_t key) { return entry.first < key; });
        if (found == entries_.end() || found->first != codePoint)
            return std::nullopt;
        return found->second;
    }

  private:
    using Entry = std::pair<char32_t, char>;
    std::array<Entry, 128> entries_{};
};

}  // namespace

bool AnsiCodePageBytes(char32_t codePoint, std::string& bytes) {
    if (codePoint < 0x80) {
        bytes.assign(1, static_cast<char>(codePoint));
        return true;
    }
    static const UpperHalf upper;
    const std::optional<char> byte = upper.ByteOf(codePoint);
    if (!byte)
        return false;
    bytes.assign(1, *byte);
    return true;
}

}  // namespace nimbra
