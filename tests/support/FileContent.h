#pragma once

#include <string>

#include "utils/FileUtils.h"

namespace nimbra::testing_support {

// The bytes of a file, or "<missing>" when there is no such file.
inline std::string FileContent(const std::string& file) {
    return FileExists(file) ? ReadFileBytes(file, std::size_t{1} << 24) : "<missing>";
}

}  // namespace nimbra::testing_support
