#pragma once

#include <windows.h>

#include <optional>

#include "base/MessageWindow_win.h"
#include "base/UiDispatcher.h"

namespace nimbra {

// The interface thread's dispatcher on Windows: a hidden message-only window
// created on that thread. Posted tasks run from its message loop, and an
// error they raise goes to the application's error display; a sender blocks
// in SendMessage until the interface thread has run the task.
class TWindowDispatcher : public UiDispatcher {
  public:
    TWindowDispatcher();
    // Tasks still posted are dropped; a sender still waiting is released
    // with its task not run.
    ~TWindowDispatcher() override;
    TWindowDispatcher(const TWindowDispatcher&) = delete;
    TWindowDispatcher& operator=(const TWindowDispatcher&) = delete;

    void Post(std::function<void()> task) override;
    void Send(std::function<void()> task) override;
    bool IsUiThread() const override;
    void ServeUntil(const std::function<bool()>& done) override;

    HWND Handle() const { return window_.Handle(); }

  private:
    static std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    DWORD uiThread_;
    TMessageWindow window_;
};

}  // namespace nimbra
