#pragma once

#include <atomic>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "utils/ConfigUtils.h"

namespace nimbra::testing_support {

// An application key of its own for one test, below the program's vendor
// key but never the program's own: "\Quillmoor Software\NimbraTest-<pid>-<n>".
// The key and everything below it are deleted when the object goes.
class TestAppKey {
  public:
    TestAppKey() {
        static std::atomic<int> counter{0};
#ifdef _WIN32
        const int pid = _getpid();
#else
        const int pid = static_cast<int>(::getpid());
#endif
        name_ = "NimbraTest-" + std::to_string(pid) + "-" + std::to_string(++counter);
        Erase();
    }
    TestAppKey(const TestAppKey&) = delete;
    TestAppKey& operator=(const TestAppKey&) = delete;
    ~TestAppKey() {
        Erase();
    }

    // The application key, as TAppIni::SetAppKey takes it.
    std::string AppKey() const {
        return "\\Quillmoor Software\\" + name_;
    }
    // The full key path below the user's root.
    std::string KeyPath() const {
        return "\\Software" + AppKey();
    }

  private:
    void Erase() const {
        TAppIni vendor;
        vendor.SetAppKey("\\Quillmoor Software");
        vendor.EraseSection(name_);
    }
    std::string name_;
};

// Points the global settings store at a test key of its own for the
// object's lifetime, then back at the key it had.
class GlobalAppIniOverride {
  public:
    GlobalAppIniOverride() : previous_(AppIni().AppKey()) { AppIni().SetAppKey(key_.AppKey()); }
    GlobalAppIniOverride(const GlobalAppIniOverride&) = delete;
    GlobalAppIniOverride& operator=(const GlobalAppIniOverride&) = delete;
    ~GlobalAppIniOverride() { AppIni().SetAppKey(previous_); }

    const TestAppKey& Key() const { return key_; }

  private:
    TestAppKey key_;
    std::string previous_;
};

}  // namespace nimbra::testing_support
