#include "search/ImageThread.h"

#include "base/ComInit.h"
#include "base/UiDispatcher.h"

namespace nimbra {

TImageThread::TImageThread(TItemsView& view, UiDispatcher& dispatcher, TIconLookup lookup)
    : view_(view), dispatcher_(dispatcher), lookup_(std::move(lookup)) {
    thread_ = std::thread([this] { Execute(); });
}

TImageThread::~TImageThread() {
    terminated_ = true;
    Wake();
    // The thread may be blocked handing a result to this very thread.
    dispatcher_.ServeUntil([this] { return finished_.load(); });
    thread_.join();
}

void TImageThread::Wake() {
    {
        std::lock_guard lock(wakeMutex_);
        wakeSignalled_ = true;
    }
    wakeCondition_.notify_one();
}

void TImageThread::WaitForWake() {
    std::unique_lock lock(wakeMutex_);
    wakeCondition_.wait(lock, [this] { return wakeSignalled_; });
    wakeSignalled_ = false;  // auto-reset
}

void TImageThread::Execute() {
    {
        TComInitializer com;
        while (!terminated_) {
            const std::optional<std::string> path = view_.TakeQueuedIcon();
            if (!path) {
                WaitForWake();
                continue;
            }
            // One bad path must never stop the loader.
            try {
                const int index = lookup_ ? lookup_(*path) : -1;
                if (index != -1 && !terminated_) {
                    view_.SetLoadedIcon(*path, index);
                    dispatcher_.Send([this] { view_.ApplyLoadedIcon(); });
                }
            } catch (...) {
            }
        }
    }
    finished_ = true;
}

}  // namespace nimbra
