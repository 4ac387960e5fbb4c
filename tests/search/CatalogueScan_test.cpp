#include "search/CatalogueScan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/ErrorDisplay.h"
#include "base/Exception.h"
#include "base/UiDispatcher.h"
#include "support/CatalogueOutline.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::Outline;
using testing_support::PathText;
using testing_support::TempDir;

// A scan whose work is held at a gate: each scan adds its roots as root
// entries, then waits until the gate opens (or the scan is stopped).
class GatedWork {
  public:
    void operator()(TProgramMenuItems& into, const std::vector<TScanRoot>& roots,
                    const std::atomic<bool>& stop) {
        for (const TScanRoot& root : roots)
            into.AddRoot(root.Folder, root.Title, kZeroDate);
        std::unique_lock lock(mutex_);
        ++started_;
        changed_.notify_all();
        // The stop comes without a notification, as a real scan sees it
        // between two folders.
        while (!open_ && !stop.load())
            changed_.wait_for(lock, std::chrono::milliseconds(5));
        sawStop_ = stop.load();
        if (failWith_ != nullptr)
            throw Exception(failWith_);
    }
    void Open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void WaitUntilStarted(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_ >= count; });
    }
    void FailWith(const char* message) { failWith_ = message; }
    bool SawStop() {
        std::lock_guard lock(mutex_);
        return sawStop_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int started_ = 0;
    bool open_ = false;
    bool sawStop_ = false;
    const char* failWith_ = nullptr;
};

class CatalogueScanThreads : public testing::Test {
  protected:
    TCatalogueScan::TScanWork Work() {
        return [this](TProgramMenuItems& into, const std::vector<TScanRoot>& roots,
                      const std::atomic<bool>& stop) { work(into, roots, stop); };
    }
    // Adopts every scan into `shown`, noting its roots and error.
    TCatalogueScan::TFinished Adopt() {
        return [this](TProgramMenuItems& scanned, std::exception_ptr error) {
            EXPECT_TRUE(dispatcher.IsUiThread());
            shown.Adopt(scanned);
            std::vector<std::string> titles;
            for (int i = 0; i < shown.Count(); ++i)
                titles.push_back(shown.Items(i).Title());
            adopted.push_back(titles);
            errors.push_back(error ? ErrorText(error) : "");
        };
    }
    void PumpUntilAdopted(std::size_t count) {
        for (int i = 0; i < 1000 && adopted.size() < count; ++i)
            dispatcher.WaitAndProcess(10);
    }

    ManualDispatcher dispatcher;
    GatedWork work;
    TProgramMenuItems shown{[] { return 3; }};
    std::vector<std::vector<std::string>> adopted;
    std::vector<std::string> errors;
};

TEST_F(CatalogueScanThreads, ReadsTheDiskAwayAndHandsTheWholeCatalogueOverInOneStep) {
    TempDir dir;
    dir.MakeFile("b.txt");
    dir.MakeFile("sub/a.lnk");
    const TProgramMenuItem old = shown.AddRoot("C:\\Old", "Old", kZeroDate);
    shown.AddFile(old, "old.txt", kZeroDate);
    TCatalogueScan scan(dispatcher, Adopt());
    scan.Start({{PathText(dir.Path()), "Root"}});
    EXPECT_TRUE(scan.Busy());
    // Until the interface thread takes the result, the old catalogue stays.
    EXPECT_EQ(Outline(shown, 1), std::vector<std::string>{"  old.txt"});
    PumpUntilAdopted(1);
    EXPECT_FALSE(scan.Busy());
    EXPECT_EQ(Outline(shown, 1), (std::vector<std::string>{"  b.txt", "  sub/", "    a"}));
    EXPECT_EQ(shown.DefaultImageIndex(), 3);
    EXPECT_EQ(errors, std::vector<std::string>{""});
}

TEST_F(CatalogueScanThreads, RequestsWhileAScanRunsCollapseIntoOneScanOfTheNewestRoots) {
    TCatalogueScan scan(dispatcher, Adopt(), Work());
    scan.Start({{"C:\\A", "A"}});
    work.WaitUntilStarted(1);
    scan.Start({{"C:\\B", "B"}});
    scan.Start({{"C:\\C", "C"}, {"C:\\D", "D"}});
    work.Open();
    PumpUntilAdopted(2);
    dispatcher.WaitAndProcess(50);
    EXPECT_EQ(adopted, (std::vector<std::vector<std::string>>{{"A"}, {"C", "D"}}));
    EXPECT_FALSE(scan.Busy());
}

TEST_F(CatalogueScanThreads, AFailedScanHandsOverWhatItReadWithTheError) {
    work.FailWith("The disk went away");
    work.Open();
    TCatalogueScan scan(dispatcher, Adopt(), Work());
    scan.Start({{"C:\\A", "A"}});
    PumpUntilAdopted(1);
    EXPECT_EQ(adopted, (std::vector<std::vector<std::string>>{{"A"}}));
    EXPECT_EQ(errors, std::vector<std::string>{"The disk went away"});
}

TEST_F(CatalogueScanThreads, AHandOverThatRaisesStillStartsTheWaitingScan) {
    int handed = 0;
    TCatalogueScan scan(
        dispatcher,
        [&](TProgramMenuItems& scanned, std::exception_ptr) {
            shown.Adopt(scanned);
            if (++handed == 1)
                throw Exception("shown as an error");
        },
        Work());
    scan.Start({{"C:\\A", "A"}});
    work.WaitUntilStarted(1);
    scan.Start({{"C:\\B", "B"}});
    work.Open();
    for (int i = 0; i < 1000 && handed < 2; ++i)
        dispatcher.WaitAndProcess(10);
    EXPECT_EQ(handed, 2);
    EXPECT_EQ(Outline(shown), std::vector<std::string>{"B/"});
}

TEST_F(CatalogueScanThreads, DestructionStopsARunningScanAndDropsItsResult) {
    {
        TCatalogueScan scan(dispatcher, Adopt(), Work());
        scan.Start({{"C:\\A", "A"}});
        work.WaitUntilStarted(1);
        scan.Start({{"C:\\B", "B"}});
    }
    EXPECT_TRUE(work.SawStop());
    dispatcher.WaitAndProcess(50);
    EXPECT_TRUE(adopted.empty());
    EXPECT_EQ(shown.Count(), 0);
}

TEST_F(CatalogueScanThreads, AResultPostedJustBeforeDestructionIsDropped) {
    work.Open();
    {
        TCatalogueScan scan(dispatcher, Adopt(), Work());
        scan.Start({{"C:\\A", "A"}});
        work.WaitUntilStarted(1);
        // The scan ends and posts; nobody runs the post before the object
        // goes.
        for (int i = 0; i < 500 && dispatcher.PendingCount() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_EQ(dispatcher.PendingCount(), 1u);
    }
    EXPECT_EQ(dispatcher.ProcessPending(), 1);
    EXPECT_TRUE(adopted.empty());
}

// A dispatcher whose queue is full for its first `refusals` posts.
class RefusingDispatcher : public ManualDispatcher {
  public:
    explicit RefusingDispatcher(int refusals) : refusals_(refusals) {}
    void Post(std::function<void()> task) override {
        if (refusals_.fetch_sub(1) > 0)
            throw Exception("The message queue is full");
        ManualDispatcher::Post(std::move(task));
    }

  private:
    std::atomic<int> refusals_;
};

TEST(CatalogueScanRefusedThreads, AResultTheQueueRefusesIsHandedOverOnceItHasRoom) {
    RefusingDispatcher dispatcher(3);
    int handed = 0;
    TCatalogueScan scan(dispatcher, [&](TProgramMenuItems&, std::exception_ptr) { ++handed; });
    scan.Start({});
    for (int i = 0; i < 500 && handed == 0; ++i)
        dispatcher.WaitAndProcess(10);
    EXPECT_EQ(handed, 1);
    EXPECT_FALSE(scan.Busy());
}

TEST(CatalogueScanRefusedThreads, ClosingEndsAScanWhoseResultIsRefusedForGood) {
    RefusingDispatcher dispatcher(1 << 30);
    auto scan =
        std::make_unique<TCatalogueScan>(dispatcher, [](TProgramMenuItems&, std::exception_ptr) {});
    scan->Start({});
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_TRUE(scan->Busy());
    const auto closing = std::chrono::steady_clock::now();
    scan.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - closing, std::chrono::seconds(5));
}

// A stop set while the scan walks a real tree ends it after the folder it
// reads; later roots are not begun.
TEST(CatalogueStopTest, AStoppedScanFinishesTheFolderItReadsAndNothingMore) {
    TempDir dir;
    for (const char* name : {"top.txt", "a/x.txt", "b/y.txt"})
        dir.MakeFile(name);
    const std::atomic<bool> stop{true};
    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R", &stop);
    EXPECT_EQ(Outline(items, 1), std::vector<std::string>{"  top.txt"});
    items.ScanRoots({{PathText(dir.Path()), "S"}}, &stop);
    EXPECT_EQ(items.Count(), 2);
}

}  // namespace
}  // namespace nimbra
