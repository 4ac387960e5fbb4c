#include <unistd.h>

#include <string>

#include "utils/NewLangUtils.h"

namespace nimbra {

std::string ProgramFileName() {
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<std::size_t>(length));
    // The program's own path form, joined with backslashes like every path.
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

}  // namespace nimbra
