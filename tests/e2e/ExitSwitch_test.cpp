// "nimbra.exe -exit", which the installer and the uninstaller run to end a
// copy that runs: it ends the copy, whatever it shows, and never starts one.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "e2e/NimbraDriver.h"

namespace nimbra::e2e {
namespace {

namespace fs = std::filesystem;

class ExitSwitchTest : public testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() / ("nimbra-exit-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(root_);
        ResetSettings(root_);
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    static bool Ended(const TNimbraProcess& nimbra, DWORD ms) {
        return WaitForSingleObject(nimbra.Process(), ms) == WAIT_OBJECT_0;
    }

    fs::path root_;
};

struct TExitCase {
    std::string Name;
    std::wstring StartArguments;
    bool Shown;
    std::wstring ExitArguments;
};

class ExitSwitchCaseTest : public ExitSwitchTest, public testing::WithParamInterface<TExitCase> {};

TEST_P(ExitSwitchCaseTest, EndsTheRunningCopyBeforeItReturns) {
    const TExitCase& c = GetParam();
    TNimbraProcess nimbra(c.StartArguments, c.Shown);
    nimbra.Settle();
    EXPECT_EQ(RunNimbraToEnd(c.ExitArguments), 0u);
    // Ended by the time the switch's own process returned: the installer
    // replaces the files right after it.
    EXPECT_TRUE(Ended(nimbra, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExitSwitchCaseTest,
    testing::Values(TExitCase{"Shown", L"", true, L"-exit"},
                    TExitCase{"HiddenInTheNotificationArea", L"-tray", false, L"/EXIT"},
                    TExitCase{"AmongOtherArguments", L"", true, L"/tray -Exit"}),
    [](const auto& info) { return info.param.Name; });

TEST_F(ExitSwitchTest, EndsACopyThatHasADialogOpen) {
    TNimbraProcess nimbra;
    nimbra.Activate();
    ASSERT_TRUE(nimbra.MenuCommand({"&Help", "&About..."}));
    ASSERT_TRUE(nimbra.WaitFor([&] {
        const HWND front = GetForegroundWindow();
        return front != nimbra.MainWindow() && IsWindowVisible(front);
    }));
    EXPECT_EQ(RunNimbraToEnd(L"-exit"), 0u);
    EXPECT_TRUE(Ended(nimbra, 0));
}

TEST_F(ExitSwitchTest, WithNoCopyRunningItEndsAtOnceWithoutAWindow) {
    // A start that showed a window would not end by itself: STILL_ACTIVE.
    EXPECT_EQ(RunNimbraToEnd(L"-exit", 10000), 0u);
    // And the next start is a first copy again.
    TNimbraProcess nimbra;
    EXPECT_TRUE(nimbra.MainVisible());
}

TEST_F(ExitSwitchTest, AnArgumentThatOnlyLooksLikeTheSwitchBringsTheWindowUp) {
    TNimbraProcess nimbra(L"-tray", false);
    nimbra.Settle();
    EXPECT_EQ(RunNimbraToEnd(L"\"C:\\a -exit\" --exit"), 0u);
    EXPECT_TRUE(nimbra.WaitFor([&] { return nimbra.MainVisible(); }));
    EXPECT_FALSE(Ended(nimbra, 0));
}

}  // namespace
}  // namespace nimbra::e2e
