#pragma once

// Hidden windows that receive messages for an object of ours, and the one
// boundary every window procedure of ours has (Windows only).
#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string_view>

#include "base/ErrorDisplay.h"
#include "base/Handles_win.h"

namespace nimbra {

// What a window procedure answers for a message whose handler raised: the
// value that makes the message fail (FALSE for WM_NCCREATE and -1 for
// WM_CREATE, so the window is not created), 0 for any other message.
LRESULT FailedMessageResult(UINT message) noexcept;

// Runs a message handler behind the boundary between the system and our
// code: an exception is reported through the application's error display and
// the message is answered with FailedMessageResult. Exceptions never unwind
// into the system.
template <class Handle>
LRESULT GuardedMessage(UINT message, Handle&& handle) noexcept {
    try {
        return handle();
    } catch (...) {
        HandleException(std::current_exception());
        return FailedMessageResult(message);
    }
}

// The object a window of ours belongs to, kept as a window property from
// WM_NCCREATE (the creation parameter) to WM_NCDESTROY. False when it cannot
// be attached.
bool AttachWindowObject(HWND hwnd, const CREATESTRUCTW& create) noexcept;
void* WindowObject(HWND hwnd) noexcept;
void DetachWindowObject(HWND hwnd) noexcept;

// The window procedure of a class whose windows are created with their
// object as the creation parameter; the object answers through
// `LRESULT T::HandleMessage(HWND, UINT, WPARAM, LPARAM)` behind
// GuardedMessage. Messages before WM_NCCREATE get the default processing.
template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE &&
        !AttachWindowObject(hwnd, *reinterpret_cast<const CREATESTRUCTW*>(lParam)))
        return FALSE;
    auto* object = static_cast<T*>(WindowObject(hwnd));
    if (object == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = GuardedMessage(
        message, [&] { return object->HandleMessage(hwnd, message, wParam, lParam); });
    if (message == WM_NCDESTROY)
        DetachWindowObject(hwnd);
    return result;
}

enum TMessageWindowKind {
    mwMessageOnly,  // below HWND_MESSAGE: only posted and sent messages reach it
    mwTopLevel,     // hidden top-level: also broadcasts (WM_COPYDATA) and the shell's callbacks
};

// A hidden window of one class registered once per process, whose messages
// go to a handler on the thread that created it. Interface thread objects
// (a dispatcher, folder watchers, the notification icon, hotkeys, the single
// instance) use it to receive messages.
class TMessageWindow {
  public:
    // Answers a message, or gives nothing to leave it to the system's default
    // processing. Runs behind GuardedMessage.
    using THandler = std::function<std::optional<LRESULT>(UINT message, WPARAM, LPARAM)>;

    // Raises EOSError when the window cannot be created (also when the
    // handler made WM_NCCREATE or WM_CREATE fail).
    explicit TMessageWindow(THandler handler, TMessageWindowKind kind = mwMessageOnly,
                            std::wstring_view title = {});
    // Destroys the window; the handler is not called any more.
    ~TMessageWindow();
    TMessageWindow(const TMessageWindow&) = delete;
    TMessageWindow& operator=(const TMessageWindow&) = delete;

    HWND Handle() const { return window_.Get(); }

  private:
    friend LRESULT CALLBACK ObjectWindowProc<TMessageWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    THandler handler_;
    TWindowHandle window_;
};

}  // namespace nimbra
