#include "utils/MySingleInstance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace nimbra {
namespace {

constexpr std::string_view kId = "{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}";

TEST(InstanceNamesTest, AreBuiltFromTheIdentifier) {
    EXPECT_EQ(InstanceMutexName(kId, true), "INSTMUTEX:{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}");
    EXPECT_EQ(InstanceMutexName(kId, false),
              "Global\\INSTMUTEX:{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}");
    EXPECT_EQ(InstanceWindowPropertyName(kId),
              "MyInstanceUtils.InstanceWindow.{945C5821-4FF3-4DB3-AADF-066FC0679D83}."
              "{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}");
    EXPECT_EQ(EncodeHandOver(kId, "x /tray"),
              "{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}.CommandLine:x /tray");
}

std::optional<std::string> Decode(const std::string& data) {
    // A copy of exactly the data's size, so that AddressSanitizer sees any
    // read past it.
    const auto bytes = std::make_unique<char[]>(data.size());
    std::copy(data.begin(), data.end(), bytes.get());
    return DecodeHandOver(kId, bytes.get(), data.size());
}

struct TPayloadCase {
    std::string Name;
    std::string Data;
    std::optional<std::string> CommandLine;
};

class HandOverTest : public testing::TestWithParam<TPayloadCase> {};

TEST_P(HandOverTest, TakesOnlyOurDataAndNoByteMore) {
    EXPECT_EQ(Decode(GetParam().Data), GetParam().CommandLine);
}

const std::string kMarker = HandOverMarker(kId);
const std::string kUnicodeLine =
    "\"C:\\Programme\\Nimbra\\nimbra.exe\" /tray Gr\xC3\xBC\xC3\x9F"
    "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";

INSTANTIATE_TEST_SUITE_P(
    Table, HandOverTest,
    testing::Values(
        TPayloadCase{"Ours", EncodeHandOver(kId, kUnicodeLine), kUnicodeLine},
        TPayloadCase{"MarkerOnly", kMarker, ""},
        TPayloadCase{"ShorterThanTheMarker", kMarker.substr(0, kMarker.size() - 1), std::nullopt},
        TPayloadCase{"Empty", "", std::nullopt},
        TPayloadCase{"AnotherIdentifier", EncodeHandOver("{OTHER}", "x"), std::nullopt},
        TPayloadCase{"MarkerLaterInTheData", "x" + kMarker + "x", std::nullopt},
        TPayloadCase{"MarkerInOtherCase",
                     EncodeHandOver("{1ce4adbd-c75b-419e-aa96-8285bd4d2282}", "x"), std::nullopt},
        TPayloadCase{"TerminatorCountedIn", kMarker + "a.exe /tray" + std::string(1, '\0'),
                     "a.exe /tray"},
        TPayloadCase{"LongestCommandLine", kMarker + std::string(kMaxHandOverCommandLine, 'x'),
                     std::string(kMaxHandOverCommandLine, 'x')},
        TPayloadCase{"Oversized", kMarker + std::string(kMaxHandOverCommandLine + 1, 'x'),
                     std::nullopt}),
    [](const auto& info) { return info.param.Name; });

TEST(HandOverTest, NoDataIsNotOurs) {
    EXPECT_EQ(DecodeHandOver(kId, nullptr, 100), std::nullopt);
}

}  // namespace
}  // namespace nimbra
