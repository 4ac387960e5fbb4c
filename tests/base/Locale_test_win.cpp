// Behaviour that only the real Windows API (here Wine) can show.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/DateTime.h"
#include "base/Locale.h"
#include "base/OsError.h"
#include "base/Unicode.h"

namespace nimbra {
namespace {

TEST(WindowsUnicodeTest, FileNamesInAnyScriptSurviveTheWideApi) {
    const std::string name =
        "nimbra-\xC3\x9C"
        "bersicht-\xE6\x97\xA5\xE6\x9C\xAC-\xF0\x9F\x98\x80.txt";
    wchar_t tempDir[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, tempDir), 0u);
    const std::wstring path = std::wstring(tempDir) + ToWide(name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(path.c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    FindClose(find);
    DeleteFileW(path.c_str());
    EXPECT_EQ(ToUtf8(found.cFileName), name);
}

TEST(WindowsLocaleTest, UpperCasingAndComparisonUseTheUsersLocale) {
    EXPECT_EQ(AnsiUpperCase("stra\xC3\x9F"
                            "e \xC3\xA4\xC3\xB6\xC3\xBC \xC3\xA9"),
              "STRA\xC3\x9F"
              "E \xC3\x84\xC3\x96\xC3\x9C \xC3\x89");
    EXPECT_EQ(AnsiCompareText("\xC3\xA4pfel", "\xC3\x84PFEL"), 0);
    // A linguistic comparison, not a byte comparison: "a" sorts before "B".
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
}

TEST(WindowsLocalTimeTest, AKnownFileTimeConvertsWithTheDaylightRuleOfItsDate) {
    TIME_ZONE_INFORMATION tz{};
    GetTimeZoneInformation(&tz);
    ASSERT_EQ(tz.Bias, -60) << "run with TZ=Europe/Berlin (scripts/test does)";
    // 2021-01-15 12:00 UTC and 2021-07-15 12:00 UTC as file times.
    constexpr std::int64_t kWinter = 132551856000000000;
    constexpr std::int64_t kSummer = 132708240000000000;
    EXPECT_EQ(DecodeDateTime(FileTimeToUtcDateTime(kWinter)),
              (TDateParts{2021, 1, 15, 12, 0, 0, 0}));
    EXPECT_EQ(DecodeDateTime(FileTimeToLocalDateTime(kWinter)),
              (TDateParts{2021, 1, 15, 13, 0, 0, 0}));
    EXPECT_EQ(DecodeDateTime(FileTimeToLocalDateTime(kSummer)),
              (TDateParts{2021, 7, 15, 14, 0, 0, 0}));
}

TEST(WindowsErrorTest, TheMessageNamesTheCallAndTheSystemsReason) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    try {
        RaiseLastOSError("CreateFileW");
        FAIL() << "no exception";
    } catch (const EOSError& e) {
        EXPECT_EQ(e.ErrorCode(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("CreateFileW failed (0x00000002): ", 0), 0u) << message;
        EXPECT_GT(message.size(), std::string("CreateFileW failed (0x00000002): ").size());
    }
}

}  // namespace
}  // namespace nimbra
