#pragma once

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "search/NimbraTypes.h"

namespace nimbra {

class UiDispatcher;

// Rescans on a thread of its own, so that the window keeps answering while
// a large tree is read; the finished catalogue reaches the interface thread
// in one step, where it replaces the shown one. One scan runs at a time: a
// scan asked for meanwhile waits, holding only the newest roots, and starts
// when the running one has been handed over.
class TCatalogueScan {
  public:
    // Called on the interface thread with the scanned catalogue (the part
    // read before an error, when it raised) and the error, if any.
    using TFinished = std::function<void(TProgramMenuItems& scanned, std::exception_ptr error)>;
    // What a scan does on its thread: fills the fresh catalogue from the
    // roots, giving up soon once `stop` is set. Reading the disk by default.
    using TScanWork =
        std::function<void(TProgramMenuItems& into, const std::vector<TScanRoot>& roots,
                           const std::atomic<bool>& stop)>;

    TCatalogueScan(UiDispatcher& dispatcher, TFinished finished, TScanWork work = ReadDisk);
    // Stops a running scan after the folder it reads and waits for it; what
    // it found is dropped. Interface thread only.
    ~TCatalogueScan();
    TCatalogueScan(const TCatalogueScan&) = delete;
    TCatalogueScan& operator=(const TCatalogueScan&) = delete;

    // Interface thread only.
    void Start(std::vector<TScanRoot> roots);
    // A scan runs, or waits for the running one.
    bool Busy() const { return thread_.joinable(); }

  private:
    struct TResult;
    static void ReadDisk(TProgramMenuItems& into, const std::vector<TScanRoot>& roots,
                         const std::atomic<bool>& stop);
    void Launch(std::vector<TScanRoot> roots);
    // The scan's thread: reads, then hands the result over.
    void Run(const std::vector<TScanRoot>& roots, const std::weak_ptr<TCatalogueScan*>& self);
    void Finish(const std::shared_ptr<TResult>& result);

    UiDispatcher& dispatcher_;
    TFinished finished_;
    TScanWork work_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::optional<std::vector<TScanRoot>> waiting_;
    // Results posted by a scan find this gone once the object is.
    std::shared_ptr<TCatalogueScan*> self_;
};

}  // namespace nimbra
