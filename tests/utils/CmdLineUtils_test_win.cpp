#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utils/CmdLineUtils.h"

namespace nimbra {
namespace {

struct TSplitCase {
    std::string Name;
    std::string CommandLine;
    std::vector<std::string> Arguments;
    bool AsksToExit;
};

class SplitCommandLineTest : public testing::TestWithParam<TSplitCase> {};

// The command line a second start hands over, split the way the system
// splits its own: the program path is never an argument.
TEST_P(SplitCommandLineTest, GivesTheArgumentsAfterTheProgramPath) {
    const TSplitCase& c = GetParam();
    const std::vector<std::string> arguments = SplitCommandLine(c.CommandLine);
    EXPECT_EQ(arguments, c.Arguments);
    EXPECT_EQ(CmdLineSwitchPresent(kExitSwitch, arguments), c.AsksToExit);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SplitCommandLineTest,
    testing::Values(
        TSplitCase{"QuotedPathWithBlanks",
                   R"("C:\Users\Ann Lee\AppData\Local\Programs\Nimbra\nimbra.exe" -exit)",
                   {"-exit"},
                   true},
        TSplitCase{"SwitchInsideThePath", R"("C:\x -exit\nimbra.exe" /tray)", {"/tray"}, false},
        TSplitCase{
            "SwitchInsideAQuotedArgument", R"(nimbra.exe "-exit now")", {"-exit now"}, false},
        TSplitCase{"PathOnly", R"(C:\Nimbra\nimbra.exe)", {}, false},
        TSplitCase{"Empty", "", {}, false},
        TSplitCase{"SeveralArguments",
                   R"(nimbra.exe /tray "two words" /EXIT)",
                   {"/tray", "two words", "/EXIT"},
                   true},
        TSplitCase{"EscapedQuote", R"(nimbra.exe a\"b)", {"a\"b"}, false},
        TSplitCase{"NonAsciiText",
                   "nimbra.exe Gr\xC3\xBC\xC3\x9F"
                   "e \xF0\x9F\x98\x80",
                   {"Gr\xC3\xBC\xC3\x9F"
                    "e",
                    "\xF0\x9F\x98\x80"},
                   false}),
    [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace nimbra
