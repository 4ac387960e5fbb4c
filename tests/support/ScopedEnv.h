#pragma once

#include <optional>
#include <string>

namespace nimbra::testing_support {

// Sets an environment variable of this process for the lifetime of the
// object, then restores what was there.
class ScopedEnv {
  public:
    ScopedEnv(const std::string& name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace nimbra::testing_support
