#include "help/HelpViewModel.h"

#include <gtest/gtest.h>

#include "base/StringList.h"
#include "help/HelpUtilsEx.h"

namespace nimbra {
namespace {

std::vector<std::string> Lines(std::string_view text) {
    TStringList lines;
    lines.SetText(text);
    return lines.ToVector();
}

class HelpViewModelTest : public testing::Test {
  protected:
    HelpViewModelTest() {
        store.Merge(this, Lines("[App]\nStart\nWelcome to {\\b Nimbra}.\\par\n"
                                "[App.Use]\nUsing it\nType a word.\n"
                                "[App.Use.Keys]\nKeys\nPress Enter to open the item.\n"
                                "[App.Use.Again]\n!App.Use.Keys\n"
                                "[App.Use.keys]\nKeys\nA repeated header.\n"
                                "[App.Tray]\nNotification area\nEsc hides the window.\n"
                                "[App.Untitled]\n\n"
                                "[App.Untitled.Below]\nBelow\nhidden with its ancestor\n"
                                "[Other]\nOther\nNot below the start.\n"));
    }
    THelpStore store;
};

TEST_F(HelpViewModelTest, TheContentsListTheTreeOnceWithoutAliasesOrUntitledTopics) {
    std::vector<std::string> shown;
    for (const THelpContentsNode& node : HelpContents(store, "app"))
        shown.push_back(std::to_string(node.Level) + " " + node.Id + " " + node.Title);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"0 App Start", "1 App.Use Using it", "2 App.Use.Keys Keys",
                                        "1 App.Tray Notification area"}));
    EXPECT_TRUE(HelpContents(store, "Missing").empty());
    EXPECT_EQ(HelpContents(store, "App", 1).size(), 3u) << "the depth limit holds";
}

TEST_F(HelpViewModelTest, ADeepChainStopsAtTheDepthLimit) {
    THelpStore deep;
    std::string text;
    std::string id = "D";
    for (int i = 0; i < 100; ++i, id += ".x")
        text += "[" + id + "]\nLevel\n";
    deep.Merge(this, Lines(text));
    EXPECT_EQ(HelpContents(deep, "D").size(), 17u);
}

struct FindCase {
    const char* name;
    const char* words;
    std::vector<std::string> found;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class FindTopicsTest : public HelpViewModelTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindTopicsTest, EveryWordMustStandInTheTitleOrText) {
    EXPECT_EQ(FindTopics(store, GetParam().words), GetParam().found);
}

const FindCase kFindCases[] = {
    {"OneWordAnyCase", "ENTER", {"App.Use.Keys"}},
    {"WordsInAnyOrder", "item open", {"App.Use.Keys"}},
    {"TitleCounts", "notification", {"App.Tray"}},
    {"AllWordsNeeded", "enter tray", {}},
    {"ControlWordsAreNotText", "par", {}},
    {"BoldTextIsText", "nimbra", {"App"}},
    {"NoWords", "   ", {}},
    {"BelowAnUntitledTopic", "hidden", {"App.Untitled.Below"}},
};

INSTANTIATE_TEST_SUITE_P(Words, FindTopicsTest, testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HelpHistoryTest, BackAndForwardWalkTheVisitsAndANewVisitDropsWhatLayAhead) {
    THelpHistory history;
    EXPECT_EQ(history.Current(), "");
    EXPECT_EQ(history.Back(), "");
    for (const char* id : {"App", "App.Use", "App.Use", "App.Tray"})
        history.Visit(id);
    EXPECT_EQ(history.Back(), "App.Use");
    EXPECT_EQ(history.Back(), "App");
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_EQ(history.Forward(), "App.Use");
    history.Visit("Other");
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_EQ(history.Back(), "App.Use");
    EXPECT_EQ(history.Back(), "App");
}

TEST_F(HelpViewModelTest, LinksOfTheRichTextBecomeMarkedTextWithTheirTargetsInOrder) {
    const std::string rtf = store.ToRichText(
        "App", "Start\r\nSee {\\link .Use} and {\\link App.Tray} now.", THelpRichTextSettings{});
    const TMarkedLinks marked = MarkLinks(rtf);
    EXPECT_EQ(marked.Targets, (std::vector<std::string>{"help:App.Use", "help:App.Tray"}));
    EXPECT_EQ(marked.RichText.find("\\field"), std::string::npos);
    EXPECT_NE(marked.RichText.find("{\\u57344?\\ul\\cf1 Using it\\u57344?}"), std::string::npos)
        << marked.RichText;
    // Still one document: every group closed.
    int depth = 0;
    for (std::size_t i = 0; i < marked.RichText.size(); ++i) {
        if (marked.RichText[i] == '\\')
            ++i;
        else if (marked.RichText[i] == '{')
            ++depth;
        else if (marked.RichText[i] == '}')
            --depth;
    }
    EXPECT_EQ(depth, 0);
}

TEST(MarkLinksTest, DamagedFieldsAndQuotedTargetsAreHandled) {
    EXPECT_EQ(MarkLinks("{\\rtf1 plain}").RichText, "{\\rtf1 plain}");
    const std::string unclosed = "{\\rtf1 {\\field{\\*\\fldinst{HYPERLINK \"help:A\"";
    EXPECT_EQ(MarkLinks(unclosed).RichText, unclosed);
    EXPECT_TRUE(MarkLinks(unclosed).Targets.empty());
    const TMarkedLinks quoted = MarkLinks(
        "{\\field{\\*\\fldinst{HYPERLINK \"help:A\\\\B\\'e9\"}}{\\fldrslt{\\ul\\cf1 T}}}");
    ASSERT_EQ(quoted.Targets.size(), 1u);
    EXPECT_EQ(quoted.Targets[0], "help:A\\B\xe9");
    const std::string noResult = "{\\field{\\*\\fldinst{HYPERLINK \"x\"}}}";
    EXPECT_EQ(MarkLinks(noResult).RichText, noResult);
}

}  // namespace
}  // namespace nimbra
