#include "base/UiDispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace nimbra {
namespace {

TEST(ManualDispatcherTest, PostedTasksRunOnlyWhenPumpedInOrder) {
    ManualDispatcher dispatcher;
    std::vector<int> order;
    dispatcher.Post([&] { order.push_back(1); });
    dispatcher.Post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(dispatcher.ProcessPending(), 2);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(ManualDispatcherTest, SendOnTheInterfaceThreadRunsAtOnce) {
    ManualDispatcher dispatcher;
    bool ran = false;
    dispatcher.Send([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(dispatcher.PendingCount(), 0u);
}

// Suites named ...Threads also run under ThreadSanitizer.
TEST(DispatcherThreads, SendFromAWorkerWaitsForTheInterfaceThread) {
    ManualDispatcher dispatcher;
    std::atomic<bool> returned{false};
    std::thread::id ranOn;
    std::thread worker([&] {
        dispatcher.Send([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    dispatcher.ServeUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(DispatcherThreads, SendCarriesTheTasksExceptionBackToTheWorker) {
    ManualDispatcher dispatcher;
    std::atomic<bool> done{false};
    std::string caught;
    std::thread worker([&] {
        try {
            dispatcher.Send([] { throw std::runtime_error("icon lookup failed"); });
        } catch (const std::exception& e) {
            caught = e.what();
        }
        done = true;
    });
    dispatcher.ServeUntil([&] { return done.load(); });
    worker.join();
    EXPECT_EQ(caught, "icon lookup failed");
}

TEST(DispatcherThreads, ManyWorkersPostAndSendConcurrently) {
    ManualDispatcher dispatcher;
    constexpr int kWorkers = 4;
    constexpr int kPerWorker = 200;
    int counter = 0;  // touched only on the interface thread
    std::atomic<int> finished{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            for (int i = 0; i < kPerWorker; ++i) {
                if ((i + w) % 2 == 0) {
                    dispatcher.Post([&] { ++counter; });
                } else {
                    dispatcher.Send([&] { ++counter; });
                }
            }
            ++finished;
        });
    }
    dispatcher.ServeUntil([&] { return finished.load() == kWorkers; });
    for (auto& t : workers)
        t.join();
    dispatcher.ProcessPending();
    EXPECT_EQ(counter, kWorkers * kPerWorker);
}

TEST(DispatcherThreads, DestroyingTheDispatcherReleasesAWaitingSender) {
    auto dispatcher = std::make_unique<ManualDispatcher>();
    std::atomic<bool> ran{false};
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        dispatcher->Send([&] { ran = true; });
        returned = true;
    });
    while (dispatcher->PendingCount() == 0)
        std::this_thread::yield();
    dispatcher.reset();
    worker.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace nimbra
