#include <cstdlib>

#include "shell/LnkUtils.h"

namespace nimbra {

// %NAME% is replaced by the variable's value; a reference to a name that is
// not set, and a "%" without a partner, stay as they are (the Windows rule).
std::string ExpandEnvVars(const std::string& text) {
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto open = text.find('%', pos);
        const auto close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result.append(text, pos);
            break;
        }
        result.append(text, pos, open - pos);
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value != nullptr)
            result += value;
        else
            result.append(text, open, close - open + 1);
        pos = close + 1;
    }
    return result;
}

// Without a shell the file's bytes are decoded directly. Its paths are those
// of the Windows system that wrote it, so there is nothing to resolve them
// against: a link is never refused for a missing target here.
void TShellLnk::LoadFromFile() {
    data_ = ReadShellLinkFile(fileName_).Data;
    target_ = ExpandEnvVars(data_.Path);
}

// Placing the program's own shortcut in the shell's folders only exists on
// Windows; elsewhere there is no shell that would read it.
bool CreateLnk(const std::string&, const std::string&, const std::string&, const std::string&) {
    return false;
}

}  // namespace nimbra
