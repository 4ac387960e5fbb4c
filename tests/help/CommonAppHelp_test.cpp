#include "help/CommonAppHelp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

#include "base/Locale.h"
#include "help/HelpUtilsEx.h"
#include "search/RecentPeriods.h"
#include "shell/LocalizedSysFolders.h"
#include "support/TestFolders.h"
#include "utils/FastIniUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/NewLangUtilsTexts.h"

namespace nimbra {
namespace {

// The program's help data modules, as the start-up creates them.
class ProgramHelpTest : public testing::Test {
  protected:
    ProgramHelpTest() { CreateHelpModules(&program); }
    // Every topic of the built-in help: its id and text.
    std::map<std::string, std::string> Topics() const {
        std::map<std::string, std::string> topics;
        const THelpStore& store = HelpStore();
        for (int i = 0; i < store.Count(); ++i) {
            if (store.Line(i).starts_with('[') && store.Line(i).size() > 2)
                topics.emplace(store.TopicId(i), store.TopicText(store.TopicId(i)));
        }
        return topics;
    }
    TComponent program{nullptr};
};

class NamedTopicTest : public ProgramHelpTest, public testing::WithParamInterface<const char*> {};

TEST_P(NamedTopicTest, ExistsWithATitle) {
    const int topic = HelpStore().FindTopic(GetParam());
    ASSERT_GE(topic, 0) << GetParam();
    EXPECT_FALSE(HelpStore().TopicTitle(topic).empty());
    EXPECT_GE(HelpStore().TopicText(GetParam()).size(), 60u) << "a real text, not a stub";
}

// Every topic that the program's windows name as a help key.
INSTANTIATE_TEST_SUITE_P(
    HelpKeys, NamedTopicTest,
    testing::Values("App", "App.HowToUse.Nimbra", "App.Dialogs", "App.Dialogs.MainMenu",
                    "App.Dialogs.MainMenu.File", "App.Dialogs.MainMenu.View",
                    "App.Dialogs.MainMenu.Help", "App.Dialogs.Nimbra.InputBox",
                    "App.Dialogs.Nimbra.SearchResultsBox", "App.Dialogs.Nimbra.ContextMenu",
                    "App.Dialogs.Nimbra.FoldersMenu", "App.Dialogs.Nimbra.RecentMenu",
                    "App.Dialogs.Nimbra.RecentPeriod", "App.Dialogs.Options",
                    "App.Dialogs.Options.Nimbra", "App.Dialogs.Options.Keys",
                    "App.Dialogs.Options.Keys.EditShortcut", "App.Dialogs.Options.Shell",
                    "App.Dialogs.Options.Language", "App.Dialogs.TrayMenu", "App.Keyboard",
                    "App.Tips"),
    [](const auto& info) {
        std::string name = info.param;
        std::replace(name.begin(), name.end(), '.', '_');
        return name;
    });

TEST_F(ProgramHelpTest, LinksIncludesAndValuesAllResolve) {
    const THelpStore& store = HelpStore();
    const std::regex link(R"(\\link ([^} ]+))");
    const std::regex include(R"((?:^|\n|>)!([^\r} ]+))");
    const std::regex value(R"(>([A-Za-z]+)|\{\?([A-Za-z]+))");
    for (const auto& [id, text] : Topics()) {
        for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it) {
            std::string target = (*it)[1];
            if (target.starts_with('.'))
                target = id + target;
            EXPECT_FALSE(store.TopicTitle(store.FindTopic(target)).empty())
                << id << " links to " << target;
        }
        for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it)
            EXPECT_GE(store.FindTopic((*it)[1].str()), 0) << id << " includes " << (*it)[1];
        for (std::sregex_iterator it(text.begin(), text.end(), value), end; it != end; ++it) {
            const std::string name = (*it)[1].matched ? (*it)[1] : (*it)[2];
            if (!name.starts_with("linkstochilds")) {
                EXPECT_TRUE(store.HasValue(name)) << id << " uses " << name;
            }
        }
    }
}

TEST_F(ProgramHelpTest, EveryTopicBecomesABalancedDocument) {
    for (const auto& [id, text] : Topics()) {
        const std::string rtf = HelpStore().ToRichText(id, HelpStore().Expand(id, text), {});
        int depth = 0;
        for (std::size_t i = 0; i < rtf.size(); ++i) {
            if (rtf[i] == '\\') {
                ++i;  // "\{", "\}" and "\\" are text
            } else if (rtf[i] == '{') {
                ++depth;
            } else if (rtf[i] == '}') {
                ASSERT_GT(depth, 0) << id << " closes too early at " << i;
                --depth;
            }
        }
        EXPECT_EQ(depth, 0) << id;
        EXPECT_EQ(rtf.find('>'), std::string::npos) << id << " keeps unexpanded markup";
    }
}

TEST_F(ProgramHelpTest, TipsAreMany) {
    const std::vector<std::string> tips = HelpStore().Tips();
    EXPECT_GE(tips.size(), 8u);
    EXPECT_EQ(HelpStore().PlainTips().size(), tips.size());
}

TEST(HelpModulesTest, TheirLinesLeaveWithThem) {
    const int before = HelpStore().Count();
    {
        TComponent program(nullptr);
        CreateHelpModules(&program);
        EXPECT_GT(HelpStore().Count(), before + 100);
        ASSERT_EQ(GlobalLocalizers().size(), 1u);
        EXPECT_EQ(program.Components(2)->Name(), "BasicAppHelp");
    }
    EXPECT_EQ(HelpStore().Count(), before);
    EXPECT_TRUE(GlobalLocalizers().empty());
}

// ---- the shipped language files -------------------------------------------------

using TIniContent = std::map<std::string, std::map<std::string, std::string>>;

// Sections and idents in upper case: the files' order depends on the
// locale's collation, their meaning does not.
TIniContent Content(const std::string& fileName) {
    TFastIniFile ini(NativePath(fileName));
    TIniContent content;
    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        TStringList values;
        ini.ReadSectionValues(sections.Strings(s), values);
        for (int v = 0; v < values.Count(); ++v)
            content[AsciiUpperCase(sections.Strings(s))][AsciiUpperCase(values.Names(v))] =
                values.ValueFromIndex(v);
    }
    return content;
}

std::string Shipped(const char* language) {
    return JoinPath(ProgramFolder(), std::string(language) + ".lng");
}

// The code texts and the help modules' texts are in the shipped file as they
// are now; that the file holds the windows' texts as well is checked where
// the windows exist (Windows).
TEST(ShippedLanguageTest, DefaultHoldsEveryCodeTextAsItIsNow) {
    const testing_support::TempDir dir;
    const std::string generated =
        GenerateDefaultLanguageFile(testing_support::PathText(dir.Path()));
    EXPECT_EQ(LanguageFolder(), ProgramFolder());
    ASSERT_TRUE(FileExists(NativePath(Shipped("Default"))));
    TIniContent shipped = Content(Shipped("Default"));
    for (const auto& [section, idents] : Content(generated)) {
        for (const auto& [ident, text] : idents)
            EXPECT_EQ(shipped[section][ident], text)
                << section << "." << ident << ": res/Default.lng is stale, run scripts/default-lng";
    }
    EXPECT_EQ(Content(generated)["NIMBRA"]["SEPARATOR"], "\"- separator -\"");
}

int Count(const std::string& text, std::string_view what) {
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(ShippedLanguageTest, GermanTranslatesEveryText) {
    TIniContent german = Content(Shipped("German"));
    TIniContent english = Content(Shipped("Default"));
    ASSERT_FALSE(german.empty());
    for (const auto& [section, idents] : english) {
        for (const auto& [ident, english] : idents) {
            const std::string translated = DecodeLanguageText(german[section][ident]);
            const std::string where = section + "." + ident;
            EXPECT_FALSE(translated.empty()) << where << " is missing";
            const std::string original = DecodeLanguageText(english);
            for (std::string_view kept : {"%s", "%d", "|"})
                EXPECT_EQ(Count(translated, kept), Count(original, kept)) << where << " " << kept;
            EXPECT_EQ(Count(translated, "&") > 0, Count(original, "&") > 0) << where;
            EXPECT_LE(Count(translated, "&"), 1) << where;
        }
    }
    german.erase("LOCALE INFO");
    for (const auto& [section, idents] : german)
        for (const auto& [ident, text] : idents)
            EXPECT_TRUE(english[section].contains(ident))
                << section << "." << ident << " is no text of the program";
}

TEST(ShippedLanguageTest, TheProgramSwitchesToGermanAndBack) {
    TComponent program(nullptr);
    auto* basic = new TBasicAppHelp(&program);
    TGlobalLocalizer& global = *basic->GlobalLocalizer1();
    TStringList names;
    global.FillLanguageNames(names);
    EXPECT_GE(names.IndexOf("English"), 0);
    ASSERT_GE(names.IndexOf("German"), 0);

    global.SetLanguageIndex(names.IndexOf("German"));
    ASSERT_EQ(global.ActiveLanguage(), "German");
    EXPECT_EQ(GetLocalizedString(CodeText("Nimbra", "TitleColumn")), "Titel");
    EXPECT_EQ(PeriodText(3, rpWeek), "3 Woche(n)");
    EXPECT_EQ(GetShellFolderName(sfFavorites), "Favoriten");

    global.SetLanguageIndex(names.IndexOf("English"));
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    EXPECT_EQ(GetLocalizedString(CodeText("Nimbra", "TitleColumn")), "Title");
}

}  // namespace
}  // namespace nimbra
