#include "base/MessageWindow_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/Exception.h"
#include "support/ErrorCollector.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;

constexpr UINT kPing = WM_APP + 7;
constexpr wchar_t kClass[] = L"TNimbraMessageWindow";

void PumpPosted() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

TEST(MessageWindowTest, MessagesReachTheHandlerAndTheRestTheDefault) {
    std::vector<WPARAM> pings;
    TMessageWindow window(
        [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message != kPing)
                return std::nullopt;
            pings.push_back(wParam);
            return 42;
        },
        mwMessageOnly, L"nimbra-test-handler");
    EXPECT_EQ(SendMessageW(window.Handle(), kPing, 1, 0), 42);
    PostMessageW(window.Handle(), kPing, 2, 0);
    PumpPosted();
    EXPECT_EQ(pings, (std::vector<WPARAM>{1, 2}));
    // Left to the default processing: the title comes back.
    wchar_t title[64] = {};
    GetWindowTextW(window.Handle(), title, 64);
    EXPECT_STREQ(title, L"nimbra-test-handler");
}

TEST(MessageWindowTest, MessageOnlyAndTopLevelWindowsAreFoundWhereTheyBelong) {
    const TMessageWindow hidden(nullptr, mwMessageOnly, L"nimbra-test-message-only");
    const TMessageWindow topLevel(nullptr, mwTopLevel, L"nimbra-test-top-level");
    EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, kClass, L"nimbra-test-message-only"),
              hidden.Handle());
    // Broadcasts reach only children of the desktop.
    EXPECT_NE(GetAncestor(hidden.Handle(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(topLevel.Handle(), GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(FindWindowW(kClass, L"nimbra-test-top-level"), topLevel.Handle());
    EXPECT_FALSE(IsWindowVisible(topLevel.Handle()));
}

TEST(MessageWindowTest, DestructionDestroysTheWindowWithoutCallingTheHandler) {
    int destroyMessages = 0;
    HWND hwnd = nullptr;
    {
        const TMessageWindow window([&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_DESTROY || message == WM_NCDESTROY)
                ++destroyMessages;
            return std::nullopt;
        });
        hwnd = window.Handle();
        ASSERT_TRUE(IsWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(destroyMessages, 0);
}

TEST(MessageWindowTest, AHandlerErrorIsReportedAndTheWindowGoesOn) {
    ErrorCollector errors;
    int calls = 0;
    const TMessageWindow window([&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != kPing)
            return std::nullopt;
        if (++calls == 1)
            throw std::runtime_error("handler failed");
        return 1;
    });
    EXPECT_EQ(SendMessageW(window.Handle(), kPing, 0, 0), 0);
    EXPECT_EQ(errors.texts, std::vector<std::string>{"handler failed"});
    EXPECT_EQ(SendMessageW(window.Handle(), kPing, 0, 0), 1);
}

class MessageWindowCreationTest : public testing::TestWithParam<UINT> {};

// A failure while the window is created fails the creation, as the system
// means it to: a window whose set-up failed must not count as made.
TEST_P(MessageWindowCreationTest, AFailureInACreationMessageFailsTheConstruction) {
    ErrorCollector errors;
    const UINT failing = GetParam();
    EXPECT_THROW(TMessageWindow(
                     [&](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                         if (message == failing)
                             throw std::runtime_error("set-up failed");
                         return std::nullopt;
                     },
                     mwTopLevel, L"nimbra-test-failed"),
                 EOSError);
    EXPECT_EQ(errors.texts, std::vector<std::string>{"set-up failed"});
    EXPECT_EQ(FindWindowW(kClass, L"nimbra-test-failed"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, MessageWindowCreationTest, testing::Values(WM_NCCREATE, WM_CREATE),
                         [](const testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == WM_NCCREATE ? "NcCreate" : "Create");
                         });

}  // namespace
}  // namespace nimbra
