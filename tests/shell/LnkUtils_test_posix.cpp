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

TEST(ShellLnkPosixTest, EnvironmentTargetKeepsPathAndExpandsTarget) {
    const ScopedEnv root("SystemRoot", "C:\\Windows");
    TempDir dir;
    const std::string file = PathText(dir.MakeFile(
        "env.lnk", BuildLnk({.environmentTarget = "%SystemRoot%\\system32\\notepad.exe"})));
    const auto link = LoadShellLnk(file);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Path(), "%SystemRoot%\\system32\\notepad.exe");
    EXPECT_EQ(link->Target(), "C:\\Windows\\system32\\notepad.exe");
}

// The catalogue joins its paths with backslashes (JoinPath).
TEST(ShellLnkPosixTest, CataloguePathsReachTheirFiles) {
    TempDir dir;
    const std::string folder = JoinPath(PathText(dir.Path()), "Start Menu");
    dir.MakeFile("Start Menu/app.lnk", BuildLnk({.localBasePath = "C:\\app.exe"}));
    dir.MakeFile("Start Menu/site.url", "[InternetShortcut]\r\nURL=http://a/\r\n");

    EXPECT_TRUE(LnkExists(folder, "app.lnk"));
    EXPECT_EQ(GetLnkTarget(JoinPath(folder, "app.lnk")), "C:\\app.exe");
    std::string url;
    std::string title;
    EXPECT_TRUE(GetInternetShortcutInfo(JoinPath(folder, "site.url"), url, title));
    EXPECT_EQ(url, "http://a/");
    DeleteLnk(folder, "app.lnk");
    EXPECT_FALSE(LnkExists(folder, "app.lnk"));
}

}  // namespace
}  // namespace nimbra
