// The binary shortcut reader must take any bytes: it reads a link (perhaps
// without a damaged optional part) or refuses it with ELnkFormatError, never
// reads outside the input, and what it reads is well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/Unicode.h"
#include "shell/LnkFormat.h"

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    nimbra::IDListToPath(bytes);
    nimbra::TShellLinkFile link;
    try {
        link = nimbra::ParseShellLink(bytes);
    } catch (const nimbra::ELnkFormatError&) {
        return 0;
    }
    const auto& list = link.Data.IDList;
    // A list is its items and the two-byte terminator, inside the input.
    Check(list.empty() || (list.size() >= 2 && list.size() <= size && list[list.size() - 1] == 0 &&
                           list[list.size() - 2] == 0));
    for (const std::string* text :
         {&link.Data.Path, &link.Data.Arguments, &link.Data.Description, &link.Data.IconLocation,
          &link.Data.WorkingDirectory, &link.RelativePath, &link.EnvironmentTarget,
          &link.EnvironmentIcon, &link.LinkInfoPath, &link.IDListPath})
        Check(nimbra::IsValidUtf8(*text));
    Check(link.Data.Path.empty() || link.Data.Path == link.EnvironmentTarget ||
          link.Data.Path == link.IDListPath || link.Data.Path == link.LinkInfoPath);
    const auto show = link.Data.ShowCmd;
    Check(show == nimbra::kShowNormal || show == nimbra::kShowMaximized ||
          show == nimbra::kShowMinNoActive);
    return 0;
}
