#include "search/SystemIcons.h"
#include "shell/ShellImageList_win.h"

namespace nimbra {

int SystemDefaultImageIndex() {
    return GetFileTypeIconIndex(".", false);
}

int SystemFileImageIndex(const std::string& path) {
    return GetFileIconIndex(path);
}

}  // namespace nimbra
