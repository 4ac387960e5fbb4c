#pragma once

// A timer component (Windows only).
#include "base/MessageWindow_win.h"
#include "controls/ActnList.h"

namespace nimbra {

// Raises OnTimer every `Interval` milliseconds while enabled, on the
// interface thread. Enabling a running timer does not restart it.
class TTimer : public TComponent {
  public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);

    TNotifyEvent OnTimer;

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo();

  private:
    void Update();

    bool enabled_ = false;
    unsigned interval_ = 1000;
    TMessageWindow window_;
    bool running_ = false;
};

}  // namespace nimbra
