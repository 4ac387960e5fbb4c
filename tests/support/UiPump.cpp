#include "support/UiPump.h"

#include <chrono>

namespace nimbra {

void TUiPump::RunFor(int ms) {
    RunUntil([] { return false; }, ms);
}

bool TUiPump::RunUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return done();
        ServeOnce(left.count() < 10 ? static_cast<int>(left.count()) : 10);
    }
    return true;
}

}  // namespace nimbra
