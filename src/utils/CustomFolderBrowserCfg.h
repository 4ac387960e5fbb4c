#pragma once

#include <string>

#include "utils/CfgUtils.h"

namespace nimbra {

// The program that opens folders instead of the shell's own folder window,
// and its command line; both empty unless the user chose one.
class TCustomFolderBrowserCfg : public TCommonCfgObject {
  public:
    using TCommonCfgObject::TCommonCfgObject;

    const std::string& Path() const { return path_; }
    void SetPath(const std::string& value) { path_ = value; }
    const std::string& CmdLine() const { return cmdLine_; }
    void SetCmdLine(const std::string& value) { cmdLine_ = value; }

    void Assign(const TPersistent& source) override;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    std::string path_;
    std::string cmdLine_;
};

// The application configuration's folder-browser settings, or nullptr.
extern TCustomFolderBrowserCfg* CustomBrowserCfg;

}  // namespace nimbra
