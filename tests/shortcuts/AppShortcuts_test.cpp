#include "shortcuts/AppShortcuts.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shortcuts/HotKeyReceiver.h"
#include "support/ErrorCollector.h"
#include "support/ScopedLanguage.h"
#include "support/TestAppKey.h"
#include "utils/ConfigUtils.h"

namespace nimbra {
namespace {

using testing_support::ErrorCollector;
using testing_support::GlobalAppIniOverride;
using testing_support::ScopedLanguage;

constexpr TShortCut kWinSemicolon = scWin | 186;
constexpr TShortCut kCtrlAltN = scCtrl | scAlt | 'N';
const std::string kSection(kAppShortCutsSection);

// Whether anyone holds the combination: a holder of our own tries to take it.
bool Held(TShortCut shortCut) {
    THotKeyReceiver probe(nullptr);
    return !probe.Register(1, shortCut);
}

class AppShortCutsTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(AppShortCutsManager(), nullptr); }

    // A live item as the main window makes "AppOpen", in the running
    // manager (started first when there is none).
    TAppShortCut& Start(const std::string& title = "AppOpen", TShortCut shortCut = kWinSemicolon,
                        bool bound = true) {
        if (!manager_)
            manager_.emplace();
        return *TAppShortCut::CreateEx(title, true, bound ? &action_ : nullptr, shortCut,
                                       "Show the %s window");
    }
    void Stop() { manager_.reset(); }

    int StoredShortCut() { return AppIni().ReadInteger(kSection, "AppOpen.ShortCut", -1); }
    bool StoredEnabled() { return AppIni().ReadBool(kSection, "AppOpen.Enabled", false); }

    GlobalAppIniOverride store_;
    ErrorCollector errors_;
    TAction action_{nullptr};
    std::optional<TAppShortCutsManager> manager_;
};

// What an "AppOpen" item starts with, from what is stored and who holds the
// default combination.
struct TStartCase {
    std::string Name;
    std::optional<bool> StoredEnabled;
    std::optional<int> StoredShortCut;
    bool DefaultHeldElsewhere;
    bool Enabled;
    TShortCut ShortCut;
    bool Registered;
    TShortCut ActionShortCut;
};

class AppShortCutStartTest : public AppShortCutsTest,
                             public testing::WithParamInterface<TStartCase> {};

TEST_P(AppShortCutStartTest, TakesTheStoredValuesAndRegistersWhatItCan) {
    const TStartCase& c = GetParam();
    if (c.StoredEnabled)
        AppIni().WriteBool(kSection, "AppOpen.Enabled", *c.StoredEnabled);
    if (c.StoredShortCut)
        AppIni().WriteInteger(kSection, "AppOpen.ShortCut", *c.StoredShortCut);
    std::optional<THotKeyReceiver> otherProgram;
    if (c.DefaultHeldElsewhere) {
        ASSERT_TRUE(otherProgram.emplace(nullptr).Register(7, kWinSemicolon));
    }

    const TAppShortCut& item = Start();
    EXPECT_TRUE(item.Active());
    EXPECT_EQ(item.Enabled(), c.Enabled);
    EXPECT_EQ(item.ShortCut(), c.ShortCut);
    EXPECT_EQ(item.IsRegistered(), c.Registered);
    EXPECT_EQ(action_.ShortCut(), c.ActionShortCut);
    // A refused combination is silent.
    EXPECT_TRUE(errors_.texts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppShortCutStartTest,
    testing::Values(
        TStartCase{"NothingStored", {}, {}, false, true, kWinSemicolon, true, kWinSemicolon},
        TStartCase{"StoredCombination", {}, kCtrlAltN, false, true, kCtrlAltN, true, kCtrlAltN},
        TStartCase{"StoredDisabled", false, {}, false, false, kWinSemicolon, false, 0},
        TStartCase{"DefaultHeldElsewhere", {}, {}, true, true, kWinSemicolon, false, kWinSemicolon},
        TStartCase{"StoredCombinationWithoutKey", {}, scWin, false, true, scWin, false, scWin},
        // Not checked, only cut to the 16 bits a value has: 0x1FFFF.
        TStartCase{"StoredGarbage", {}, 0x1FFFF, false, true, 0xFFFF, false, 0xFFFF}),
    [](const auto& info) { return info.param.Name; });

TEST_F(AppShortCutsTest, ChangesStoreAndReRegisterAtOnceSameValuesAreNoChange) {
    TAppShortCut& item = Start();
    std::vector<TCollectionItem*> updates;
    manager_->Items().OnUpdate = [&](TCollection&, TCollectionItem* i) { updates.push_back(i); };
    item.SetEnabledShortCut(true, kWinSemicolon);
    EXPECT_FALSE(AppIni().ValueExists(kSection, "AppOpen.ShortCut"));
    item.SetShortCut(kCtrlAltN);
    EXPECT_EQ(StoredShortCut(), kCtrlAltN);
    EXPECT_TRUE(StoredEnabled());
    EXPECT_TRUE(item.IsRegistered());
    EXPECT_TRUE(Held(kCtrlAltN));
    EXPECT_FALSE(Held(kWinSemicolon)) << "the old combination must be given back";
    EXPECT_EQ(action_.ShortCut(), kCtrlAltN);
    EXPECT_EQ(updates, std::vector<TCollectionItem*>{&item});
}

TEST_F(AppShortCutsTest, DisablingUnregistersAndClearsTheActionEnablingRestoresBoth) {
    TAppShortCut& item = Start();
    item.SetEnabled(false);
    EXPECT_FALSE(item.IsRegistered());
    EXPECT_FALSE(Held(kWinSemicolon));
    EXPECT_EQ(action_.ShortCut(), 0);
    EXPECT_FALSE(StoredEnabled());
    item.SetEnabled(true);
    EXPECT_TRUE(item.IsRegistered());
    EXPECT_EQ(action_.ShortCut(), kWinSemicolon);
}

TEST_F(AppShortCutsTest, AStopFreesEveryHotKeyAndARestartTakesTheStoredValues) {
    Start().SetEnabledShortCut(false, kCtrlAltN);
    Start("Second", scCtrl | 'O', false);
    Stop();
    EXPECT_EQ(AppShortCutsManager(), nullptr);
    EXPECT_FALSE(Held(scCtrl | 'O'));
    const TAppShortCut& again = Start();
    EXPECT_FALSE(again.Enabled());
    EXPECT_EQ(again.ShortCut(), kCtrlAltN);
}

TEST_F(AppShortCutsTest, TheHotKeyRunsTheActionElseOnExecuteAndAFreedActionIsLetGo) {
    auto action = std::make_unique<TAction>(nullptr);
    int executed = 0;
    int onExecute = 0;
    action->OnExecute = [&](TObject&) { ++executed; };
    manager_.emplace();
    TAppShortCut& item = *TAppShortCut::CreateEx("Other", true, action.get(), kCtrlAltN, "");
    item.OnExecute = [&](TObject& sender) { onExecute += &sender == &item ? 1 : 100; };
    manager_->Dispatch(item);
    action.reset();
    EXPECT_EQ(item.Action(), nullptr);
    manager_->Dispatch(item);
    item.SetEnabled(false);
    EXPECT_EQ(executed, 1);
    EXPECT_EQ(onExecute, 1);
}

TEST_F(AppShortCutsTest, CopiesAreEditedApartAndAppliedByTitle) {
    TAppShortCut& live = Start();
    TAppShortCut& other = Start("Other", scCtrl | 'O', false);
    TAppShortCutsCfg cfg;
    EXPECT_EQ(AppShortCutsCfg(), &cfg);
    cfg.LoadFromManager();
    ASSERT_EQ(cfg.ShortCuts().Count(), 2);
    TAppShortCut& copy = *cfg.ShortCuts().Items(0);
    EXPECT_FALSE(copy.Active());
    EXPECT_EQ(copy.Action(), &action_);
    copy.SetShortCut(kCtrlAltN);
    // The copy changes nothing live: not the hotkey, not the settings.
    EXPECT_TRUE(Held(kWinSemicolon));
    EXPECT_FALSE(Held(kCtrlAltN));
    EXPECT_FALSE(AppIni().ValueExists(kSection, "AppOpen.ShortCut"));

    // A copy without a live item, and one whose title differs in case, are
    // skipped.
    cfg.ShortCuts().Add()->SetTitle("Missing");
    cfg.ShortCuts().Items(1)->SetTitle("other");
    cfg.ShortCuts().Items(1)->SetEnabled(false);
    std::vector<TCollectionItem*> updates;
    manager_->Items().OnUpdate = [&](TCollection&, TCollectionItem* item) {
        updates.push_back(item);
    };
    cfg.Apply();
    EXPECT_EQ(live.ShortCut(), kCtrlAltN);
    EXPECT_EQ(StoredShortCut(), kCtrlAltN);
    EXPECT_TRUE(other.Enabled());
    EXPECT_EQ(updates, std::vector<TCollectionItem*>{&live});
}

TEST_F(AppShortCutsTest, ALanguageSwitchTranslatesTheDescriptions) {
    TAppShortCut& item = Start();
    std::vector<std::string> localized;
    item.SetOnLocalize([&](TAppShortCut& sender) { localized.push_back(sender.Description()); });
    std::optional<TAppShortCutsLocalizer> hook(std::in_place);
    {
        ScopedLanguage german("German", "[KeyboardShortcuts]\r\nAppOpen=\"Das %s-Fenster\"\r\n");
        EXPECT_EQ(item.Description(), "Das %s-Fenster");
        german.Localizer().SetActiveLanguage("Default");
        EXPECT_EQ(item.Description(), "Show the %s window");
        hook.reset();
        german.Localizer().SetActiveLanguage("German");
    }
    EXPECT_EQ(localized, (std::vector<std::string>{"Das %s-Fenster", "Show the %s window"}));
}

}  // namespace
}  // namespace nimbra
