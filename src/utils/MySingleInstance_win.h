#pragma once

// The single instance on Windows: the instance mutex, the hand-over to the
// running copy and the component that receives it.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/Classes.h"
#include "base/MessageWindow_win.h"
#include "utils/MySingleInstance.h"

namespace nimbra {

// Stores the identifier and creates the instance mutex (kept open until
// CloseInstanceMutex). True when another copy already has it: the system
// reports that it exists (ERROR_ALREADY_EXISTS) or exists and cannot be
// opened (ERROR_ACCESS_DENIED). Any other failure counts as no other copy.
bool CheckPrevInstance(std::string_view identifier, bool localOnly);
// The identifier CheckPrevInstance stored; empty before it ran.
const std::string& InstanceIdentifier();
// Sends this process's whole command line to the first top-level window
// that carries the instance property and returns when it has been handled;
// sends nothing when there is none (the first copy is starting or ending).
void ActivatePrevInstance();
// Asks the running copy to end: hands this process's command line (which
// carries the switch "exit") over to it, waiting up to `timeoutMs` for its
// receiver if it is still starting, then waits for its process to end
// within the same time. Closes this process's own mutex first, so that only
// other copies count. True when no other copy runs any more.
bool EndPrevInstance(DWORD timeoutMs);
// Closes the instance mutex: from now on a new start is a first copy.
void CloseInstanceMutex();

// Marks `window` as the instance's receiver, taking the mark from a window
// that had it before; removes the mark again.
void SetInstanceWindow(HWND window);
void RemoveInstanceWindow(HWND window);

class TMySingleInstance;
using TMyInstanceLaunchEvent =
    std::function<void(TMySingleInstance& sender, const std::string& commandLine)>;

// Receives the hand-over of a second start in a hidden top-level window that
// carries the instance property while the component lives.
class TMySingleInstance : public TComponent {
  public:
    // Raises EAssertionFailed before CheckPrevInstance.
    explicit TMySingleInstance(TComponent* owner);
    ~TMySingleInstance() override;

    // When false, a hand-over also brings the program's window up.
    bool NoAutoActivate() const { return noAutoActivate_; }
    void SetNoAutoActivate(bool value) { noAutoActivate_ = value; }
    // Called with the command line of the second start.
    TMyInstanceLaunchEvent OnInstanceLaunch;

    // The receiver window; nullptr while designing.
    HWND Handle() const { return window_ ? window_->Handle() : nullptr; }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  protected:
    // The default activation unless NoAutoActivate, then OnInstanceLaunch.
    virtual void InstanceLaunched(const std::string& commandLine);

  private:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool noAutoActivate_ = false;
    std::unique_ptr<TMessageWindow> window_;
};

}  // namespace nimbra
