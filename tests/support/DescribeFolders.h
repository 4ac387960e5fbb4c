#pragma once

#include <string>
#include <vector>

#include "folders/NimbraCustomFolders.h"

namespace nimbra::testing_support {

// One line per entry of an include-folders list, to compare whole lists:
// the title ("<separator>" for a separator), "+" or "-" for Include, then
// each location as "shell:sfName" or "disk:path".
std::vector<std::string> DescribeFolders(const TCustomFolders& folders);

}  // namespace nimbra::testing_support
