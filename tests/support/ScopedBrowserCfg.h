#pragma once

#include <string>
#include <utility>

#include "utils/CustomFolderBrowserCfg.h"

namespace nimbra::testing_support {

// Makes a folder-browser configuration of the test's the application's one
// (CustomBrowserCfg) for the lifetime of the object.
class ScopedBrowserCfg {
  public:
    ScopedBrowserCfg(const std::string& path, const std::string& cmdLine) {
        cfg_.SetPath(path);
        cfg_.SetCmdLine(cmdLine);
        previous_ = std::exchange(CustomBrowserCfg, &cfg_);
    }
    ~ScopedBrowserCfg() { CustomBrowserCfg = previous_; }
    ScopedBrowserCfg(const ScopedBrowserCfg&) = delete;
    ScopedBrowserCfg& operator=(const ScopedBrowserCfg&) = delete;

    TCustomFolderBrowserCfg& Cfg() { return cfg_; }

  private:
    TCustomFolderBrowserCfg cfg_{nullptr};
    TCustomFolderBrowserCfg* previous_ = nullptr;
};

}  // namespace nimbra::testing_support
