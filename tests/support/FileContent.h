#pragma once

#include <string>

#include "utils/FileUtils.h"

namespace nimbra::testing_support {

// The bytes of a file, or "<missing>" when there is no such file.
inline std::string FileContent(const std::string& file) {
    std::string bytes;
    return ReadFileBytes(file, bytes) ? bytes : "<missing>";
}

}  // namespace nimbra::testing_support
