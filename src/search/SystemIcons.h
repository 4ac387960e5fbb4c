#pragma once

#include <string>

namespace nimbra {

// Indexes into the system's small-icon image list.
// The placeholder: the icon of a plain file, by type only (no disk access);
// -1 when the system has none.
int SystemDefaultImageIndex();
// The icon of a real file or folder (it may look at the file); -1 when it
// cannot be found.
int SystemFileImageIndex(const std::string& path);

}  // namespace nimbra
