#include "base/UiDispatcher.h"

#include <chrono>
#include <exception>

namespace nimbra {

// A sender waits on its task's own lock, never on the dispatcher's, so a
// dispatcher destroyed while a sender waits leaves nothing dangling.
struct ManualDispatcher::Task {
    std::function<void()> run;
    bool synchronous = false;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;  // guarded by mutex
    bool cancelled = false;
    std::exception_ptr error;

    void Complete(bool wasCancelled, std::exception_ptr failure) {
        {
            std::lock_guard lock(mutex);
            finished = !wasCancelled;
            cancelled = wasCancelled;
            error = std::move(failure);
        }
        done.notify_all();
    }
};

ManualDispatcher::ManualDispatcher() : uiThread_(std::this_thread::get_id()) {}

ManualDispatcher::~ManualDispatcher() {
    // A sender still waiting must not wait forever for a dispatcher that is
    // gone; it is released with its task not run.
    std::deque<std::shared_ptr<Task>> left;
    {
        std::lock_guard lock(mutex_);
        left.swap(queue_);
    }
    for (auto& task : left)
        task->Complete(true, nullptr);
}

void ManualDispatcher::Post(std::function<void()> task) {
    auto entry = std::make_shared<Task>();
    entry->run = std::move(task);
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(entry));
    }
    arrived_.notify_all();
}

void ManualDispatcher::Send(std::function<void()> task) {
    if (IsUiThread()) {
        task();
        return;
    }
    auto entry = std::make_shared<Task>();
    entry->run = std::move(task);
    entry->synchronous = true;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(entry);
    }
    arrived_.notify_all();
    std::unique_lock lock(entry->mutex);
    entry->done.wait(lock, [&] { return entry->finished || entry->cancelled; });
    // Taken out under the lock, so the exception object is owned by this
    // thread alone from here on.
    std::exception_ptr error = std::move(entry->error);
    lock.unlock();
    if (error)
        std::rethrow_exception(error);
}

bool ManualDispatcher::IsUiThread() const {
    return std::this_thread::get_id() == uiThread_;
}

int ManualDispatcher::ProcessPending() {
    int count = 0;
    for (;;) {
        std::shared_ptr<Task> task;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                break;
            task = std::move(queue_.front());
            queue_.pop_front();
        }
        std::exception_ptr error;
        try {
            task->run();
        } catch (...) {
            error = std::current_exception();
        }
        ++count;
        // A posted task has nobody to report its error to; only a sender
        // gets it back.
        task->Complete(false, task->synchronous ? std::move(error) : nullptr);
    }
    return count;
}

int ManualDispatcher::WaitAndProcess(int timeoutMs) {
    {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                          [&] { return !queue_.empty(); });
    }
    return ProcessPending();
}

void ManualDispatcher::ServeUntil(const std::function<bool()>& done) {
    while (!done())
        WaitAndProcess(1);
    ProcessPending();
}

std::size_t ManualDispatcher::PendingCount() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

}  // namespace nimbra
