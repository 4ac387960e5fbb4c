#pragma once

#include <string>
#include <vector>

#include "search/NimbraTypes.h"

namespace nimbra::testing_support {

// The catalogue's entries from `first` on, one line each: two blanks per
// level, the title, and "/" after a folder.
inline std::vector<std::string> Outline(TProgramMenuItems& items, int first = 0) {
    std::vector<std::string> lines;
    for (int i = first; i < items.Count(); ++i) {
        const TProgramMenuItem e = items.Items(i);
        lines.push_back(std::string(static_cast<std::size_t>(e.Level()) * 2, ' ') + e.Title() +
                        (e.IsFolder() ? "/" : ""));
    }
    return lines;
}

}  // namespace nimbra::testing_support
