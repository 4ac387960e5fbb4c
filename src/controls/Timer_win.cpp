#include "controls/Timer_win.h"

namespace nimbra {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner),
      window_([this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
          if (message != WM_TIMER || wParam != kTimerId)
              return std::nullopt;
          if (enabled_ && OnTimer)
              OnTimer(*this);
          return 0;
      }) {}

TTimer::~TTimer() {
    enabled_ = false;
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned milliseconds) {
    if (interval_ == milliseconds)
        return;
    interval_ = milliseconds;
    if (running_) {
        KillTimer(window_.Handle(), kTimerId);
        running_ = false;
    }
    Update();
}

void TTimer::Update() {
    const bool run = enabled_ && interval_ > 0;
    if (run == running_)
        return;
    if (run)
        running_ = SetTimer(window_.Handle(), kTimerId, interval_, nullptr) != 0;
    else {
        KillTimer(window_.Handle(), kTimerId);
        running_ = false;
    }
}

const TClassInfo& TTimer::StaticClassInfo() {
    using T = TTimer;
    static const TClassInfo info("TTimer", &TComponent::StaticClassInfo(),
                                 {Published("Enabled", &T::Enabled, &T::SetEnabled, false),
                                  Published("Interval", &T::Interval, &T::SetInterval, 1000)});
    return info;
}

}  // namespace nimbra
