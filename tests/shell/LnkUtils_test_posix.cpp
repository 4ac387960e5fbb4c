// Without a shell, links and Internet shortcuts are read from their bytes,
// under the program's own (backslash-joined) paths.
#include <gtest/gtest.h>

#include "shell/InternetShortcuts.h"
#include "shell/LnkUtils.h"
#include "support/LnkBuilder.h"
#include "support/ScopedEnv.h"
#include "support/TestFolders.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::BuildLnk;
using testing_support::PathText;
using testing_support::ScopedEnv;
using testing_support::TempDir;

// The catalogue joins its paths with backslashes (JoinPath). A link keeps
// its stored path and expands its target.
TEST(ShellLnkPosixTest, CataloguePathsReachTheirFiles) {
    const ScopedEnv root("SystemRoot", "C:\\Windows");
    TempDir dir;
    const std::string folder = JoinPath(PathText(dir.Path()), "Start Menu");
    dir.MakeFile("Start Menu/app.lnk", BuildLnk({.environmentTarget = "%SystemRoot%\\app.exe"}));
    dir.MakeFile("Start Menu/site.url", "[InternetShortcut]\r\nURL=http://a/\r\n");

    EXPECT_TRUE(LnkExists(folder, "app.lnk"));
    const auto link = LoadShellLnk(JoinPath(folder, "app.lnk"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Path(), "%SystemRoot%\\app.exe");
    EXPECT_EQ(link->Target(), "C:\\Windows\\app.exe");
    std::string url;
    std::string title;
    EXPECT_TRUE(GetInternetShortcutInfo(JoinPath(folder, "site.url"), url, title));
    EXPECT_EQ(url, "http://a/");
    DeleteLnk(folder, "app.lnk");
    EXPECT_FALSE(LnkExists(folder, "app.lnk"));
}

}  // namespace
}  // namespace nimbra
