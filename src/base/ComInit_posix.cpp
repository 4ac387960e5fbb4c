#include "base/ComInit.h"

namespace nimbra {

bool TComInitializer::InitializeCom() noexcept {
    return true;
}

void TComInitializer::UninitializeCom() noexcept {}

}  // namespace nimbra
