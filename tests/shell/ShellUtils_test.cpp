#include "shell/ShellUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScopedBrowserCfg.h"

namespace nimbra {
namespace {

struct QuoteCase {
    const char* text;
    const char* quoted;
};

class QuoteIfBlankTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteIfBlankTest, QuotesOnlyUnquotedTextWithBlanks) {
    EXPECT_EQ(QuoteIfBlank(GetParam().text), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuoteIfBlankTest,
    testing::Values(QuoteCase{"C:\\Windows", "C:\\Windows"},
                    QuoteCase{"C:\\Program Files\\x.exe", "\"C:\\Program Files\\x.exe\""},
                    QuoteCase{"\"C:\\Program Files\\x.exe\"", "\"C:\\Program Files\\x.exe\""},
                    // Only a leading quote counts as quoted already.
                    QuoteCase{"a \"b\"", "\"a \"b\"\""}, QuoteCase{"", ""},
                    QuoteCase{"tab\tonly", "tab\tonly"}));

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
                    ExplorerCase{"RootExplore", "C:\\Data", true, true, false, "/E,/ROOT,C:\\Data"},
                    ExplorerCase{"AllSwitches", "D:\\x", true, true, true,
                                 "/E,/ROOT,/SELECT,D:\\x"},
                    ExplorerCase{"VirtualFolder", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false,
                                 true, false, "/E,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"}),
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
    testing::Values(
        MacroCase{"PathOnly", "%path%", kItem, "C:\\Program Files\\My App"},
        MacroCase{"PathOfAFileInADriveRoot", "%path%", "C:\\boot.ini", "C:\\"},
        MacroCase{"FileName", "/select \"%filename%\"", kItem,
                  "/select \"C:\\Program Files\\My App\\Read Me.txt\""},
        MacroCase{"ShortForms", "%shortpath% %shortfilename%", kItem,
                  "C:\\PROGRA~1\\MYAPP~1 C:\\PROGRA~1\\MYAPP~1\\README~1.TXT"},
        MacroCase{"NoShortFormGivesNothing", "[%shortfilename%]", "C:\\gone\\x.txt", "[]"},
        MacroCase{"NamesIgnoreCase", "%PATH%|%FileName%", "C:\\a\\b", "C:\\a|C:\\a\\b"},
        MacroCase{"DoublePercent", "100%% %%path%%", kItem, "100% %path%"},
        MacroCase{"UnknownMacroGivesNothing", "a%drive%b", kItem, "ab"},
        MacroCase{"EmptyTemplate", "", kItem, ""},
        MacroCase{"PlainText", "--new-window", kItem, "--new-window"},
        MacroCase{"UnterminatedNamesTheRest", "-open %path", kItem,
                  "-open C:\\Program Files\\My App"},
        MacroCase{"UnterminatedUnknown", "x %path% %pa", kItem, "x C:\\Program Files\\My App "},
        MacroCase{"LonePercentAtTheEnd", "50%", kItem, "50"},
        MacroCase{"AdjacentMacros", "%path%%filename%", "C:\\a\\b", "C:\\aC:\\a\\b"},
        MacroCase{"Utf8Names", "%filename%", "C:\\\xC3\x9C\\\xE6\x97\xA5.txt",
                  "C:\\\xC3\x9C\\\xE6\x97\xA5.txt"}),
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
    EXPECT_EQ(ConfiguredFolderBrowser().CmdLine, "");
    testing_support::ScopedBrowserCfg scoped("C:\\Tools\\tc.exe", "/O %path%");
    EXPECT_EQ(ConfiguredFolderBrowser().Path, "C:\\Tools\\tc.exe");
    EXPECT_EQ(ConfiguredFolderBrowser().CmdLine, "/O %path%");
    // Read at every use: a change in the options dialog counts at once.
    scoped.Cfg().SetPath("");
    EXPECT_EQ(ConfiguredFolderBrowser().Path, "");
}

}  // namespace
}  // namespace nimbra
