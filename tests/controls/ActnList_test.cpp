#include "controls/ActnList.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/StdCtrls.h"

namespace nimbra {
namespace {

class ActionTest : public testing::Test {
  protected:
    TComponent owner_{nullptr};
    TActionList* list_ = new TActionList(&owner_);

    TAction* MakeAction(const std::string& caption) {
        auto* action = new TAction(&owner_);
        action->SetCaption(caption);
        action->SetActionList(list_);
        return action;
    }
};

TEST_F(ActionTest, AutoCheckFlipsTheMarkBeforeTheHandlerAndDisabledActionsDoNotRun) {
    TAction* action = MakeAction("Show &toolbar");
    action->SetAutoCheck(true);
    std::vector<bool> seen;
    action->OnExecute = [&](TObject&) { seen.push_back(action->Checked()); };
    EXPECT_TRUE(action->Execute());
    EXPECT_TRUE(action->Execute());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    // The update handler runs first and may disable the action.
    action->OnUpdate = [&](TObject&) { action->SetEnabled(false); };
    EXPECT_FALSE(action->Execute());
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_FALSE(action->Checked());
}

TEST_F(ActionTest, CheckedMembersOfAGroupExcludeEachOtherAndStayChecked) {
    TAction* day = MakeAction("This &day");
    TAction* week = MakeAction("This &week");
    for (TAction* a : {day, week}) {
        a->SetGroupIndex(1);
        a->SetAutoCheck(true);
    }
    day->Execute();
    week->Execute();
    EXPECT_FALSE(day->Checked());
    EXPECT_TRUE(week->Checked());
    week->Execute();  // a checked group member is not unchecked by running it
    EXPECT_TRUE(week->Checked());
}

TEST_F(ActionTest, AShortCutFindsOnlyAnEnabledVisibleActionAfterItsUpdate) {
    TAction* open = MakeAction("&Open");
    open->SetShortCut(13);
    bool selected = false;
    open->OnUpdate = [&](TObject&) { open->SetEnabled(selected); };
    EXPECT_EQ(list_->FindShortCut(13), nullptr);
    selected = true;
    EXPECT_EQ(list_->FindShortCut(13), open);
    open->SetVisible(false);
    EXPECT_EQ(list_->FindShortCut(13), nullptr);
    EXPECT_EQ(list_->FindShortCut(0), nullptr);
}

TEST_F(ActionTest, AControlFollowsItsActionAndEitherMayGoFirst) {
    TAction* action = MakeAction("&Open");
    auto button = std::make_unique<TButton>(nullptr);
    button->SetAction(action);
    int runs = 0;
    action->OnExecute = [&](TObject&) { ++runs; };
    action->SetCaption(
        "&\xC3\x96"
        "ffnen");
    action->SetEnabled(false);
    EXPECT_EQ(button->Caption(),
              "&\xC3\x96"
              "ffnen");
    EXPECT_FALSE(button->Enabled());
    action->SetEnabled(true);
    button->Click();
    EXPECT_EQ(runs, 1);
    delete action;
    EXPECT_EQ(button->Action(), nullptr);
    button->Click();  // nothing bound any more
    EXPECT_EQ(runs, 1);

    TAction* second = MakeAction("&Help");
    button->SetAction(second);
    button.reset();
    second->SetCaption("Help");  // the gone button is not told
}

class LinkedActionTest : public ActionTest {
  protected:
    TAction* target_ = MakeAction("Show h&eader");
    TMyLinkedAction* linked_ = new TMyLinkedAction(&owner_);
};

TEST_F(LinkedActionTest, MirrorsTheTargetAndFollowsItsChanges) {
    target_->SetHint("Show/hide header.");
    target_->SetShortCut(scAlt | 'H');
    target_->SetAutoCheck(true);
    target_->SetImageIndex(3);
    linked_->SetLink(target_);
    EXPECT_EQ(linked_->Caption(), "Show h&eader");
    EXPECT_EQ(linked_->Hint(), "Show/hide header.");
    EXPECT_EQ(linked_->ShortCut(), scAlt | 'H');
    EXPECT_TRUE(linked_->AutoCheck());
    EXPECT_EQ(linked_->ImageIndex(), 3);
    target_->SetCaption("Kopfzeile anzeigen");
    target_->SetEnabled(false);
    target_->SetChecked(true);
    EXPECT_EQ(linked_->Caption(), "Kopfzeile anzeigen");
    EXPECT_FALSE(linked_->Enabled());
    EXPECT_TRUE(linked_->Checked());
}

TEST_F(LinkedActionTest, RunningItFlipsTheSharedMarkOnceAndRunsTheTargetsCode) {
    target_->SetAutoCheck(true);
    std::vector<std::pair<TObject*, bool>> runs;
    target_->OnExecute = [&](TObject& sender) { runs.emplace_back(&sender, target_->Checked()); };
    linked_->SetLink(target_);
    EXPECT_TRUE(linked_->Execute());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].first, target_);  // the target's handler sees the target
    EXPECT_TRUE(runs[0].second);
    EXPECT_TRUE(linked_->Checked());
    // Toggled from the target's side, both agree again.
    target_->Execute();
    EXPECT_FALSE(target_->Checked());
    EXPECT_FALSE(linked_->Checked());
}

TEST_F(LinkedActionTest, UpdatingItRunsTheTargetsUpdateHandler) {
    bool selected = false;
    target_->OnUpdate = [&](TObject&) { target_->SetEnabled(selected); };
    linked_->SetLink(target_);
    selected = true;
    linked_->Update();
    EXPECT_TRUE(linked_->Enabled());
    selected = false;
    EXPECT_FALSE(linked_->Execute());
}

TEST_F(LinkedActionTest, WhileLoadingItKeepsATextOfItsOwn) {
    target_->SetHint("Show/hide header.");
    target_->SetShortCut(scCtrl | 'E');
    linked_->SetCaption("&Header");
    linked_->BeginLoading();
    linked_->SetLink(target_);
    linked_->Loaded();
    EXPECT_EQ(linked_->Caption(), "&Header");
    EXPECT_EQ(linked_->Hint(), "Show/hide header.");
    EXPECT_EQ(linked_->ShortCut(), scCtrl | 'E');
    target_->SetCaption("&Kopfzeile");  // later changes are followed
    EXPECT_EQ(linked_->Caption(), "&Kopfzeile");
}

TEST_F(LinkedActionTest, EitherSideMayBeFreedFirst) {
    linked_->SetLink(target_);
    delete target_;
    EXPECT_EQ(linked_->Link(), nullptr);
    EXPECT_TRUE(linked_->Execute());  // reaches nothing freed
    TAction* other = MakeAction("&All");
    linked_->SetLink(other);
    delete linked_;
    other->SetCaption("&Alle");  // no one left to tell
    EXPECT_EQ(other->Caption(), "&Alle");
}

struct THintCase {
    std::string Hint;
    std::string Short;
    std::string Long;
    std::string StatusBar;
};

class HintTest : public testing::TestWithParam<THintCase> {};

TEST_P(HintTest, SplitsAtTheFirstBar) {
    EXPECT_EQ(GetShortHint(GetParam().Hint), GetParam().Short);
    EXPECT_EQ(GetLongHint(GetParam().Hint), GetParam().Long);
    EXPECT_EQ(StatusBarHint(GetParam().Hint), GetParam().StatusBar);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HintTest,
    testing::Values(
        THintCase{"Show help|Show help.", "Show help", "Show help.", "Show help."},
        THintCase{"Show/hide header.", "Show/hide header.", "Show/hide header.",
                  "Show/hide header."},
        THintCase{"!App.Dialogs.Nimbra.FoldersMenu|Select the folders.",
                  "!App.Dialogs.Nimbra.FoldersMenu", "Select the folders.", "Select the folders."},
        THintCase{"!App.HowToUse.Nimbra", "!App.HowToUse.Nimbra", "!App.HowToUse.Nimbra", ""},
        THintCase{"a|b|c", "a", "b|c", "b|c"}, THintCase{"", "", "", ""}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace nimbra
