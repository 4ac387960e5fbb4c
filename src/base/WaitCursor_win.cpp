#include <windows.h>

#include <memory>

#include "base/WaitCursor.h"

namespace nimbra {

TWaitCursorHook PlatformWaitCursorHook() {
    auto saved = std::make_shared<HCURSOR>(nullptr);
    return TWaitCursorHook{
        [saved] { *saved = SetCursor(LoadCursorW(nullptr, IDC_WAIT)); },
        [saved] {
            SetCursor(*saved);
            *saved = nullptr;
        },
    };
}

}  // namespace nimbra
