// The Internet-shortcut reader must take any bytes, and its INI lookup must
// agree with the fields it fills.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Unicode.h"
#include "shell/InternetShortcuts.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        nimbra::DecodeTextFile(std::string_view(reinterpret_cast<const char*>(data), size));
    const nimbra::TInternetShortcutData shortcut = nimbra::ParseInternetShortcut(text);
    const std::string url = nimbra::IniTextValue(text, "InternetShortcut", "URL");
    if (!url.empty() && shortcut.URL != url)
        std::abort();
    return 0;
}
