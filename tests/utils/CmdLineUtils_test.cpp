#include "utils/CmdLineUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nimbra {
namespace {

struct TSwitchCase {
    std::string Name;
    std::string Arg;
    bool IsSwitch;
    bool IsTray;
};

class CmdLineSwitchTest : public testing::TestWithParam<TSwitchCase> {};

TEST_P(CmdLineSwitchTest, OnlyTheWholeNameAfterOnePrefixCounts) {
    const TSwitchCase& c = GetParam();
    EXPECT_EQ(IsCmdLineSwitch(c.Arg), c.IsSwitch);
    EXPECT_EQ(CmdLineSwitchIs(c.Arg, "tray"), c.IsTray);
    EXPECT_EQ(CmdLineSwitchPresent("tray", {"first", c.Arg, "last"}), c.IsTray);
}

INSTANTIATE_TEST_SUITE_P(Table, CmdLineSwitchTest,
                         testing::Values(TSwitchCase{"SlashMixedCase", "/Tray", true, true},
                                         TSwitchCase{"Dash", "-tray", true, true},
                                         TSwitchCase{"DashUpperCase", "-TRAY", true, true},
                                         TSwitchCase{"NoPrefix", "tray", false, false},
                                         TSwitchCase{"TwoDashes", "--tray", true, false},
                                         TSwitchCase{"WithValue", "/tray:x", true, false},
                                         TSwitchCase{"Prefix", "/tra", true, false},
                                         TSwitchCase{"PrefixOnly", "-", true, false},
                                         TSwitchCase{"Empty", "", false, false},
                                         TSwitchCase{"Blank", " /tray", false, false}),
                         [](const auto& info) { return info.param.Name; });

TEST(CmdLineSwitchTest, NoArgumentsHaveNoSwitch) {
    EXPECT_FALSE(CmdLineSwitchPresent("tray", std::vector<std::string>{}));
}

TEST(CommandLineArgumentsTest, AreWhatTheProgramWasStartedWithWithoutItsPath) {
    const std::vector<std::string> started = testing::internal::GetArgvs();
    ASSERT_FALSE(started.empty());
    EXPECT_EQ(CommandLineArguments(), std::vector<std::string>(started.begin() + 1, started.end()));
}

}  // namespace
}  // namespace nimbra
