#include <windows.h>

#include "base/Unicode.h"
#include "support/ScopedEnv.h"

namespace nimbra::testing_support {

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
    const std::wstring wideName = ToWide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size > 0) {
        std::wstring old(size, L'\0');
        old.resize(GetEnvironmentVariableW(wideName.c_str(), old.data(), size));
        previous_ = ToUtf8(old);
    }
    SetEnvironmentVariableW(wideName.c_str(), ToWide(value).c_str());
}

ScopedEnv::~ScopedEnv() {
    SetEnvironmentVariableW(ToWide(name_).c_str(),
                            previous_ ? ToWide(*previous_).c_str() : nullptr);
}

}  // namespace nimbra::testing_support
