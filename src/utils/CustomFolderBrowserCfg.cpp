#include "utils/CustomFolderBrowserCfg.h"

namespace nimbra {

TCustomFolderBrowserCfg* CustomBrowserCfg = nullptr;

const TClassInfo& TCustomFolderBrowserCfg::StaticClassInfo() {
    using T = TCustomFolderBrowserCfg;
    static const TClassInfo info(typeid(TCustomFolderBrowserCfg), "TCustomFolderBrowserCfg",
                                 &TCommonCfgObject::StaticClassInfo(),
                                 {Published("Path", &T::Path, &T::SetPath),
                                  Published("CmdLine", &T::CmdLine, &T::SetCmdLine)});
    return info;
}

void TCustomFolderBrowserCfg::Assign(const TPersistent& source) {
    const auto* other = dynamic_cast<const TCustomFolderBrowserCfg*>(&source);
    if (other == nullptr) {
        TCommonCfgObject::Assign(source);
        return;
    }
    path_ = other->path_;
    cmdLine_ = other->cmdLine_;
}

}  // namespace nimbra
