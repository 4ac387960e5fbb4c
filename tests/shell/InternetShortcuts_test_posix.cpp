// Without a shell, Internet shortcuts are read as INI text.
#include <gtest/gtest.h>

#include "shell/InternetShortcuts.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

struct InfoCase {
    const char* name;
    std::string content;
    bool result;
    std::string url;
    std::string title;
};

class InternetShortcutInfoPosixTest : public testing::TestWithParam<InfoCase> {};

TEST_P(InternetShortcutInfoPosixTest, GivesAddressAndTitle) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile("Example Site.url", GetParam().content));
    std::string url = "untouched";
    std::string title = "untouched";
    EXPECT_EQ(GetInternetShortcutInfo(file, url, title), GetParam().result);
    EXPECT_EQ(url, GetParam().url);
    EXPECT_EQ(title, GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InternetShortcutInfoPosixTest,
    testing::Values(InfoCase{"WithDescription",
                             "[InternetShortcut]\r\nURL=http://a/\r\nDesc=About A\r\n", true,
                             "http://a/", "About A"},
                    InfoCase{"WithoutDescription", "[InternetShortcut]\r\nURL=http://a/\r\n", true,
                             "http://a/", "Example Site"},
                    InfoCase{"WithoutAddress", "[InternetShortcut]\r\nDesc=About A\r\n", false, "",
                             "untouched"},
                    InfoCase{"LargerThanTheLimit",
                             "[InternetShortcut]\nURL=x\n" + std::string(kMaxUrlFileSize, ';'),
                             false, "untouched", "untouched"}),
    [](const testing::TestParamInfo<InfoCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace nimbra
