#include "base/WaitCursor.h"

namespace nimbra {

// No screen cursor to change outside Windows.
TWaitCursorHook PlatformWaitCursorHook() {
    return {};
}

}  // namespace nimbra
