#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "search/ItemsView.h"

namespace nimbra {

class UiDispatcher;

// Works off the view's icon queue on its own thread, newest path first, and
// hands each index to the interface thread synchronously. It sleeps while
// the queue is empty.
class TImageThread {
  public:
    TImageThread(TItemsView& view, UiDispatcher& dispatcher, TIconLookup lookup);
    // Asks the thread to stop and waits for it, serving the interface
    // thread's hand-overs meanwhile; the thread finishes its current lookup
    // and serves nothing more. Not to be called from within ApplyLoadedIcon.
    ~TImageThread();
    TImageThread(const TImageThread&) = delete;
    TImageThread& operator=(const TImageThread&) = delete;

    // Signals the auto-reset wake-up event.
    void Wake();

  private:
    void Execute();
    void WaitForWake();

    TItemsView& view_;
    UiDispatcher& dispatcher_;
    TIconLookup lookup_;
    std::mutex wakeMutex_;
    std::condition_variable wakeCondition_;
    bool wakeSignalled_ = false;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

}  // namespace nimbra
