// The rules of the options dialog without its window: which pages exist,
// the order pages are told of a showing, closing, paging and the page
// remembered between showings.
#include "app/OptionUtils2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frOptionsPage.h"
#include "controls/ClassRegistry.h"
#include "controls/ImgList.h"
#include "support/TestAppKey.h"

namespace nimbra {
namespace {

std::vector<std::string> calls;

// A page that writes each step it is told of into `calls`, and refuses to
// close while `refuse` is set.
class TRecordingPage : public TOptionsPageFrame {
  public:
    using TOptionsPageFrame::TOptionsPageFrame;
    static inline bool refuse = false;
    static inline bool askToBeShown = false;

    void DialogHidden() override { Record("hidden"); }
    void PageActivated() override { Record("activated"); }
    void LoadSettings() override { Record("load"); }
    void SaveSettings() override { Record("save"); }
    void PrepareSettings() override { Record("prepare"); }
    void CancelSettings() override { Record("cancel"); }
    bool CanClose(int modalResult, bool& showPage) override {
        Record("canclose" + std::to_string(modalResult));
        if (refuse && Page()->Title() == "Two") {
            showPage = askToBeShown;
            return false;
        }
        return true;
    }

    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TRecordingPage", &TOptionsPageFrame::StaticClassInfo());
        return info;
    }

  private:
    void Record(const std::string& step) { calls.push_back(Page()->Title() + ":" + step); }
};

// Registered, but not a page.
class TNotAPage : public TComponent {
  public:
    using TComponent::TComponent;
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    static const TClassInfo& StaticClassInfo() {
        static const TClassInfo info("TNotAPage", &TComponent::StaticClassInfo());
        return info;
    }
};

class OptionPagesTest : public testing::Test {
  protected:
    void SetUp() override {
        RegisterComponentClass<TRecordingPage>();
        RegisterComponentClass<TNotAPage>();
        calls.clear();
        TRecordingPage::refuse = false;
        TRecordingPage::askToBeShown = false;
        pages.AddPage("One", "", "TRecordingPage");
        pages.AddPage("Hidden", "", "TRecordingPage", false);
        pages.AddPage("", "", "TRecordingPage");
        pages.AddPage("Unregistered", "", "TNoSuchPage");
        pages.AddPage("Component", "", "TNotAPage");
        pages.AddPage("Two", "", "trecordingpage");  // class names ignore case
        pages.AddPage("Three", "", "TRecordingPage");
        set.CreatePages(pages, &owner);
    }

    TComponent owner{nullptr};
    TOptionsPages2 pages;
    TOptionsPageSet set;
};

TEST_F(OptionPagesTest, OnlyVisibleTitledPagesOfRegisteredPageClassesAreMade) {
    ASSERT_EQ(set.Count(), 3);
    EXPECT_EQ(set.Title(0), "One");
    EXPECT_EQ(set.Title(1), "Two");
    EXPECT_EQ(set.Title(2), "Three");
    EXPECT_EQ(owner.ComponentCount(), 3) << "the frames belong to the window";
    EXPECT_EQ(set.ActiveIndex(), -1);
    EXPECT_TRUE(calls.empty()) << "making a page tells it nothing";
}

TEST_F(OptionPagesTest, EveryPageIsPreparedBeforeAnyIsLoaded) {
    set.LoadAll();
    EXPECT_EQ(calls, (std::vector<std::string>{"One:prepare", "Two:prepare", "Three:prepare",
                                               "One:load", "Two:load", "Three:load"}));
}

TEST_F(OptionPagesTest, TheFirstRefusalStopsTheClosingAndShowsItsPageWhenAsked) {
    int show = 99;
    EXPECT_TRUE(set.CanClose(1, show));
    EXPECT_EQ(show, -1);
    TRecordingPage::refuse = true;
    calls.clear();
    EXPECT_FALSE(set.CanClose(2, show));
    EXPECT_EQ(show, -1) << "a refusing page that did not ask is not shown";
    EXPECT_EQ(calls, (std::vector<std::string>{"One:canclose2", "Two:canclose2"}))
        << "pages after the refusal are not asked";
    TRecordingPage::askToBeShown = true;
    EXPECT_FALSE(set.CanClose(1, show));
    EXPECT_EQ(show, 1);
}

TEST_F(OptionPagesTest, AcceptedPagesSaveCancelledOnesCancelAndAllHearOfTheHiding) {
    set.Finish(true);
    set.Hidden();
    EXPECT_EQ(calls, (std::vector<std::string>{"One:save", "Two:save", "Three:save", "One:hidden",
                                               "Two:hidden", "Three:hidden"}));
    calls.clear();
    set.Finish(false);
    EXPECT_EQ(calls, (std::vector<std::string>{"One:cancel", "Two:cancel", "Three:cancel"}));
}

TEST_F(OptionPagesTest, APageHearsOfItsShowingOncePerShowingOfTheDialog) {
    EXPECT_TRUE(set.Activate(1));
    EXPECT_TRUE(set.Activate(1));
    EXPECT_FALSE(set.Activate(3));
    EXPECT_FALSE(set.Activate(-1));
    EXPECT_EQ(set.ActiveIndex(), 1);
    set.Deactivate();
    EXPECT_TRUE(set.Activate(1));
    EXPECT_EQ(calls, (std::vector<std::string>{"Two:activated", "Two:activated"}));
}

struct TWrapCase {
    int Active;
    int Delta;
    int Expected;
};

class OptionPagesWrapTest : public OptionPagesTest,
                            public testing::WithParamInterface<TWrapCase> {};

TEST_P(OptionPagesWrapTest, PagingWrapsAroundBothEnds) {
    if (GetParam().Active >= 0)
        set.Activate(GetParam().Active);
    EXPECT_EQ(set.Neighbour(GetParam().Delta), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionPagesWrapTest,
                         testing::Values(TWrapCase{2, 1, 0}, TWrapCase{0, -1, 2},
                                         TWrapCase{1, 1, 2}, TWrapCase{1, -1, 0},
                                         TWrapCase{-1, 1, 1}, TWrapCase{0, 4, 1}),
                         [](const testing::TestParamInfo<TWrapCase>& info) {
                             const std::string sign = info.param.Delta < 0 ? "Back" : "Forward";
                             return "From" + std::to_string(info.param.Active + 1) + sign +
                                    std::to_string(std::abs(info.param.Delta));
                         });

TEST_F(OptionPagesTest, TheStartPageWinsOverTheStoredOneAndUnknownTitlesFallBackToTheFirst) {
    EXPECT_EQ(set.FirstPage("Three", "Two"), 2);
    EXPECT_EQ(set.FirstPage("", "Two"), 1);
    EXPECT_EQ(set.FirstPage("Gone", "Two"), 1);
    EXPECT_EQ(set.FirstPage("", "Gone"), 0);
    EXPECT_EQ(set.FirstPage("", ""), 0);
    TOptionsPageSet none;
    EXPECT_EQ(none.FirstPage("One", ""), -1);
}

TEST_F(OptionPagesTest, TheListHintNamesEveryPageWithAHintAndUnderlinesTheShownOne) {
    set.Frame(0).SetHint("First page|!Topic.One");
    set.Frame(2).SetHint("Third page");
    set.Activate(2);
    EXPECT_EQ(set.ListHint("Pages"), "Pages\n{\\b One} - First page\n{\\b\\ul Three} - Third page");
}

TEST(OptionPageHelpTest, TheTopicIsTheLongHintOrTheDialogsOwn) {
    TOptionsPageFrame page(nullptr);
    EXPECT_EQ(page.GetHelpTopic(), "!App.Dialogs.Options");
    page.SetHint("Application keyboard shortcuts.|!App.Dialogs.Options.Keys");
    EXPECT_EQ(page.GetHelpTopic(), "!App.Dialogs.Options.Keys");
}

TEST(OptionPageImageTest, AnImageTitleIsLookedUpAndAnIndexOutOfRangeDrawsNothing) {
    TCustomImageList images(nullptr);
    images.Add("LANG");
    images.Add("KEYS");
    TOptionsPages2 pages;
    TOptionsPage2& byTitle = *pages.AddPage("Keyboard", "keys", "T");
    EXPECT_EQ(byTitle.ImageIn(&images), 1);
    byTitle.SetImageTitle("missing");
    EXPECT_EQ(byTitle.ImageIn(&images), -1);
    TOptionsPage2& byIndex = *pages.AddPage("Language", "", "T");
    byIndex.SetImageIndex(0);
    EXPECT_EQ(byIndex.ImageIn(&images), 0);
    byIndex.SetImageIndex(2);
    EXPECT_EQ(byIndex.ImageIn(&images), -1);
    EXPECT_EQ(byIndex.ImageIn(nullptr), -1);
}

TEST(OptionActivePageTest, TheShownPageIsRememberedPerDialogAcrossRuns) {
    const testing_support::GlobalAppIniOverride store;
    EXPECT_EQ(StoredActivePage("AppOptionsDialog"), "");
    StoreActivePage("AppOptionsDialog", "Shell");
    StoreActivePage("OtherDialog", "Language");
    AppIni().Close();  // as when the program ends
    EXPECT_EQ(StoredActivePage("AppOptionsDialog"), "Shell");
    EXPECT_EQ(AppIni().ReadString("Config", "AppOptionsDialog.Active page", ""), "Shell");
    EXPECT_EQ(StoredActivePage("OtherDialog"), "Language");
}

}  // namespace
}  // namespace nimbra
