// Without a shell, links are read from their bytes.
#include <gtest/gtest.h>

#include "shell/LnkUtils.h"
#include "support/LnkBuilder.h"
#include "support/ScopedEnv.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

using testing_support::BuildLnk;
using testing_support::LnkSpec;
using testing_support::PathText;
using testing_support::ScopedEnv;
using testing_support::TempDir;

TEST(ShellLnkPosixTest, EnvironmentTargetKeepsPathAndExpandsTarget) {
    const ScopedEnv root("SystemRoot", "C:\\Windows");
    TempDir dir;
    LnkSpec spec;
    spec.environmentTarget = "%SystemRoot%\\system32\\notepad.exe";
    const std::string file = PathText(dir.MakeFile("env.lnk", BuildLnk(spec)));
    const auto link = LoadShellLnk(file);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Path(), "%SystemRoot%\\system32\\notepad.exe");
    EXPECT_EQ(link->Target(), "C:\\Windows\\system32\\notepad.exe");
    EXPECT_EQ(GetLnkTarget(file), "C:\\Windows\\system32\\notepad.exe");
}

}  // namespace
}  // namespace nimbra
