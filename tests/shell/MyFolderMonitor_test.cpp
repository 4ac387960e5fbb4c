// The folder monitor against the platform's real change notification
// (inotify natively, FindFirstChangeNotificationW under Wine).
#include "shell/MyFolderMonitor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/ErrorDisplay.h"
#include "base/TypInfo.h"
#include "support/TestFolders.h"
#include "support/UiPump.h"
#include "support/WineGaps.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::RunningUnderWine;
using testing_support::TempDir;

namespace fs = std::filesystem;

// Long enough for a notification to travel from the file system to the
// interface thread on a loaded machine; waits for an event end as soon as it
// arrives.
constexpr int kEventTimeoutMs = 5000;
// How long "no event" is watched for.
constexpr int kQuietMs = 400;

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class FolderMonitorThreads : public testing::Test {
  protected:
    void SetUp() override {
        SetErrorHandler([this](std::exception_ptr error) { errors.push_back(ErrorText(error)); });
    }
    void TearDown() override { SetErrorHandler(nullptr); }

    std::unique_ptr<TMyFolderMonitor> Watch(const fs::path& folder, bool recursive,
                                            TMyFolderNotifies notifies) {
        auto monitor = std::make_unique<TMyFolderMonitor>(nullptr, pump.Dispatcher());
        monitor->OnFolderChange = [this](TMyFolderMonitor&) { ++events; };
        monitor->SetNotifies(notifies);
        monitor->SetRecursive(recursive);
        monitor->SetFolder(PathText(folder));
        monitor->SetEnabled(true);
        EXPECT_TRUE(monitor->Running());
        // Let the watcher thread open its notification before the test acts.
        pump.RunFor(150);
        events = 0;
        return monitor;
    }

    bool WaitForEvent() {
        return pump.RunUntil([this] { return events > 0; }, kEventTimeoutMs);
    }
    int QuietCount() {
        pump.RunFor(kQuietMs);
        return events;
    }

    TUiPump pump;
    TempDir temp;
    int events = 0;
    std::vector<std::string> errors;
};

const TMyFolderNotifies kNames{fnFileNameChange, fnDirNameChange};

TEST_F(FolderMonitorThreads, EnabledWithAnEmptyFolderStartsNothing) {
    TMyFolderMonitor monitor(nullptr, pump.Dispatcher());
    monitor.SetEnabled(true);
    EXPECT_FALSE(monitor.Running());
    monitor.SetFolder(PathText(temp.Path()));
    EXPECT_TRUE(monitor.Running());
    monitor.SetFolder("");
    EXPECT_FALSE(monitor.Running());
}

TEST_F(FolderMonitorThreads, ANewFileRaisesTheEventOnTheInterfaceThread) {
    std::thread::id deliveredOn;
    TMyFolderMonitor* sender = nullptr;
    auto monitor = Watch(temp.Path(), false, kNames);
    monitor->OnFolderChange = [&](TMyFolderMonitor& s) {
        deliveredOn = std::this_thread::get_id();
        sender = &s;
        ++events;
    };
    WriteFile(temp.Path() / "new.txt", "x");
    ASSERT_TRUE(WaitForEvent());
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
    EXPECT_EQ(sender, monitor.get());
}

TEST_F(FolderMonitorThreads, AFolderJoinedWithBackslashesIsWatched) {
    // The program joins paths with backslashes everywhere (JoinPath).
    fs::create_directory(temp.Path() / "sub");
    TMyFolderMonitor monitor(nullptr, pump.Dispatcher());
    monitor.OnFolderChange = [this](TMyFolderMonitor&) { ++events; };
    monitor.SetFolder(JoinPath(PathText(temp.Path()), "sub"));
    monitor.SetEnabled(true);
    pump.RunFor(150);
    WriteFile(temp.Path() / "sub" / "x.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, TwoQuickChangesGiveOneOrTwoEventsNeverZero) {
    const fs::path file = temp.Path() / "data.txt";
    WriteFile(file, "start");
    auto monitor = Watch(temp.Path(), false, {fnSizeChange});
    {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        out << "one" << std::flush;
        out << "two" << std::flush;
    }
    ASSERT_TRUE(WaitForEvent());
    const int count = QuietCount();
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 2);
}

TEST_F(FolderMonitorThreads, NonRecursiveIgnoresTheContentsOfSubfolders) {
    fs::create_directory(temp.Path() / "sub");
    auto monitor = Watch(temp.Path(), false, kNames);
    WriteFile(temp.Path() / "sub" / "inner.txt", "x");
    EXPECT_EQ(QuietCount(), 0);
    WriteFile(temp.Path() / "top.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, RecursiveSeesChangesInSubfoldersThatExisted) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine gap: a subtree watch ignores the subfolders that existed when it "
                        "started (real Windows watches them)";
    fs::create_directories(temp.Path() / "a" / "b");
    auto monitor = Watch(temp.Path(), true, kNames);
    WriteFile(temp.Path() / "a" / "b" / "deep.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, RecursiveSeesChangesInASubfolderCreatedLater) {
    auto monitor = Watch(temp.Path(), true, kNames);
    fs::create_directory(temp.Path() / "later");
    ASSERT_TRUE(WaitForEvent());
    QuietCount();
    events = 0;
    WriteFile(temp.Path() / "later" / "inside.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, RecursiveSeesFoldersCreatedInsideANewFolderAtOnce) {
    if (RunningUnderWine())
        GTEST_SKIP() << "Wine gap: a subtree watch misses folders made inside a new folder "
                        "before Wine has begun to watch it (Windows watches the whole tree)";
    auto monitor = Watch(temp.Path(), true, kNames);
    fs::create_directories(temp.Path() / "later" / "deeper" / "deepest");
    ASSERT_TRUE(WaitForEvent());
    QuietCount();
    events = 0;
    WriteFile(temp.Path() / "later" / "deeper" / "deepest" / "inside.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

enum TExpect { kSilent, kReported, kEither };

void ExpectEvents(int count, TExpect expect, const char* what) {
    if (expect != kEither) {
        EXPECT_EQ(count > 0, expect == kReported) << what;
    }
}

struct FilterCase {
    const char* name;
    TMyFolderNotifies notifies;
    TExpect fileCreate;  // creating an empty file
    TExpect dirCreate;   // creating a folder
    TExpect contents;    // appending to an existing file
};

class FolderMonitorFilterThreads : public FolderMonitorThreads,
                                   public testing::WithParamInterface<FilterCase> {};

TEST_P(FolderMonitorFilterThreads, OnlyTheChosenKindsOfChangeCount) {
    const FilterCase& c = GetParam();
    const fs::path file = temp.Path() / "existing.txt";
    WriteFile(file, "start");
    auto monitor = Watch(temp.Path(), false, c.notifies);

    std::ofstream(file, std::ios::binary | std::ios::app) << "more";
    ExpectEvents(QuietCount(), c.contents, "append");
    events = 0;
    fs::create_directory(temp.Path() / "folder");
    ExpectEvents(QuietCount(), c.dirCreate, "folder");
    events = 0;
    std::ofstream(temp.Path() / "empty.txt").close();
    ExpectEvents(QuietCount(), c.fileCreate, "file");
}

// Whether a new empty file counts as a change of size is the platform's
// business (Wine reports it, inotify does not).
INSTANTIATE_TEST_SUITE_P(
    Table, FolderMonitorFilterThreads,
    testing::Values(FilterCase{"FileNames", {fnFileNameChange}, kReported, kSilent, kSilent},
                    FilterCase{"DirNames", {fnDirNameChange}, kSilent, kReported, kSilent},
                    FilterCase{"Size", {fnSizeChange}, kEither, kSilent, kReported},
                    FilterCase{"Default", TMyFolderMonitor::kDefaultNotifies, kReported, kReported,
                               kReported}),
    [](const auto& info) { return info.param.name; });

TEST_F(FolderMonitorThreads, ChangingTheFolderStopsTheOldWatcherFirst) {
    TempDir other;
    auto monitor = Watch(temp.Path(), false, kNames);
    monitor->SetFolder(PathText(other.Path()));
    EXPECT_TRUE(monitor->Running());
    // Only notifications posted before the change may still arrive.
    pump.RunFor(100);
    events = 0;
    WriteFile(temp.Path() / "old.txt", "x");
    EXPECT_EQ(QuietCount(), 0);
    WriteFile(other.Path() / "new.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, DisablingStopsEventsAndEnablingResumesThem) {
    auto monitor = Watch(temp.Path(), false, kNames);
    monitor->SetEnabled(false);
    EXPECT_FALSE(monitor->Running());
    pump.RunFor(100);
    events = 0;
    WriteFile(temp.Path() / "a.txt", "x");
    EXPECT_EQ(QuietCount(), 0);
    monitor->SetEnabled(true);
    pump.RunFor(150);
    events = 0;
    WriteFile(temp.Path() / "b.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, AHandlerErrorIsReportedAndLaterChangesStillArrive) {
    auto monitor = Watch(temp.Path(), false, kNames);
    monitor->OnFolderChange = [this](TMyFolderMonitor&) {
        ++events;
        throw std::runtime_error("rescan failed");
    };
    WriteFile(temp.Path() / "first.txt", "x");
    ASSERT_TRUE(WaitForEvent());
    pump.RunFor(100);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), "rescan failed");
    events = 0;
    WriteFile(temp.Path() / "second.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, AMissingFolderStaysSilent) {
    auto monitor = Watch(temp.Path() / "missing", true, kNames);
    fs::create_directory(temp.Path() / "missing");
    WriteFile(temp.Path() / "missing" / "x.txt", "x");
    EXPECT_EQ(QuietCount(), 0);
    EXPECT_TRUE(monitor->Running());
    // A restart joins the ended watcher and watches the folder that now exists.
    monitor->SetRecursive(false);
    pump.RunFor(150);
    events = 0;
    WriteFile(temp.Path() / "missing" / "y.txt", "x");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, DestroyingWhileWatchingAndWithEventsPendingIsSafe) {
    auto monitor = Watch(temp.Path(), true, kNames);
    for (int i = 0; i < 20; ++i)
        WriteFile(temp.Path() / std::to_string(i), "x");
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    monitor.reset();
    // Whatever was posted before the monitor went must not reach it.
    pump.RunFor(100);
    EXPECT_EQ(events, 0);
}

TEST_F(FolderMonitorThreads, DeletingTheWatchedFolderEndsTheWatcherQuietly) {
    TempDir doomed;
    auto monitor = Watch(doomed.Path(), true, kNames);
    std::error_code ignored;
    fs::remove_all(doomed.Path(), ignored);
    pump.RunFor(200);
    monitor.reset();  // joins without hanging
    SUCCEED();
}

// ---- properties and restart rules, without watching anything ----------------

TEST(FolderMonitorTest, PublishedPropertiesWithTheirDefaults) {
    const TClassInfo& info = TMyFolderMonitor::StaticClassInfo();
    const TPropInfo* notifies = info.FindProperty("Notifies");
    ASSERT_NE(notifies, nullptr);
    EXPECT_EQ(notifies->Default,
              static_cast<std::int64_t>(TMyFolderMonitor::kDefaultNotifies.Bits()));
    EXPECT_EQ(SetToString(*notifies->PropType, TMyFolderMonitor::kDefaultNotifies.Bits()),
              "[fnFileNameChange,fnDirNameChange,fnAttributeChange,fnSizeChange]");
    EXPECT_EQ(info.FindProperty("Recursive")->Default, 0);
    EXPECT_EQ(info.FindProperty("Enabled")->Default, 0);

    TMyFolderMonitor monitor(nullptr);
    const TPropInfo* folder = info.FindProperty("Folder");
    EXPECT_FALSE(folder->IsStored(monitor));
    std::vector<std::string> order;
    for (const TPropInfo* p : info.Properties())
        order.push_back(p->Name);
    EXPECT_EQ(order, (std::vector<std::string>{"Name", "Tag", "Notifies", "Recursive", "Folder",
                                               "Enabled"}));
}

struct FilterBitsCase {
    TMyFolderNotifies notifies;
    std::uint32_t filter;
};

class FolderNotifyFilterTest : public testing::TestWithParam<FilterBitsCase> {};

TEST_P(FolderNotifyFilterTest, IsTheOrOfThePlatformBits) {
    EXPECT_EQ(FolderNotifyFilter(GetParam().notifies), GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderNotifyFilterTest,
    testing::Values(FilterBitsCase{{}, 0}, FilterBitsCase{{fnFileNameChange}, 0x001},
                    FilterBitsCase{{fnDirNameChange}, 0x002},
                    FilterBitsCase{{fnAttributeChange}, 0x004},
                    FilterBitsCase{{fnSizeChange}, 0x008},
                    FilterBitsCase{{fnLastWriteChange}, 0x010},
                    FilterBitsCase{{fnSecurityChange}, 0x100},
                    FilterBitsCase{TMyFolderMonitor::kDefaultNotifies, 0x00F},
                    FilterBitsCase{{fnFileNameChange, fnDirNameChange, fnLastWriteChange}, 0x013},
                    FilterBitsCase{{fnFileNameChange, fnDirNameChange, fnAttributeChange,
                                    fnSizeChange, fnLastWriteChange, fnSecurityChange},
                                   0x11F}));

TEST(FolderMonitorStateThreads, NothingStartsWhileLoadingUntilLoaded) {
    TUiPump pump;
    TempDir temp;
    TMyFolderMonitor monitor(nullptr, pump.Dispatcher());
    monitor.BeginLoading();
    monitor.SetFolder(PathText(temp.Path()));
    monitor.SetEnabled(true);
    EXPECT_FALSE(monitor.Running());
    monitor.Loaded();
    EXPECT_TRUE(monitor.Running());
}

TEST(FolderMonitorStateThreads, NothingStartsWhileDesigning) {
    TUiPump pump;
    TempDir temp;
    TMyFolderMonitor monitor(nullptr, pump.Dispatcher());
    monitor.SetDesigning(true);
    monitor.SetFolder(PathText(temp.Path()));
    monitor.SetEnabled(true);
    EXPECT_FALSE(monitor.Running());
}

TEST(FolderMonitorStateThreads, AnOwnerFreesItsMonitors) {
    TUiPump pump;
    TempDir temp;
    TComponent owner(nullptr);
    auto* monitor = new TMyFolderMonitor(&owner, pump.Dispatcher());
    monitor->SetFolder(PathText(temp.Path()));
    monitor->SetEnabled(true);
    EXPECT_EQ(owner.ComponentCount(), 1);
}

}  // namespace
}  // namespace nimbra
