#include <cerrno>
#include <cstring>

#include "base/OsError.h"

namespace nimbra {

std::string SysErrorMessage(unsigned long code) {
    return std::strerror(static_cast<int>(code));
}

void RaiseLastOSError(std::string_view call) {
    RaiseOSError(call, static_cast<unsigned long>(errno));
}

}  // namespace nimbra
