#include "shell/ShellUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScopedBrowserCfg.h"

namespace nimbra {
namespace {

struct ExplorerCase {
    const char* name;
    const char* path;
    bool root;
    bool explore;
    bool select;
    const char* parameters;
};

class ExplorerParametersTest : public testing::TestWithParam<ExplorerCase> {};

TEST_P(ExplorerParametersTest, SwitchesInOrderThenThePath) {
    const ExplorerCase& c = GetParam();
    EXPECT_EQ(ExplorerParameters(c.path, c.root, c.explore, c.select), c.parameters);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExplorerParametersTest,
    testing::Values(ExplorerCase{"PathAlone", "C:\\Windows", false, false, false, "C:\\Windows"},
                    ExplorerCase{"SelectWithBlanks", "C:\\My Files\\a b.txt", false, true, true,
                                 "/E,/SELECT,\"C:\\My Files\\a b.txt\""},
                    // Only a leading quote counts as quoted, and only a blank
                    // asks for quotes.
                    ExplorerCase{"InnerQuotes", "a \"b\"", false, false, false, "\"a \"b\"\""},
                    ExplorerCase{"TabIsNoBlank", "tab\tonly", false, false, false, "tab\tonly"},
                    ExplorerCase{"AllSwitches", "D:\\x", true, true, true,
                                 "/E,/ROOT,/SELECT,D:\\x"}),
    [](const auto& info) { return info.param.name; });

// Short names as a fake platform gives them: known paths only.
std::string FakeShortName(std::string_view path) {
    if (path == "C:\\Program Files\\My App\\Read Me.txt")
        return "C:\\PROGRA~1\\MYAPP~1\\README~1.TXT";
    if (path == "C:\\Program Files\\My App")
        return "C:\\PROGRA~1\\MYAPP~1";
    return {};
}

struct MacroCase {
    const char* name;
    const char* cmdLine;
    const char* fileName;
    const char* expanded;
};

class BrowserMacroTest : public testing::TestWithParam<MacroCase> {};

TEST_P(BrowserMacroTest, ExpandsFromLeftToRight) {
    const MacroCase& c = GetParam();
    EXPECT_EQ(ExpandBrowserMacros(c.cmdLine, c.fileName, &FakeShortName), c.expanded);
}

constexpr const char* kItem = "C:\\Program Files\\My App\\Read Me.txt";

INSTANTIATE_TEST_SUITE_P(
    Table, BrowserMacroTest,
    testing::Values(MacroCase{"PathOnly", "%path%", kItem, "C:\\Program Files\\My App"},
                    MacroCase{"FileName", "/select \"%filename%\"", kItem,
                              "/select \"C:\\Program Files\\My App\\Read Me.txt\""},
                    MacroCase{"ShortForms", "%shortpath% %shortfilename%", kItem,
                              "C:\\PROGRA~1\\MYAPP~1 C:\\PROGRA~1\\MYAPP~1\\README~1.TXT"},
                    MacroCase{"NamesIgnoreCase", "%PATH%|%FileName%", "C:\\a\\b", "C:\\a|C:\\a\\b"},
                    MacroCase{"DoublePercent", "100%% %%path%%", kItem, "100% %path%"},
                    MacroCase{"UnknownMacroGivesNothing", "a%drive%b", kItem, "ab"},
                    MacroCase{"PlainText", "--new-window", kItem, "--new-window"},
                    MacroCase{"UnterminatedNamesTheRest", "-open %path", kItem,
                              "-open C:\\Program Files\\My App"},
                    MacroCase{"LonePercentAtTheEnd", "50%", kItem, "50"}),
    [](const auto& info) { return info.param.name; });

TEST(BrowserMacroTest, ShortNamesAreAskedOnlyWhenUsed) {
    std::vector<std::string> asked;
    const TShortNameFn recorder = [&](std::string_view path) {
        asked.emplace_back(path);
        return std::string("S");
    };
    EXPECT_EQ(ExpandBrowserMacros("%path% %filename%", kItem, recorder),
              "C:\\Program Files\\My App C:\\Program Files\\My App\\Read Me.txt");
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(ExpandBrowserMacros("%shortpath%", kItem, recorder), "S");
    EXPECT_EQ(asked, (std::vector<std::string>{"C:\\Program Files\\My App"}));
}

TEST(FolderBrowserCommandTest, QuotesTheProgramAndExpandsTheTemplate) {
    EXPECT_EQ(FolderBrowserCommand({"C:\\Tools\\Total Commander\\tc.exe", "/O /T \"%path%\""},
                                   kItem, &FakeShortName),
              "\"C:\\Tools\\Total Commander\\tc.exe\" /O /T \"C:\\Program Files\\My App\"");
    EXPECT_EQ(
        FolderBrowserCommand({"\"C:\\A B\\x.exe\"", "%shortfilename%"}, kItem, &FakeShortName),
        "\"C:\\A B\\x.exe\" C:\\PROGRA~1\\MYAPP~1\\README~1.TXT");
    EXPECT_EQ(FolderBrowserCommand({"C:\\x.exe", ""}, kItem, &FakeShortName), "C:\\x.exe ");
}

TEST(ConfiguredFolderBrowserTest, ComesFromTheApplicationsConfiguration) {
    ASSERT_EQ(CustomBrowserCfg, nullptr);
    EXPECT_EQ(ConfiguredFolderBrowser().Path, "");
    testing_support::ScopedBrowserCfg scoped("C:\\Tools\\tc.exe", "/O %path%");
    EXPECT_EQ(ConfiguredFolderBrowser().Path, "C:\\Tools\\tc.exe");
    EXPECT_EQ(ConfiguredFolderBrowser().CmdLine, "/O %path%");
    // Read at every use: a change in the options dialog counts at once.
    scoped.Cfg().SetPath("");
    EXPECT_EQ(ConfiguredFolderBrowser().Path, "");
}

}  // namespace
}  // namespace nimbra
