#include <sys/stat.h>

#include "search/SystemIcons.h"
#include "utils/MiscUtils.h"

namespace nimbra {

// There is no system image list here; three fixed indexes stand for the
// placeholder, a folder and a file, which is all the list needs.
int SystemDefaultImageIndex() {
    return 0;
}

int SystemFileImageIndex(const std::string& path) {
    struct stat st {};
    if (stat(NativePath(path).c_str(), &st) != 0)
        return -1;
    return S_ISDIR(st.st_mode) ? 1 : 2;
}

}  // namespace nimbra
