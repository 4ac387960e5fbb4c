#include <windows.h>

#include "support/UiPump.h"

namespace nimbra {

void TUiPump::ServeOnce(int ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    dispatcher_.ProcessPending();
}

}  // namespace nimbra
