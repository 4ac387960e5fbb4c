#pragma once

#include <functional>
#include <memory>

#include "controls/ShortCuts.h"

namespace nimbra {

// The system's side of global hotkeys: key combinations registered under
// identifiers of ours, reported on the interface thread when pressed. One
// combination has one holder on the whole desktop; a combination someone
// else holds cannot be registered.
//
// On Windows a hidden message window receives WM_HOTKEY. Elsewhere there is
// no desktop-wide key grab to ask, so the holders are kept for the process
// (as the settings live in memory there): the rule that one holder wins and
// the others fail silently still holds, but no key press ever arrives.
class THotKeyReceiver {
  public:
    using TPressed = std::function<void(int id)>;

    // Raises EOSError when the window cannot be created.
    explicit THotKeyReceiver(TPressed onPressed);
    // Drops every hotkey still registered.
    ~THotKeyReceiver();
    THotKeyReceiver(const THotKeyReceiver&) = delete;
    THotKeyReceiver& operator=(const THotKeyReceiver&) = delete;

    // False when the system refused: another holder has the combination, or
    // it names no key (0, or a value above 255). A key held down does not
    // repeat the hotkey.
    bool Register(int id, TShortCut shortCut);
    // Harmless for an identifier that is not registered.
    void Unregister(int id);

  private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

}  // namespace nimbra
