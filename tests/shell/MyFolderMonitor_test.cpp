// The folder monitor against the platform's real change notification
// (inotify natively, FindFirstChangeNotificationW under Wine).
#include "shell/MyFolderMonitor.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/ErrorCollector.h"
#include "support/TestFolders.h"
#include "support/UiPump.h"
#include "support/WineGaps.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;
using testing_support::NoteWineGap;
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

const TMyFolderNotifies kNames{fnFileNameChange, fnDirNameChange};

void WriteFile(const fs::path& path, const std::string& text = "x") {
    std::ofstream(path, std::ios::binary) << text;
}

class FolderMonitorThreads : public testing::Test {
  protected:
    std::unique_ptr<TMyFolderMonitor> Watch(const std::string& folder, bool recursive,
                                            TMyFolderNotifies notifies = kNames) {
        auto monitor = std::make_unique<TMyFolderMonitor>(nullptr, pump.Dispatcher());
        monitor->OnFolderChange = [this](TMyFolderMonitor&) { ++events; };
        monitor->SetNotifies(notifies);
        monitor->SetRecursive(recursive);
        monitor->SetFolder(folder);
        monitor->SetEnabled(true);
        EXPECT_TRUE(monitor->Running());
        Settle();
        return monitor;
    }
    std::unique_ptr<TMyFolderMonitor> Watch(const fs::path& folder, bool recursive,
                                            TMyFolderNotifies notifies = kNames) {
        return Watch(PathText(folder), recursive, notifies);
    }
    // Lets a watcher thread open its notification (and notifications already
    // posted arrive) before the test acts; then counts from zero.
    void Settle(int ms = 150) {
        pump.RunFor(ms);
        events = 0;
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
};

TEST_F(FolderMonitorThreads, OnlyAnEnabledMonitorWithAFolderRunsOnceLoaded) {
    TMyFolderMonitor monitor(nullptr, pump.Dispatcher());
    monitor.SetEnabled(true);
    EXPECT_FALSE(monitor.Running());
    monitor.SetFolder(PathText(temp.Path()));
    EXPECT_TRUE(monitor.Running());
    monitor.SetEnabled(false);
    EXPECT_FALSE(monitor.Running());
    monitor.SetEnabled(true);
    monitor.SetFolder("");
    EXPECT_FALSE(monitor.Running());

    TMyFolderMonitor loaded(nullptr, pump.Dispatcher());
    loaded.BeginLoading();
    loaded.SetFolder(PathText(temp.Path()));
    loaded.SetEnabled(true);
    EXPECT_FALSE(loaded.Running());
    loaded.Loaded();
    EXPECT_TRUE(loaded.Running());

    TMyFolderMonitor designed(nullptr, pump.Dispatcher());
    designed.SetDesigning(true);
    designed.SetFolder(PathText(temp.Path()));
    designed.SetEnabled(true);
    EXPECT_FALSE(designed.Running());
}

TEST_F(FolderMonitorThreads, ANewFileRaisesTheEventOnTheInterfaceThread) {
    fs::create_directories(temp.Path() / "sub" / "inner");
    // The program joins paths with backslashes everywhere (JoinPath).
    auto monitor = Watch(JoinPath(PathText(temp.Path()), "sub"), false);
    std::thread::id deliveredOn;
    TMyFolderMonitor* sender = nullptr;
    monitor->OnFolderChange = [&](TMyFolderMonitor& s) {
        deliveredOn = std::this_thread::get_id();
        sender = &s;
        ++events;
    };
    WriteFile(temp.Path() / "sub" / "inner" / "not-watched.txt");
    EXPECT_EQ(QuietCount(), 0) << "a watch without its subtree";
    WriteFile(temp.Path() / "sub" / "new.txt");
    ASSERT_TRUE(WaitForEvent());
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
    EXPECT_EQ(sender, monitor.get());
}

TEST_F(FolderMonitorThreads, RecursiveSeesChangesInFoldersCreatedLater) {
    auto monitor = Watch(temp.Path(), true);
    fs::create_directories(temp.Path() / "later" / "deeper" / "deepest");
    ASSERT_TRUE(WaitForEvent());
    Settle(kQuietMs);
    WriteFile(temp.Path() / "later" / "inside.txt");
    EXPECT_TRUE(WaitForEvent());
    if (RunningUnderWine())
        return NoteWineGap("a subtree watch misses folders made inside a new folder at once");
    Settle(kQuietMs);
    WriteFile(temp.Path() / "later" / "deeper" / "deepest" / "inside.txt");
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
    WriteFile(temp.Path() / "empty.txt", "");
    ExpectEvents(QuietCount(), c.fileCreate, "file");
}

// Whether a new empty file counts as a change of size is the platform's
// business (Wine reports it, inotify does not).
INSTANTIATE_TEST_SUITE_P(
    Table, FolderMonitorFilterThreads,
    testing::Values(FilterCase{"FileNames", {fnFileNameChange}, kReported, kSilent, kSilent},
                    FilterCase{"DirNames", {fnDirNameChange}, kSilent, kReported, kSilent},
                    FilterCase{"Size", {fnSizeChange}, kEither, kSilent, kReported}),
    [](const auto& info) { return info.param.name; });

TEST_F(FolderMonitorThreads, ChangingTheFolderStopsTheOldWatcherFirst) {
    TempDir other;
    auto monitor = Watch(temp.Path(), false);
    monitor->SetFolder(PathText(other.Path()));
    EXPECT_TRUE(monitor->Running());
    Settle();  // only notifications posted before the change may still arrive
    WriteFile(temp.Path() / "old.txt");
    EXPECT_EQ(QuietCount(), 0);
    WriteFile(other.Path() / "new.txt");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, AHandlerErrorIsReportedAndLaterChangesStillArrive) {
    ErrorCollector errors;
    auto monitor = Watch(temp.Path(), false);
    monitor->OnFolderChange = [this](TMyFolderMonitor&) {
        ++events;
        throw std::runtime_error("rescan failed");
    };
    WriteFile(temp.Path() / "first.txt");
    ASSERT_TRUE(WaitForEvent());
    Settle();
    ASSERT_FALSE(errors.texts.empty());
    EXPECT_EQ(errors.texts.front(), "rescan failed");
    WriteFile(temp.Path() / "second.txt");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, AMissingFolderStaysSilentUntilARestart) {
    auto monitor = Watch(temp.Path() / "missing", true);
    fs::create_directory(temp.Path() / "missing");
    WriteFile(temp.Path() / "missing" / "x.txt");
    EXPECT_EQ(QuietCount(), 0);
    EXPECT_TRUE(monitor->Running());
    // A restart joins the ended watcher and watches the folder that now exists.
    monitor->SetRecursive(false);
    Settle();
    WriteFile(temp.Path() / "missing" / "y.txt");
    EXPECT_TRUE(WaitForEvent());
}

TEST_F(FolderMonitorThreads, DestroyingWhileWatchingAndWithEventsPendingIsSafe) {
    auto monitor = Watch(temp.Path(), true);
    for (int i = 0; i < 20; ++i)
        WriteFile(temp.Path() / std::to_string(i));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    monitor.reset();
    // Whatever was posted before the monitor went must not reach it.
    pump.RunFor(100);
    EXPECT_EQ(events, 0);
}

TEST_F(FolderMonitorThreads, DeletingTheWatchedFolderEndsTheWatcherQuietly) {
    TempDir doomed;
    auto monitor = Watch(doomed.Path(), true);
    std::error_code ignored;
    fs::remove_all(doomed.Path(), ignored);
    pump.RunFor(200);
    // The watcher has ended on its own; the monitor counts as running until
    // the next restart, and going joins the ended thread without hanging.
    EXPECT_TRUE(monitor->Running());
    monitor.reset();
}

TEST(FolderNotifyFilterTest, IsTheOrOfThePlatformBits) {
    EXPECT_EQ(FolderNotifyFilter({}), 0u);
    EXPECT_EQ(FolderNotifyFilter(TMyFolderMonitor::kDefaultNotifies), 0x00Fu);
    EXPECT_EQ(FolderNotifyFilter({fnFileNameChange, fnDirNameChange, fnLastWriteChange}), 0x013u);
    EXPECT_EQ(FolderNotifyFilter({fnSecurityChange}), 0x100u);
}

}  // namespace
}  // namespace nimbra
