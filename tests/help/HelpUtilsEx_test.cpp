#include "help/HelpUtilsEx.h"

#include <gtest/gtest.h>

#include "support/FileContent.h"
#include "support/TestComponents.h"
#include "support/TestFolders.h"
#include "utils/FastIniUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TTestControl;
using testing_support::TTestPagesDialog;

std::vector<std::string> Lines(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    return lines.ToVector();
}

// A store of its own, so that tests do not meet the program's help.
class HelpStoreTest : public testing::Test {
  protected:
    HelpStoreTest() {
        store.Merge(this,
                    Lines("[App]\nStart\n[App.Dialogs]\nDialogs\n[App.Dialogs.MainMenu]\nMenu\n"
                          "[App.Dialogs.MainMenu.File]\nFile\n[App.Dialogs.Options]\nOptions\n"
                          "[App.Keyboard]\nKeys\nline one\nline two\n[Alias]\n!Chain\n[Chain]\n"
                          "!App.Keyboard\n[Ring1]\n!Ring2\n[Ring2]\n!Ring1\n[Broken]\n!Nowhere\n"
                          "[Inc]\nIncluded >appname\n[Loop]\n!Loop\n[]\norphan\n"));
        store.AddValue("appname", "Nimbra");
        store.AddValue("homepage", "https://www.example.com/");
        store.AddValue("supportemail", "support@example.com");
        store.AddValue("self", "again >self");
        store.AddValue("empty", "");
    }
    THelpStore store;
};

TEST_F(HelpStoreTest, TopicsAreFoundIgnoringCaseThroughTheirAliases) {
    EXPECT_EQ(store.TopicId(store.FindTopic("app.KEYBOARD")), "App.Keyboard");
    EXPECT_EQ(store.FindTopic("App.Key"), -1);
    EXPECT_EQ(store.TopicText("app.keyboard"), "Keys\r\nline one\r\nline two");
    EXPECT_EQ(store.TopicText("Alias"), store.TopicText("App.Keyboard"));
    EXPECT_EQ(store.TopicTitle(store.FindTopic("Alias")), "Keys");
    EXPECT_EQ(store.ResolveTopic(store.FindTopic("Ring1")), -1);
    for (const char* missing : {"Missing", "Ring2", "Broken"})
        EXPECT_EQ(store.TopicText(missing), "") << missing;
    EXPECT_EQ(store.TopicTitle(store.FindTopic("Broken")), "");
}

TEST_F(HelpStoreTest, ChildrenAreOneLevelDownAndLinkedWithTabsBelow) {
    EXPECT_EQ(store.Children("app").size(), 2u);
    int repeated = 0;
    store.Merge(&repeated, Lines("[R]\nR\n[R.a]\nA\n[r.A]\nA\n[R.a.b]\nB\n[R.a.b]\nB\n"));
    EXPECT_EQ(store.LinksToChildren(store.FindTopic("R"), true, 1),
              "{\\link R.a}\r\n\\tab{\\link R.a.b}");
    const int dialogs = store.FindTopic("App.Dialogs");
    EXPECT_EQ(store.LinksToChildren(dialogs, false, 1),
              "{\\link App.Dialogs.MainMenu}\r\n{\\link App.Dialogs.Options}");
    EXPECT_EQ(store.LinksToChildren(dialogs, true, 1),
              "{\\link App.Dialogs.MainMenu}\r\n\\tab{\\link App.Dialogs.MainMenu.File}\r\n"
              "{\\link App.Dialogs.Options}");
}

struct ExpandCase {
    const char* name;
    std::string text;
    std::string expected;
};

class HelpExpandTest : public HelpStoreTest, public testing::WithParamInterface<ExpandCase> {};

TEST_P(HelpExpandTest, ResolvesTheMarkup) {
    EXPECT_EQ(store.Expand("App.Dialogs", GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Markup, HelpExpandTest,
    testing::Values(
        ExpandCase{"PlainTextStays", "a {\\b b} c", "a {\\b b} c"},
        ExpandCase{"ValueBeforeAFullStopKeepsIt", "See >homepage.",
                   "See {\\ul https://www.example.com/}."},
        ExpandCase{"ValueWithAtIsUnderlined", "(>supportemail)", "({\\ul support@example.com})"},
        ExpandCase{"PlainValue", ">appname}", "Nimbra}"},
        ExpandCase{"NamesIgnoreCase", ">AppName ", "Nimbra "},
        ExpandCase{"UnknownValueIsEmpty", "x>unknown y", "x y"},
        ExpandCase{"GreaterThanWithoutNameStays", "a > b >. c", "a > b >. c"},
        ExpandCase{"DefinedConditionKeepsItsBracedText", "a{?appname x {\\b y} z}b",
                   "ax {\\b y} zb"},
        ExpandCase{"UndefinedConditionGoesWhole", "a{?missing x {\\b y} z}b", "ab"},
        ExpandCase{"NestedConditions", "{?appname A{?missing B}C}", "AC"},
        ExpandCase{"ValueOfEmptyTextCountsAsDefined", "{?empty yes}", "yes"},
        ExpandCase{"ConditionWithoutText", "a{?appname}b", "ab"},
        ExpandCase{"ConditionCutOffInItsName", "a{?appn", "a"},
        ExpandCase{"UnclosedConditionKeepsTheRestWhenDefined", "a{?appname rest", "arest"},
        ExpandCase{"IncludeAtTheStart", "!Inc", "Included Nimbra"},
        ExpandCase{"IncludeAtALineStart", "a\r\n!Inc\r\nb", "a\r\nIncluded Nimbra\r\nb"},
        ExpandCase{"IncludeAfterGreaterThan", "x >!Inc}", "x Included Nimbra}"},
        ExpandCase{"ExclamationInsideALineStays", "Hello! x", "Hello! x"},
        ExpandCase{"IncludeOfAMissingTopic", "!Nowhere rest", " rest"},
        ExpandCase{"SelfIncludeEnds", "!Loop", ""},
        ExpandCase{"LinksToChildrenRecursive", ">LinksToChildsRecursive.",
                   "{\\link App.Dialogs.MainMenu}\r\n\\tab{\\link App.Dialogs.MainMenu.File}\r\n"
                   "{\\link App.Dialogs.Options}."}),
    [](const auto& info) { return info.param.name; });

TEST_F(HelpStoreTest, SelfReferringIncludesAndValuesEnd) {
    int other = 0;
    store.Merge(&other, {"[Self]", "Self", "!Self"});
    const std::string included = store.Expand("Self", store.TopicText("Self"));
    EXPECT_TRUE(included.starts_with("Self\r\nSelf\r\nSelf")) << included.substr(0, 40);
    EXPECT_EQ(included.find('!'), std::string::npos);
    const std::string value = store.Expand({}, ">self");
    EXPECT_TRUE(value.starts_with("again again again"));
    EXPECT_EQ(value.find('>'), std::string::npos);
}

TEST_F(HelpStoreTest, MergingPutsNewLinesWhereTheOldOnesWere) {
    int other = 0;
    store.Merge(&other, {"[Other]", "Other"});
    store.Merge(this, {"[App]", "New start"});
    ASSERT_EQ(store.Count(), 4);
    EXPECT_EQ(store.Line(0), "[App]");
    EXPECT_EQ(store.Line(1), "New start");
    EXPECT_EQ(store.Line(2), "[Other]");
    store.Remove(this);
    EXPECT_EQ(store.Lines(), (std::vector<std::string>{"[Other]", "Other"}));
}

TEST(HelpTipsTest, EveryBoldHeadingStartsATip) {
    THelpStore store;
    store.AddValue("appname", "Nimbra");
    store.Merge(&store, {"[App.Tips]", "Tips", "{\\b First.} Use >appname.", "{\\b Second.} Two",
                         "lines."});
    EXPECT_EQ(store.Tips(), (std::vector<std::string>{"{\\b  First.} Use Nimbra.\r\n",
                                                      "{\\b  Second.} Two\r\nlines."}));
    EXPECT_EQ(store.PlainTips(), (std::vector<std::string>{" First. Use >appname.\r\n\r\n",
                                                           " Second. Two\r\n\r\nlines."}));
}

// ---- components ----------------------------------------------------------------

TEST(ContextHelpExTest, ContributesItsLinesWhileItLives) {
    const int before = HelpStore().Count();
    {
        TTestControl form(nullptr, "Form1");
        auto* help = new TContextHelpEx(&form);
        help->BeginLoading();
        help->AppHelp()->SetText("[Test.Topic]\nTitle\n");
        EXPECT_EQ(HelpStore().Count(), before);
        help->Loaded();
        EXPECT_EQ(HelpStore().TopicText("Test.Topic"), "Title");
        // After loading, changes merge at once.
        help->AppHelp()->SetText("[Test.Topic]\nNew title\n[Test.Old]\nOld\n");
        help->ReplaceTopicHeader("[Test.Old]", "[Test.Topic]");
        EXPECT_EQ(HelpStore().TopicText("Test.Topic"), "Old");
        EXPECT_EQ(HelpStore().FindTopic("Test.Old"), -1);
        EXPECT_EQ(help->AppHelp()->Strings(0), "[Removed: [Test.Topic]]");
    }
    EXPECT_EQ(HelpStore().Count(), before);
}

// A form with a panel, controls and a menu: parents are set, owners are the form.
class ContextTopicTest : public testing::Test {
  protected:
    TTestControl form{nullptr, "Form1"};
    TTestControl* panel = new TTestControl(&form, "Panel1", &form);
    TTestControl* edit = new TTestControl(&form, "Edit1", panel);
    TTestControl* list = new TTestControl(&form, "List1", panel);
    TContextHelpEx* help = new TContextHelpEx(&form);
};

TEST_F(ContextTopicTest, TheFirstHintUpThroughTheParentsNamesTheTopic) {
    EXPECT_EQ(ContextTopicOf(edit), "!App");
    form.SetHint("!App.Dialogs.Form");
    edit->SetHint("|Status text only");
    EXPECT_EQ(ContextTopicOf(edit), "!App.Dialogs.Form");
    panel->SetHint("Short hint|!App.Panel");
    EXPECT_EQ(ContextTopicOf(edit), "!App.Panel");
    edit->SetHint("!App.Edit");
    EXPECT_EQ(ContextTopicOf(edit), "!App.Edit");
    EXPECT_EQ(ContextTopicOf(nullptr), "!App");
}

TEST_F(ContextTopicTest, AParentsHintCarriesSectionsForNamedChildren) {
    panel->SetHint("Panel|!App.Panel\r\n[Edit1]\r\n!App.Input\r\n[List1]\r\nList|!App.Results");
    EXPECT_EQ(ContextTopicOf(edit), "!App.Input");
    EXPECT_EQ(ContextTopicOf(list), "!App.Results");
    EXPECT_EQ(ContextTopicOf(panel), "!App.Panel");
}

TEST_F(ContextTopicTest, TheFocusedVariantWantsAnAppTopic) {
    form.SetHint("!App.Dialogs.Form");
    panel->SetHint("Just a hint");
    EXPECT_EQ(help->FocusedTopicOf(edit), "!App.Dialogs.Form");
    form.SetHint("");
    EXPECT_EQ(help->FocusedTopicOf(edit), "!App");
    help->OnNeedContext = [](TContextHelpEx&, const TComponent*) { return "!App.Asked"; };
    EXPECT_EQ(help->FocusedTopicOf(edit), "!App.Asked");
}

TEST_F(ContextTopicTest, MenuItemsTakeTheFirstHelpKeyUpTheirParents) {
    auto* menu = new TTestPagesDialog(&form, "MainMenu1");
    auto* file = new TTestControl(&form, "File1");
    auto* open = new TTestControl(&form, "Open1", file);
    open->SetHint("Open the item|Open the item.");
    EXPECT_EQ(help->MenuItemTopicOf(*open, menu), "");
    menu->SetHelpContextEx("!App.Dialogs.MainMenu");
    EXPECT_EQ(help->MenuItemTopicOf(*open, menu), "!App.Dialogs.MainMenu");
    file->SetHint("!App.Dialogs.MainMenu.File|File commands");
    EXPECT_EQ(help->MenuItemTopicOf(*open, menu), "!App.Dialogs.MainMenu.File");
    help->OnNeedMenuItemContext = [](TContextHelpEx&, const TComponent*) { return "!Asked"; };
    file->SetHint("");
    EXPECT_EQ(help->MenuItemTopicOf(*open, nullptr), "!Asked");
}

// ---- the dump -------------------------------------------------------------------

TEST(HelpDumpTest, WritesLinesAndValuesAsNumberedLists) {
    const testing_support::TempDir dir;
    const std::string file = PathText(dir.Path() / "nimbra.help.txt");
    THelpStore store;
    store.Merge(&store, {"[App]", "Title", "  indented; with = sign"});
    store.AddValue("appname", "Nimbra");
    store.Dump(file);
    store.Merge(&store, {"[App]"});
    store.Dump(file);
    TFastIniFile ini(file);
    EXPECT_EQ(ini.ReadString("Help", "Count", ""), "1");
    EXPECT_EQ(ini.ReadString("Help", "0", ""), "[App]");
    EXPECT_EQ(ini.ReadString("Help", "1", "<gone>"), "<gone>");
    EXPECT_EQ(ini.ReadString("Links", "Count", ""), "1");
    EXPECT_EQ(ini.ReadString("Links", "0", ""), "appname=Nimbra");
}

}  // namespace
}  // namespace nimbra
