#include <cstdio>

#include "base/ErrorDisplay.h"

namespace nimbra {

void ShowErrorDefault(const char* text) noexcept {
    std::fprintf(stderr, "Nimbra: %s\n", text);
}

}  // namespace nimbra
