#include "base/WaitCursor.h"

namespace nimbra {

namespace {

struct WaitCursorState {
    int depth = 0;
    TWaitCursorHook hook = PlatformWaitCursorHook();
};

WaitCursorState& State() {
    static WaitCursorState state;
    return state;
}

}  // namespace

void StartWait() {
    WaitCursorState& state = State();
    if (state.depth++ == 0 && state.hook.Show)
        state.hook.Show();
}

void StopWait() {
    WaitCursorState& state = State();
    if (state.depth == 0)
        return;  // unbalanced: nothing to restore
    if (--state.depth == 0 && state.hook.Restore)
        state.hook.Restore();
}

int WaitCursorDepth() {
    return State().depth;
}

void SetWaitCursorHook(TWaitCursorHook hook) {
    State().hook = std::move(hook);
}

}  // namespace nimbra
