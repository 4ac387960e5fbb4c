#include "utils/MySingleInstance_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/Unicode.h"
#include "support/ChildProcess_win.h"
#include "support/FileContent.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::BesideTestProgram;
using testing_support::ChildProcess;
using testing_support::FileContent;
using testing_support::PathText;
using testing_support::TempDir;

// An identifier of this test alone: the real program, other tests and other
// test runs never answer to it.
std::string TestIdentifier() {
    static std::atomic<int> counter{0};
    return "{NimbraTest-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter) + "}";
}

struct TReceiverSearch {
    std::wstring property;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<TReceiverSearch*>(lParam);
    if (GetPropW(hwnd, search.property.c_str()) == nullptr)
        return TRUE;
    search.found = hwnd;
    return FALSE;
}

// The window a second start would hand over to, found the way it searches.
HWND FindReceiver(const std::string& identifier) {
    TReceiverSearch search{ToWide(InstanceWindowPropertyName(identifier))};
    EnumWindows(&FindMarked, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT SendCopyData(HWND window, const void* data, DWORD size) {
    COPYDATASTRUCT copy{0, size, const_cast<void*>(data)};
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

class SingleInstanceTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(CheckPrevInstance(identifier_, true)); }
    void TearDown() override { CloseInstanceMutex(); }

    // A receiver that keeps what is handed to it.
    std::unique_ptr<TMySingleInstance> Receiver(std::vector<std::string>& received) {
        auto receiver = std::make_unique<TMySingleInstance>(nullptr);
        receiver->SetNoAutoActivate(true);
        receiver->OnInstanceLaunch = [&received](TMySingleInstance&, const std::string& line) {
            received.push_back(line);
        };
        return receiver;
    }

    const std::string identifier_ = TestIdentifier();
};

TEST_F(SingleInstanceTest, TheMutexDecidesWhoIsFirstUntilItIsClosed) {
    // Holding it ourselves, we are the copy that is already running.
    EXPECT_TRUE(CheckPrevInstance(identifier_, true));
    CloseInstanceMutex();
    EXPECT_FALSE(CheckPrevInstance(identifier_, true));
    EXPECT_EQ(InstanceIdentifier(), identifier_);
}

TEST_F(SingleInstanceTest, TheHandOverCarriesTheWholeCommandLine) {
    std::vector<std::string> received;
    const auto receiver = Receiver(received);
    EXPECT_EQ(FindReceiver(identifier_), receiver->Handle());
    ActivatePrevInstance();
    EXPECT_EQ(received, std::vector<std::string>{ToUtf8(GetCommandLineW())});
}

TEST_F(SingleInstanceTest, ALaterReceiverTakesTheMarkAndAFreedOneLeavesNone) {
    std::vector<std::string> first;
    std::vector<std::string> second;
    auto older = Receiver(first);
    auto newer = Receiver(second);
    EXPECT_EQ(FindReceiver(identifier_), newer->Handle());
    ActivatePrevInstance();
    EXPECT_TRUE(first.empty());
    EXPECT_EQ(second.size(), 1u);
    newer.reset();
    EXPECT_EQ(FindReceiver(identifier_), nullptr);
    ActivatePrevInstance();
    EXPECT_TRUE(first.empty());
}

TEST_F(SingleInstanceTest, ForeignCopyDataIsIgnored) {
    std::vector<std::string> received;
    const auto receiver = Receiver(received);
    const std::string marker = HandOverMarker(identifier_);
    for (const std::string& data :
         {std::string("not a hand-over"), std::string(), EncodeHandOver("{Other}", "x.exe /tray"),
          marker.substr(0, marker.size() - 1)}) {
        EXPECT_EQ(SendCopyData(receiver->Handle(), data.data(), static_cast<DWORD>(data.size())), 0)
            << data;
    }
    EXPECT_EQ(SendCopyData(receiver->Handle(), nullptr, 0), 0);
    EXPECT_EQ(SendMessageW(receiver->Handle(), WM_COPYDATA, 0, 0), 0);
    EXPECT_TRUE(received.empty());
}

TEST_F(SingleInstanceTest, WithoutNoAutoActivateAMinimizedWindowIsRestored) {
    TWindowHandle window(CreateWindowExW(0, L"STATIC", L"Nimbra single-instance test",
                                         WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                         GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(window);
    ShowWindow(window.Get(), SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(window.Get()));
    int launches = 0;
    TMySingleInstance receiver(nullptr);
    receiver.OnInstanceLaunch = [&](TMySingleInstance&, const std::string&) { ++launches; };
    ActivatePrevInstance();
    EXPECT_FALSE(IsIconic(window.Get()));
    EXPECT_TRUE(IsWindowVisible(window.Get()));
    EXPECT_EQ(launches, 1);
}

// ---- two processes ---------------------------------------------------------------

// The probe program's exit codes (tests/probes/SingleInstanceProbe.cpp).
constexpr DWORD kFirst = 10;
constexpr DWORD kFirstWithTray = 11;
constexpr DWORD kHandedOver = 20;
constexpr DWORD kEnded = 21;
constexpr DWORD kStillRunning = 22;

// The probe's command line with `identifier`, writing to `outFile`.
std::wstring ProbeStart(const std::wstring& identifier, const std::filesystem::path& outFile) {
    return L"\"" + BesideTestProgram(L"single_instance_probe.exe") + L"\" " + identifier + L" \"" +
           outFile.wstring() + L"\"";
}

// Starts a serving probe and waits for its receiver.
std::unique_ptr<ChildProcess> ServingProbe(const std::wstring& start,
                                           const std::wstring& identifier,
                                           const std::wstring& extra = L"") {
    auto first = std::make_unique<ChildProcess>(start + L" /serve" + extra);
    for (int i = 0; i < 400 && first->Running(); ++i) {
        if (FindReceiver(ToUtf8(identifier)) != nullptr)
            return first;
        Sleep(50);
    }
    return nullptr;
}

TEST(SingleInstanceProcessesTest, TheSecondStartHandsItsCommandLineToTheFirstAndEnds) {
    const TempDir dir;
    const std::filesystem::path outFile = dir.Path() / L"received.txt";
    const std::wstring identifier = ToWide(TestIdentifier());
    const std::wstring start = ProbeStart(identifier, outFile);
    const std::unique_ptr<ChildProcess> serving = ServingProbe(start, identifier);
    ASSERT_TRUE(serving) << "the first copy never showed its receiver";
    ChildProcess& first = *serving;

    const std::wstring second =
        start + L" Gr\u00FC\u00DFe \u65E5\u672C \U0001F600 \"two words\" -x";
    EXPECT_EQ(ChildProcess(second).Wait(), kHandedOver);
    EXPECT_EQ(FileContent(PathText(outFile)), ToUtf8(second));
    EXPECT_TRUE(first.Running());

    EXPECT_EQ(ChildProcess(start + L" stop").Wait(), kHandedOver);
    EXPECT_EQ(first.Wait(), kFirst);
    // With the first copy gone, the next start is first again.
    EXPECT_EQ(ChildProcess(start + L" /TRAY").Wait(), kFirstWithTray);
    EXPECT_EQ(ChildProcess(start + L" --tray").Wait(), kFirst);
}

TEST(SingleInstanceProcessesTest, TheExitSwitchEndsTheFirstCopyBeforeItReturns) {
    const TempDir dir;
    const std::wstring identifier = ToWide(TestIdentifier());
    const std::wstring start = ProbeStart(identifier, dir.Path() / L"received.txt");
    const std::unique_ptr<ChildProcess> first = ServingProbe(start, identifier);
    ASSERT_TRUE(first);
    EXPECT_EQ(ChildProcess(start + L" -EXIT").Wait(), kEnded);
    EXPECT_FALSE(first->Running()) << "reported as ended while it still runs";
    // Nothing runs now: a later start is first.
    EXPECT_EQ(ChildProcess(start).Wait(), kFirst);
}

TEST(SingleInstanceProcessesTest, TheExitSwitchGivesUpOnACopyThatStaysWithinItsTimeLimit) {
    const TempDir dir;
    const std::wstring identifier = ToWide(TestIdentifier());
    const std::wstring start = ProbeStart(identifier, dir.Path() / L"received.txt");
    const std::unique_ptr<ChildProcess> first = ServingProbe(start, identifier, L" /stubborn");
    ASSERT_TRUE(first);
    const ULONGLONG began = GetTickCount64();
    EXPECT_EQ(ChildProcess(start + L" /exit").Wait(), kStillRunning);
    EXPECT_LT(GetTickCount64() - began, 15000u) << "the time limit was not kept";
    EXPECT_TRUE(first->Running());
    // The hand-over reached it once, even though it stayed.
    EXPECT_TRUE(FileContent(PathText(dir.Path() / L"received.txt")).ends_with(" /exit"));
    EXPECT_EQ(ChildProcess(start + L" stop").Wait(), kHandedOver);
    EXPECT_EQ(first->Wait(), kFirst);
}

}  // namespace
}  // namespace nimbra
