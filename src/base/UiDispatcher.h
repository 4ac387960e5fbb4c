#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace nimbra {

// The one way a worker thread reaches the interface thread.
class UiDispatcher {
  public:
    virtual ~UiDispatcher() = default;

    // Runs the task on the interface thread later; returns at once.
    virtual void Post(std::function<void()> task) = 0;
    // Runs the task on the interface thread and waits until it has run; an
    // exception it raises is raised again in the caller. Called on the
    // interface thread itself, the task runs at once.
    virtual void Send(std::function<void()> task) = 0;
    virtual bool IsUiThread() const = 0;
    // Serves hand-overs (Send) on the interface thread until `done` answers
    // true: what the interface thread does while it joins a worker that may
    // be blocked in Send.
    virtual void ServeUntil(const std::function<bool()>& done) = 0;
};

// A dispatcher whose interface thread is the one that created it and that
// runs tasks only when pumped: ProcessPending, or while ServeUntil waits.
// Used by tests and by the portable build.
class ManualDispatcher : public UiDispatcher {
  public:
    ManualDispatcher();
    ~ManualDispatcher() override;

    void Post(std::function<void()> task) override;
    void Send(std::function<void()> task) override;
    bool IsUiThread() const override;
    void ServeUntil(const std::function<bool()>& done) override;

    // Runs every task queued so far (interface thread only); returns how many.
    int ProcessPending();
    // Waits up to `timeoutMs` for a task to arrive, then runs what is queued.
    int WaitAndProcess(int timeoutMs);
    std::size_t PendingCount() const;

  private:
    struct Task;
    std::thread::id uiThread_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::shared_ptr<Task>> queue_;
};

}  // namespace nimbra
