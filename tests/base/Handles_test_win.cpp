// The owners close the real system objects.
#include "base/Handles_win.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

bool IsOpenKernelHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(HandleWindowsTest, KernelAndFileHandlesAreClosed) {
    HANDLE event = nullptr;
    {
        const TKernelHandle owner(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(owner);
        event = owner.Get();
        EXPECT_TRUE(IsOpenKernelHandle(event));
    }
    EXPECT_FALSE(IsOpenKernelHandle(event));

    // A failed CreateFile gives INVALID_HANDLE_VALUE, which is "none".
    const TFileHandle missing(CreateFileW(L"Z:\\nimbra\\no\\such\\file", GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing);
}

TEST(HandleWindowsTest, WindowsMenusAndKeysAreFreed) {
    TWindowHandle window(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const HWND hwnd = window.Get();
    ASSERT_TRUE(IsWindow(hwnd));
    window.Reset();
    EXPECT_FALSE(IsWindow(hwnd));

    TMenuHandle menu(CreatePopupMenu());
    const HMENU raw = menu.Get();
    ASSERT_TRUE(IsMenu(raw));
    menu.Reset();
    EXPECT_FALSE(IsMenu(raw));

    TRegKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.Put()), ERROR_SUCCESS);
    const HKEY rawKey = key.Get();
    key.Reset();
    DWORD subkeys = 0;
    EXPECT_NE(RegQueryInfoKeyW(rawKey, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST(HandleWindowsTest, SelectObjectPutsThePreviousObjectBack) {
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const TFontHandle font(
        CreateFontW(20, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    ASSERT_TRUE(font);
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    {
        const TSelectObject selected(dc, font.Get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
    DeleteDC(dc);
}

}  // namespace
}  // namespace nimbra
