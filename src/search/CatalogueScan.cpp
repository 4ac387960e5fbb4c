#include "search/CatalogueScan.h"

#include <chrono>
#include <utility>

#include "base/UiDispatcher.h"

namespace nimbra {

struct TCatalogueScan::TResult {
    TProgramMenuItems items{nullptr};
    std::exception_ptr error;
};

TCatalogueScan::TCatalogueScan(UiDispatcher& dispatcher, TFinished finished, TScanWork work)
    : dispatcher_(dispatcher),
      finished_(std::move(finished)),
      work_(std::move(work)),
      self_(std::make_shared<TCatalogueScan*>(this)) {}

TCatalogueScan::~TCatalogueScan() {
    self_.reset();
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void TCatalogueScan::ReadDisk(TProgramMenuItems& into, const std::vector<TScanRoot>& roots,
                              const std::atomic<bool>& stop) {
    into.ScanRoots(roots, &stop);
}

void TCatalogueScan::Start(std::vector<TScanRoot> roots) {
    if (Busy()) {
        waiting_ = std::move(roots);
        return;
    }
    Launch(std::move(roots));
}

void TCatalogueScan::Launch(std::vector<TScanRoot> roots) {
    thread_ = std::thread(&TCatalogueScan::Run, this, std::move(roots),
                          std::weak_ptr<TCatalogueScan*>(self_));
}

void TCatalogueScan::Run(const std::vector<TScanRoot>& roots,
                         const std::weak_ptr<TCatalogueScan*>& self) {
    auto result = std::make_shared<TResult>();
    try {
        work_(result->items, roots, stop_);
    } catch (...) {
        result->error = std::current_exception();
    }
    // A full message queue refuses the result for a moment; giving up would
    // leave the scan busy, and the window without rescans, for good. Only
    // closing ends the trying.
    while (!stop_) {
        try {
            dispatcher_.Post([self, result] {
                if (const std::shared_ptr<TCatalogueScan*> scan = self.lock())
                    (*scan)->Finish(result);
            });
            return;
        } catch (...) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

void TCatalogueScan::Finish(const std::shared_ptr<TResult>& result) {
    thread_.join();
    if (waiting_) {
        Launch(std::move(*waiting_));
        waiting_.reset();
    }
    finished_(result->items, result->error);
}

}  // namespace nimbra
