#include "base/Unicode.h"
#include "shell/InternetShortcuts.h"
#include "utils/FileUtils.h"

namespace nimbra {

// Without the shell's Internet-shortcut object the INI form is read
// directly; like that object, a file without an address is refused.
void TInternetLnk::LoadFromFile() {
    data_ = ParseInternetShortcut(DecodeTextFile(ReadFileBytes(fileName_, kMaxUrlFileSize)));
    if (data_.URL.empty())
        throw EInternetShortcutError("\"" + fileName_ + "\" holds no address");
}

}  // namespace nimbra
