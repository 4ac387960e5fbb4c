#include "search/ImageThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "base/UiDispatcher.h"
#include "support/FakeResultList.h"

namespace nimbra {
namespace {

using testing_support::FakeResultList;
using namespace std::chrono_literals;

// A lookup whose first call can be held until the test releases it, and
// that records the order of the paths it was asked for.
class GatedLookup {
  public:
    int operator()(const std::string& path) {
        std::unique_lock lock(mutex_);
        asked_.push_back(path);
        changed_.notify_all();
        if (path == "gate")
            changed_.wait(lock, [this] { return open_; });
        if (path.find("bad") != std::string::npos)
            throw std::runtime_error("no icon");
        if (path.find("none") != std::string::npos)
            return -1;
        return static_cast<int>(path.size());
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void WaitUntilAsked(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return asked_.size() >= count; });
    }
    std::vector<std::string> Asked() {
        std::lock_guard lock(mutex_);
        return asked_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    std::vector<std::string> asked_;
};

class ImageThreadThreads : public testing::Test {
  protected:
    TIconLookup Lookup() {
        return [this](const std::string& path) { return lookup(path); };
    }
    // Pumps the interface thread until the condition holds (or a generous
    // time passes, which fails the test instead of hanging it).
    void PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (!done() && std::chrono::steady_clock::now() < deadline)
            dispatcher.WaitAndProcess(5);
        ASSERT_TRUE(done());
    }

    ManualDispatcher dispatcher;
    GatedLookup lookup;
};

TEST_F(ImageThreadThreads, TheNewestPathIsServedFirst) {
    TItemsView view(dispatcher, Lookup());
    view.QueueIcon("gate");
    lookup.WaitUntilAsked(1);
    view.QueueIcon("first");
    view.QueueIcon("second");
    view.QueueIcon("third");
    lookup.Open();
    // Each result is handed to this thread, which must keep pumping.
    PumpUntil([&] { return lookup.Asked().size() >= 4; });
    EXPECT_EQ(lookup.Asked(), (std::vector<std::string>{"gate", "third", "second", "first"}));
}

TEST_F(ImageThreadThreads, ResultsReachTheEntriesOnTheInterfaceThread) {
    lookup.Open();
    TProgramMenuItems items{[] { return 0; }};
    const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
    items.AddFile(root, "good.txt", kZeroDate);
    items.AddFile(root, "bad.txt", kZeroDate);
    items.AddFile(root, "none.txt", kZeroDate);
    items.AddFile(root, "later.txt", kZeroDate);
    FakeResultList list;
    TItemsView view(dispatcher, Lookup());
    view.SetItems(&items);
    view.SetListView(&list);
    view.ApplyFilter("", false, 1, rpDay, false, true, true);
    for (int row = 0; row < list.rowCount; ++row) {
        TRowData data;
        view.FillRow(row, data);
        EXPECT_EQ(data.ImageIndex, 0);  // the placeholder until loaded
    }
    // "bad" raises and "none" has no icon: neither stops the later paths.
    PumpUntil([&] { return items.Items(1).ImageIndex() != 0 && items.Items(4).ImageIndex() != 0; });
    EXPECT_EQ(items.Items(1).ImageIndex(), static_cast<int>(std::string("C:\\R\\good.txt").size()));
    EXPECT_EQ(items.Items(2).ImageIndex(), 0);
    EXPECT_EQ(items.Items(3).ImageIndex(), 0);
    EXPECT_EQ(items.Items(4).ImageIndex(),
              static_cast<int>(std::string("C:\\R\\later.txt").size()));
    EXPECT_FALSE(list.redrawn.empty());
    view.SetItems(nullptr);
}

TEST_F(ImageThreadThreads, DestructionEndsPromptlyWithPathsLeftInTheQueue) {
    std::atomic<int> calls{0};
    auto view = std::make_unique<TItemsView>(dispatcher, [&](const std::string&) {
        ++calls;
        std::this_thread::sleep_for(2ms);
        return 1;
    });
    for (int i = 0; i < 2000; ++i)
        view->QueueIcon("path" + std::to_string(i));
    // Let it start, then close: it finishes the current lookup and leaves.
    while (calls.load() == 0)
        std::this_thread::yield();
    view.reset();
    EXPECT_LT(calls.load(), 2000);
}

TEST_F(ImageThreadThreads, DestructionWhileTheLoaderWaitsForAHandOverDoesNotDeadlock) {
    TProgramMenuItems items{[] { return 0; }};
    const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
    items.AddFile(root, "x.txt", kZeroDate);
    lookup.Open();
    auto view = std::make_unique<TItemsView>(dispatcher, Lookup());
    view->SetItems(&items);
    view->QueueIcon("C:\\R\\x.txt");
    lookup.WaitUntilAsked(1);
    // The loader now blocks in its hand-over; nobody pumps until the
    // destructor, which must serve it.
    std::this_thread::sleep_for(20ms);
    view.reset();
    // Reaching this line is the test: the hand-over was served, not dropped.
    EXPECT_EQ(dispatcher.PendingCount(), 0u);
    EXPECT_EQ(items.Items(1).ImageIndex(), static_cast<int>(std::string("C:\\R\\x.txt").size()));
}

TEST_F(ImageThreadThreads, ManyPathsQueuedWhileTheViewIsDestroyed) {
    lookup.Open();
    for (int round = 0; round < 20; ++round) {
        TProgramMenuItems items{[] { return 0; }};
        const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
        for (int i = 0; i < 50; ++i)
            items.AddFile(root, "f" + std::to_string(i) + ".txt", kZeroDate);
        auto view = std::make_unique<TItemsView>(dispatcher, Lookup());
        view->SetItems(&items);
        for (int i = 1; i <= 50; ++i)
            view->QueueIcon(items.Items(i).FullPath());
        dispatcher.ProcessPending();
        view.reset();
        EXPECT_EQ(dispatcher.PendingCount(), 0u);
    }
}

}  // namespace
}  // namespace nimbra
