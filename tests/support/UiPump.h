#pragma once

#include <functional>

#include "base/UiDispatcher.h"

namespace nimbra {

// Serves the test's thread as the interface thread: on Windows it dispatches
// window messages, elsewhere it runs what reached the dispatcher.
class TUiPump {
  public:
    UiDispatcher* Dispatcher() { return &dispatcher_; }
    // Serves for `ms` milliseconds.
    void RunFor(int ms);
    // Serves until `done` answers true or `timeoutMs` have passed; returns
    // done().
    bool RunUntil(const std::function<bool()>& done, int timeoutMs);

  private:
    // Serves what is there, waiting at most `ms` for something to arrive.
    void ServeOnce(int ms);
    ManualDispatcher dispatcher_;
};

}  // namespace nimbra
