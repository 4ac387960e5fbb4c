#pragma once

#include <string>
#include <string_view>

#include "base/Exception.h"

namespace nimbra {

// The system's description of an error code (GetLastError / HRESULT on
// Windows, errno elsewhere).
std::string SysErrorMessage(unsigned long code);
// Raises EOSError naming the failed call with the code's description.
[[noreturn]] void RaiseOSError(std::string_view call, unsigned long code);
// The same, the message beginning with what could not be done
// ("Cannot write \"C:\\x.lng\"") so that the user learns which file it was.
[[noreturn]] void RaiseOSError(std::string_view call, unsigned long code, std::string_view what);
// The same for the calling thread's last error.
[[noreturn]] void RaiseLastOSError(std::string_view call);
// Raises EOSError naming the call when a COM result code (HRESULT) reports a
// failure (is negative); success codes such as S_FALSE pass.
void OleCheck(long result, std::string_view call);

}  // namespace nimbra
