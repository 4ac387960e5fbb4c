#include <objbase.h>

#include "base/ComInit.h"

namespace nimbra {

// S_OK and S_FALSE (already initialised on this thread) both count, and both
// are balanced by CoUninitialize.
bool TComInitializer::InitializeCom() noexcept {
    return SUCCEEDED(CoInitialize(nullptr));
}

void TComInitializer::UninitializeCom() noexcept {
    CoUninitialize();
}

}  // namespace nimbra
