#include <windows.h>

#include "base/MessageWindow_win.h"
#include "shortcuts/HotKeyReceiver.h"

namespace nimbra {

// Named, so that the window can be told apart from the other message windows.
constexpr wchar_t kHotKeyWindowTitle[] = L"Nimbra.HotKeys";

struct THotKeyReceiver::TImpl {
    explicit TImpl(TPressed pressed)
        : onPressed(std::move(pressed)),
          window(
              [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
                  if (message != WM_HOTKEY)
                      return std::nullopt;
                  if (onPressed)
                      onPressed(static_cast<int>(wParam));
                  return 0;
              },
              mwMessageOnly, kHotKeyWindowTitle) {}

    TPressed onPressed;
    // Hotkeys reach a message-only window as well: they are posted to it.
    TMessageWindow window;
};

THotKeyReceiver::THotKeyReceiver(TPressed onPressed)
    : impl_(std::make_unique<TImpl>(std::move(onPressed))) {}

// The window's destruction frees every hotkey registered for it.
THotKeyReceiver::~THotKeyReceiver() = default;

bool THotKeyReceiver::Register(int id, TShortCut shortCut) {
    unsigned key = 0;
    unsigned modifiers = 0;
    ShortCutToHotKey(shortCut, key, modifiers);
    if (key == 0 || key > 255)
        return false;
    return RegisterHotKey(impl_->window.Handle(), id, modifiers | MOD_NOREPEAT, key) != FALSE;
}

void THotKeyReceiver::Unregister(int id) {
    UnregisterHotKey(impl_->window.Handle(), id);
}

}  // namespace nimbra
