#include "search/FileBrowser.h"

#include "utils/MiscUtils.h"

namespace nimbra {

std::string TFileBrowser::FullPath() const {
    return JoinPath(path_, name_);
}

void TFileBrowser::SetPath(const std::string& path) {
    Close();
    path_ = path;
}

void TFileBrowser::SetFilter(const std::string& filter) {
    Close();
    filter_ = filter;
}

}  // namespace nimbra
