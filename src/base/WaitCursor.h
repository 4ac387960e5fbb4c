#pragma once

#include <functional>

namespace nimbra {

// The nestable wait cursor: the first StartWait saves the screen cursor and
// shows the hourglass; the matching last StopWait restores it. Interface
// thread only.
void StartWait();
void StopWait();
int WaitCursorDepth();

// How the cursor is shown and restored; the platform's by default. Tests
// install their own.
struct TWaitCursorHook {
    std::function<void()> Show;     // save the current cursor, show the hourglass
    std::function<void()> Restore;  // put the saved cursor back
};
void SetWaitCursorHook(TWaitCursorHook hook);
TWaitCursorHook PlatformWaitCursorHook();

// Shows the wait cursor for the lifetime of the object.
class TWaitCursor {
  public:
    TWaitCursor() { StartWait(); }
    ~TWaitCursor() { StopWait(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace nimbra
