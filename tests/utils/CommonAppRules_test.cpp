#include "utils/CommonAppRules.h"

#include <gtest/gtest.h>

#include "support/TestAppKey.h"
#include "utils/ConfigUtils.h"

namespace nimbra {
namespace {

using testing_support::TestAppKey;

class CommonAppRulesTest : public ::testing::Test {
  protected:
    CommonAppRulesTest() { ini_.SetAppKey(key_.AppKey()); }
    TestAppKey key_;
    TAppIni ini_;
};

TEST(CommonAppPropsTest, TheProgramWindowLacksOnlyTheOptionalIcon) {
    const TCommonAppProps base = CommonAppFormDefaultProps();
    const TCommonAppProps program = NimbraAppDefaultProps();
    for (int p = caSingleWindow; p <= caTrayIconOptional; ++p) {
        const auto prop = static_cast<TCommonAppProp>(p);
        SCOPED_TRACE(EnumTypeInfo(prop).NameOf(p));
        EXPECT_EQ(program.Contains(prop), prop != caTrayIconOptional);
        EXPECT_EQ(base.Contains(prop),
                  prop != caTrayIconOptional && prop != caTrayPopup && prop != caAppOpenShortcut);
    }
    EXPECT_TRUE(HasBalloonProps(program));
    TCommonAppProps quiet = program;
    quiet.Exclude(caBalloonOnHideFromTaskbar).Exclude(caBalloonOnTrayRun);
    EXPECT_TRUE(HasBalloonProps(quiet));
    quiet.Exclude(caBalloonOnInstanceLaunch);
    EXPECT_FALSE(HasBalloonProps(quiet));
}

struct BalloonCase {
    const char* name;
    const char* enabled;  // "Enabled", nullptr when never written
    const char* hidden;   // "caBalloonOnHideFromTaskbar"
    const char* trayRun;  // "caBalloonOnTrayRun"
    bool hideAllowed;
    bool trayRunAllowed;
};

const BalloonCase kBalloonCases[] = {
    {"NothingStored", nullptr, nullptr, nullptr, true, true},
    {"AllOff", "0", nullptr, nullptr, false, false},
    {"AllOffWinsOverOne", "0", "1", "1", false, false},
    {"OneOff", "1", "0", nullptr, false, true},
    {"OtherOff", nullptr, nullptr, "0", true, false},
};

class BalloonRulesTest : public CommonAppRulesTest,
                         public ::testing::WithParamInterface<BalloonCase> {};

TEST_P(BalloonRulesTest, EachBalloonNeedsBothSwitches) {
    const BalloonCase& c = GetParam();
    const auto write = [this](const char* ident, const char* value) {
        if (value != nullptr)
            ini_.WriteString(kBalloonsSection, ident, value);
    };
    write("Enabled", c.enabled);
    write("caBalloonOnHideFromTaskbar", c.hidden);
    write("caBalloonOnTrayRun", c.trayRun);
    EXPECT_EQ(BalloonAllowed(ini_, caBalloonOnHideFromTaskbar), c.hideAllowed);
    EXPECT_EQ(BalloonAllowed(ini_, caBalloonOnTrayRun), c.trayRunAllowed);
}

INSTANTIATE_TEST_SUITE_P(Stored, BalloonRulesTest, ::testing::ValuesIn(kBalloonCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommonAppRulesTest, BalloonCodesOutsideTheSwitchesAreNeverShown) {
    EXPECT_FALSE(BalloonAllowed(ini_, -1));
    EXPECT_FALSE(BalloonAllowed(ini_, caTrayIconOptional + 1));
}

TEST_F(CommonAppRulesTest, SwitchingBalloonsOffSurvivesANewStore) {
    SetBalloonsEnabled(ini_, false);
    TAppIni restarted;
    restarted.SetAppKey(key_.AppKey());
    EXPECT_FALSE(BalloonsEnabled(restarted));
    EXPECT_FALSE(BalloonAllowed(restarted, caBalloonOnTrayRun));
}

TEST_F(CommonAppRulesTest, TheFirstRunOnlyPlantsTheDateAndThePromptComesAPeriodLater) {
    const int today = 46000;
    EXPECT_FALSE(UpdateCheckDue(ini_, today, 90));
    EXPECT_EQ(ini_.ReadInteger(kUpdateSection, "NextCheck", 0), today + 90);
    EXPECT_FALSE(UpdateCheckDue(ini_, today + 89, 90));
    EXPECT_EQ(ini_.ReadInteger(kUpdateSection, "NextCheck", 0), today + 90);
    EXPECT_TRUE(UpdateCheckDue(ini_, today + 90, 90));
    EXPECT_EQ(ini_.ReadInteger(kUpdateSection, "NextCheck", 0), today + 180);
    // Long away: one prompt, then the next period.
    EXPECT_TRUE(UpdateCheckDue(ini_, today + 1000, 90));
    EXPECT_FALSE(UpdateCheckDue(ini_, today + 1001, 90));
}

TEST_F(CommonAppRulesTest, NeverStopsThePromptAndTheDate) {
    NeverAskForUpdate(ini_);
    EXPECT_FALSE(UpdateCheckDue(ini_, 46000, 90));
    EXPECT_FALSE(ini_.ValueExists(kUpdateSection, "NextCheck"));
}

TEST_F(CommonAppRulesTest, ADamagedDateAsksOnceAndIsReplanted) {
    ini_.WriteString(kUpdateSection, "NextCheck", "soon");
    EXPECT_FALSE(UpdateCheckDue(ini_, 46000, 90));  // unreadable: taken as never written
    ini_.WriteInteger(kUpdateSection, "NextCheck", -5);
    EXPECT_TRUE(UpdateCheckDue(ini_, 46000, 90));
    EXPECT_EQ(ini_.ReadInteger(kUpdateSection, "NextCheck", 0), 46090);
}

TEST_F(CommonAppRulesTest, TheIntroShowsOnceEver) {
    EXPECT_TRUE(TakeFirstShow(ini_));
    EXPECT_FALSE(TakeFirstShow(ini_));
    TAppIni restarted;
    restarted.SetAppKey(key_.AppKey());
    EXPECT_FALSE(TakeFirstShow(restarted));
}

}  // namespace
}  // namespace nimbra
