#include "base/OsError.h"

#include <cstdio>

namespace nimbra {

void RaiseOSError(std::string_view call, unsigned long code) {
    RaiseOSError(call, code, {});
}

void RaiseOSError(std::string_view call, unsigned long code, std::string_view what) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", code);
    std::string message = std::string(call) + " failed (" + hex + ")";
    const std::string description = SysErrorMessage(code);
    if (!description.empty())
        message += ": " + description;
    if (!what.empty())
        message = std::string(what) + ": " + message;
    throw EOSError(message, code);
}

void OleCheck(long result, std::string_view call) {
    if (result < 0)
        RaiseOSError(call, static_cast<unsigned long>(result));
}

}  // namespace nimbra
