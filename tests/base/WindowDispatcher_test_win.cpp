#include "base/WindowDispatcher_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "search/ItemsView.h"
#include "support/ErrorCollector.h"

namespace nimbra {
namespace {

void PumpPosted() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

TEST(WindowDispatcherTest, PostedTasksRunFromTheMessageLoopInOrder) {
    TWindowDispatcher dispatcher;
    std::vector<int> order;
    dispatcher.Post([&] { order.push_back(1); });
    dispatcher.Post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    PumpPosted();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(WindowDispatcherTest, APostedTaskErrorGoesToTheErrorDisplayAndLaterTasksStillRun) {
    testing_support::ErrorCollector errors;
    TWindowDispatcher dispatcher;
    bool ranAfter = false;
    dispatcher.Post([] { throw std::runtime_error("rescan failed"); });
    dispatcher.Post([&] { ranAfter = true; });
    PumpPosted();
    EXPECT_EQ(errors.texts, std::vector<std::string>{"rescan failed"});
    EXPECT_TRUE(ranAfter);
}

TEST(WindowDispatcherTest, SendFromAWorkerRunsOnTheInterfaceThreadAndCarriesErrors) {
    TWindowDispatcher dispatcher;
    const DWORD uiThread = GetCurrentThreadId();
    DWORD ranOn = 0;
    std::string caught;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        dispatcher.Send([&] { ranOn = GetCurrentThreadId(); });
        try {
            dispatcher.Send([] { throw std::runtime_error("lookup failed"); });
        } catch (const std::exception& e) {
            caught = e.what();
        }
        finished = true;
    });
    dispatcher.ServeUntil([&] { return finished.load(); });
    worker.join();
    EXPECT_EQ(ranOn, uiThread);
    EXPECT_EQ(caught, "lookup failed");
}

TEST(WindowDispatcherTest, DestroyingWithPostedTasksLeftDropsThem) {
    bool ran = false;
    {
        TWindowDispatcher dispatcher;
        dispatcher.Post([&] { ran = true; });
    }
    PumpPosted();
    EXPECT_FALSE(ran);
}

// The icon loader with the real dispatcher: closing the view while the
// loader waits in a hand-over must not deadlock.
TEST(WindowDispatcherTest, TheIconLoaderEndsWhileItsHandOverIsPending) {
    TWindowDispatcher dispatcher;
    std::atomic<int> lookups{0};
    auto view = std::make_unique<TItemsView>(dispatcher, [&](const std::string&) {
        ++lookups;
        return 5;
    });
    view->QueueIcon("C:\\a.txt");
    while (lookups.load() == 0)
        Sleep(1);
    Sleep(20);
    view.reset();
    EXPECT_EQ(lookups.load(), 1);
}

}  // namespace
}  // namespace nimbra
