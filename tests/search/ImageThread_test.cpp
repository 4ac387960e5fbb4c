#include "search/ImageThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "base/UiDispatcher.h"
#include "support/FakeResultList.h"

namespace nimbra {
namespace {

using testing_support::FakeResultList;
using namespace std::chrono_literals;

// The icon index of a path is its length; "bad" paths raise, "none" paths
// have no icon, and a path ending in "gate" is held until the gate opens.
class GatedLookup {
  public:
    int operator()(const std::string& path) {
        std::unique_lock lock(mutex_);
        asked_.push_back(path);
        changed_.notify_all();
        if (path.ends_with("gate"))
            changed_.wait(lock, [this] { return open_; });
        if (path.find("bad") != std::string::npos)
            throw std::runtime_error("no icon");
        return path.find("none") != std::string::npos ? -1 : static_cast<int>(path.size());
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

// Opens the gate as soon as destruction starts to wait for the loader.
class GateOnDestruction : public ManualDispatcher {
  public:
    explicit GateOnDestruction(GatedLookup& lookup) : lookup_(lookup) {}
    void ServeUntil(const std::function<bool()>& done) override {
        lookup_.Open();
        ManualDispatcher::ServeUntil(done);
    }

  private:
    GatedLookup& lookup_;
};

// Entries 0 R, 1 bad.txt, 2 gate, 3 good.txt, 4 later.txt, 5 none.txt, and a
// second root with the same path: 6 R, 7 good.txt.
class ImageThreadThreads : public testing::Test {
  protected:
    void SetUp() override {
        const TProgramMenuItem root = items.AddRoot("C:\\R", "R", kZeroDate);
        for (const char* name : {"bad.txt", "gate", "good.txt", "later.txt", "none.txt"})
            items.AddFile(root, name, kZeroDate);
        items.AddFile(items.AddRoot("C:\\R", "Again", kZeroDate), "good.txt", kZeroDate);
    }
    TIconLookup Lookup() {
        return [this](const std::string& path) { return lookup(path); };
    }

    GatedLookup lookup;
    GateOnDestruction dispatcher{lookup};
    TProgramMenuItems items{[] { return 0; }};
};

TEST_F(ImageThreadThreads, ResultsReachEveryEntryWithThePathNewestFirst) {
    FakeResultList list;
    TItemsView view(dispatcher, Lookup());
    view.SetItems(&items);
    view.SetListView(&list);
    view.QueueIcon("gate");  // holds the loader until every row is queued
    lookup.WaitUntilAsked(1);
    view.ApplyFilter(".txt", false, 1, rpDay, false, true, true);  // rows: all but "gate"
    for (int row = 0; row < list.rowCount; ++row) {
        TRowData data;
        view.FillRow(row, data);
        EXPECT_EQ(data.ImageIndex, 0);  // the placeholder until loaded
    }
    lookup.Open();
    // Each result is handed to this thread, which must keep pumping.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (list.redrawn.size() < 9 && std::chrono::steady_clock::now() < deadline)
        dispatcher.WaitAndProcess(5);
    // "none" has no icon and "bad" raises: neither stops the paths after them.
    EXPECT_EQ(lookup.Asked(),
              (std::vector<std::string>{"gate", "C:\\R\\good.txt", "C:\\R", "C:\\R\\none.txt",
                                        "C:\\R\\later.txt", "C:\\R\\good.txt", "C:\\R\\bad.txt",
                                        "C:\\R"}));
    std::vector<int> loaded;
    for (int i = 0; i < items.Count(); ++i)
        loaded.push_back(items.Items(i).ImageIndex());
    EXPECT_EQ(loaded, (std::vector<int>{4, 0, -1, 13, 14, 0, 4, 13}));
    EXPECT_EQ(list.redrawn, (std::vector<int>{2, 6, 0, 5, 3, 2, 6, 0, 5}));
    view.SetItems(nullptr);
}

// Closing the program while the queue still holds paths: the loader finishes
// what it is doing, serves nothing more, and nothing is left waiting.
struct DestructionCase {
    const char* name;
    bool duringHandOver;  // otherwise during a lookup
};

class ImageThreadDestructionThreads : public ImageThreadThreads,
                                      public testing::WithParamInterface<DestructionCase> {};

TEST_P(ImageThreadDestructionThreads, EndsAfterTheCurrentPath) {
    auto view = std::make_unique<TItemsView>(dispatcher, Lookup());
    view->SetItems(&items);
    view->QueueIcon("C:\\R\\gate");
    lookup.WaitUntilAsked(1);
    for (int i = 0; i < 100; ++i)
        view->QueueIcon("later" + std::to_string(i));
    if (GetParam().duringHandOver) {
        // The result waits for the interface thread, which nobody pumps until
        // the destructor must.
        lookup.Open();
        while (dispatcher.PendingCount() == 0)
            std::this_thread::yield();
    }
    view.reset();
    EXPECT_EQ(lookup.Asked().size(), 1u);
    EXPECT_EQ(dispatcher.PendingCount(), 0u);
    // A result handed over is applied, not dropped.
    EXPECT_EQ(items.Items(2).ImageIndex(), GetParam().duringHandOver ? 9 : -1);
}

INSTANTIATE_TEST_SUITE_P(Table, ImageThreadDestructionThreads,
                         testing::Values(DestructionCase{"DuringALookup", false},
                                         DestructionCase{"DuringAHandOver", true}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace nimbra
