// The search window's threads as the window owns them - a rescan, the icon
// loader, a folder watcher - torn down in the window's order while all of
// them are busy: closing never waits for ever, and nothing a thread left
// behind runs against what is gone.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "search/CatalogueScan.h"
#include "search/ItemsView.h"
#include "shell/MyFolderMonitor.h"
#include "support/FakeResultList.h"
#include "support/TestFolders.h"
#include "support/UiPump.h"

namespace nimbra {
namespace {

using testing_support::FakeResultList;
using testing_support::PathText;
using testing_support::TempDir;

struct ShutdownCase {
    const char* name;
    int busyMs;  // how long the threads work before the window closes
};

class WindowShutdownThreads : public testing::TestWithParam<ShutdownCase> {
  protected:
    void SetUp() override {
        for (int folder = 0; folder < 40; ++folder) {
            for (int file = 0; file < 50; ++file)
                dir.MakeFile("folder " + std::to_string(folder) + "/file " + std::to_string(file) +
                             ".txt");
        }
        roots = {{PathText(dir.Path()), "Tree"}};
    }

    TempDir dir;
    std::vector<TScanRoot> roots;
    TUiPump pump;
};

TEST_P(WindowShutdownThreads, ClosingWhileScanningLoadingIconsAndWatchingEnds) {
    FakeResultList list;
    auto items = std::make_unique<TProgramMenuItems>([] { return 0; });
    // A slow icon lookup keeps the loader busy until the end.
    auto view = std::make_unique<TItemsView>(*pump.Dispatcher(), [](const std::string& path) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return static_cast<int>(path.size());
    });
    view->SetItems(items.get());
    view->SetListView(&list);
    items->ScanRoots(roots);
    int adopted = 0;
    auto scan = std::make_unique<TCatalogueScan>(
        *pump.Dispatcher(), [&](TProgramMenuItems& scanned, std::exception_ptr) {
            items->Adopt(scanned);
            view->ApplyFilter("", false, 1, rpDay, false, false, false);
            ++adopted;
        });
    auto monitor = std::make_unique<TMyFolderMonitor>(nullptr, pump.Dispatcher());
    int changes = 0;
    monitor->OnFolderChange = [&](TMyFolderMonitor&) {
        ++changes;
        scan->Start(roots);
    };
    monitor->SetNotifies({fnFileNameChange, fnDirNameChange});
    monitor->SetRecursive(true);
    monitor->SetFolder(PathText(dir.Path()));
    monitor->SetEnabled(true);

    view->ApplyFilter("", false, 1, rpDay, false, false, false);
    for (int row = 0; row < list.rowCount; ++row) {
        TRowData data;
        view->FillRow(row, data);  // queues every icon
    }
    scan->Start(roots);
    for (int i = 0; i < 20; ++i)
        std::ofstream(dir.Path() / ("new " + std::to_string(i) + ".txt")).put('x');
    pump.RunFor(GetParam().busyMs);

    // The window's order: the scan, the watchers, the view (and its
    // loader), the catalogue; then whatever is still queued is served.
    const auto start = std::chrono::steady_clock::now();
    const int adoptedAtClose = adopted;
    const int changesAtClose = changes;
    scan.reset();
    monitor.reset();
    view.reset();
    items.reset();
    pump.RunFor(50);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(adopted, adoptedAtClose);
    EXPECT_EQ(changes, changesAtClose);
}

INSTANTIATE_TEST_SUITE_P(Table, WindowShutdownThreads,
                         testing::Values(ShutdownCase{"AtOnce", 0}, ShutdownCase{"After5ms", 5},
                                         ShutdownCase{"After30ms", 30},
                                         ShutdownCase{"After150ms", 150}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nimbra
