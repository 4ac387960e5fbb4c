#include "utils/MySingleInstance_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Unicode.h"
#include "support/ErrorCollector.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;
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

struct TForeignCase {
    std::string Name;
    std::string (*Data)(const std::string& identifier);
};

class ForeignCopyDataTest : public SingleInstanceTest,
                            public testing::WithParamInterface<TForeignCase> {};

TEST_P(ForeignCopyDataTest, IsIgnored) {
    std::vector<std::string> received;
    const auto receiver = Receiver(received);
    const std::string data = GetParam().Data(identifier_);
    EXPECT_EQ(SendCopyData(receiver->Handle(), data.data(), static_cast<DWORD>(data.size())), 0);
    EXPECT_TRUE(received.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ForeignCopyDataTest,
    testing::Values(TForeignCase{"AnotherProgram",
                                 [](const std::string&) { return std::string("not a hand-over"); }},
                    TForeignCase{"AnotherIdentifier",
                                 [](const std::string&) {
                                     return EncodeHandOver("{Other}", "x.exe /tray");
                                 }},
                    TForeignCase{"Empty", [](const std::string&) { return std::string(); }},
                    TForeignCase{"CutMarker",
                                 [](const std::string& id) {
                                     const std::string marker = HandOverMarker(id);
                                     return marker.substr(0, marker.size() - 1);
                                 }}),
    [](const auto& info) { return info.param.Name; });

TEST_F(SingleInstanceTest, ForeignDataWithoutBytesIsIgnored) {
    std::vector<std::string> received;
    const auto receiver = Receiver(received);
    EXPECT_EQ(SendCopyData(receiver->Handle(), nullptr, 0), 0);
    EXPECT_EQ(SendMessageW(receiver->Handle(), WM_COPYDATA, 0, 0), 0);
    EXPECT_TRUE(received.empty());
}

TEST_F(SingleInstanceTest, AHandlerErrorGoesToTheErrorDisplay) {
    ErrorCollector errors;
    TMySingleInstance receiver(nullptr);
    receiver.SetNoAutoActivate(true);
    receiver.OnInstanceLaunch = [](TMySingleInstance&, const std::string&) {
        throw std::runtime_error("launch failed");
    };
    ActivatePrevInstance();
    EXPECT_EQ(errors.texts, std::vector<std::string>{"launch failed"});
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

std::wstring ProbePath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return (std::filesystem::path(std::wstring(path, length)).parent_path() /
            L"single_instance_probe.exe")
        .wstring();
}

class TProcess {
  public:
    explicit TProcess(std::wstring commandLine) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, nullptr, &startup, &info))
            throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
        CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
    }
    ~TProcess() {
        if (Running())
            TerminateProcess(process_.Get(), 99);
    }
    bool Running() const { return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD Wait(DWORD ms = 20000) const {
        WaitForSingleObject(process_.Get(), ms);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.Get(), &code);
        return code;
    }

  private:
    TKernelHandle process_;
};

std::string FileContent(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(SingleInstanceProcessesTest, TheSecondStartHandsItsCommandLineToTheFirstAndEnds) {
    const TempDir dir;
    const std::filesystem::path outFile = dir.Path() / L"received.txt";
    const std::wstring identifier = ToWide(TestIdentifier());
    const std::wstring start =
        L"\"" + ProbePath() + L"\" " + identifier + L" \"" + outFile.wstring() + L"\"";

    TProcess first(start + L" /serve");
    bool ready = false;
    for (int i = 0; i < 400 && !ready && first.Running(); ++i) {
        ready = FindReceiver(ToUtf8(identifier)) != nullptr;
        if (!ready)
            Sleep(50);
    }
    ASSERT_TRUE(ready) << "the first copy never showed its receiver";

    const std::wstring second =
        start + L" Gr\u00FC\u00DFe \u65E5\u672C \U0001F600 \"two words\" -x";
    EXPECT_EQ(TProcess(second).Wait(), kHandedOver);
    EXPECT_EQ(FileContent(outFile), ToUtf8(second));
    EXPECT_TRUE(first.Running());

    EXPECT_EQ(TProcess(start + L" stop").Wait(), kHandedOver);
    EXPECT_EQ(first.Wait(), kFirst);
    // With the first copy gone, the next start is first again.
    EXPECT_EQ(TProcess(start + L" /TRAY").Wait(), kFirstWithTray);
    EXPECT_EQ(TProcess(start + L" --tray").Wait(), kFirst);
}

}  // namespace
}  // namespace nimbra
