#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ScopedLanguage.h"
#include "support/TestAppKey.h"
#include "support/TestComponents.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::GlobalAppIniOverride;
using testing_support::LanguageFiles;
using testing_support::ScopedLanguageFolder;
using testing_support::TTestControl;

// ---- locale info ---------------------------------------------------------------

struct LocaleInfoCase {
    const char* name;
    std::string localeInfo;
    std::string expected;  // see Summary()
};

std::string Summary(const TFormatSettings& s) {
    return std::string(1, s.DecimalSeparator) + s.ThousandSeparator + s.DateSeparator + " " +
           s.ShortDateFormat + " " + std::to_string(s.CurrencyFormat) + " " + s.CurrencyString +
           " " + s.ShortMonthNames[2] + " " + s.LongDayNames[0];
}

class LocaleInfoTest : public testing::TestWithParam<LocaleInfoCase> {};

TEST_P(LocaleInfoTest, ReplacesOnlyTheValuesGiven) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"Lang", "[Locale info]\n" + GetParam().localeInfo}});
    TLanguageFile file;
    file.SetLanguage("Lang");
    EXPECT_EQ(Summary(LocaleFormatSettingsOf(file, TFormatSettings())), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LocaleInfoTest,
    testing::Values(
        LocaleInfoCase{"OffByDefault", "Decimal separator=,", ".,/ m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"OnlyTheFirstCharacterOfOneCounts",
                       "Use additional locale info=1 (yes)\nDecimal separator=,;",
                       ",,/ m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"GermanValues",
                       "Use additional locale info=1\nDecimal separator=,\nThousand separator=.\n"
                       "Date separator=.\nShort date format=dd.mm.yyyy\nCurrency format=3\n"
                       "Currency string=\xE2\x82\xAC\n"
                       "Short month names=Jan,Feb,M\xC3\xA4r,Apr,Mai,Jun,Jul,Aug,Sep,Okt,Nov,Dez\n"
                       "Long day names=Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag",
                       ",.. dd.mm.yyyy 3 \xE2\x82\xAC M\xC3\xA4r Sonntag"},
        LocaleInfoCase{"InvalidNumbersKeepTheValue",
                       "Use additional locale info=1\nCurrency format=three\nCurrency decimals=99",
                       ".,/ m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"ShortNameListsKeepTheNames",
                       "Use additional locale info=1\nShort month names=Jan,Feb\n"
                       "Long day names=Sonntag,Montag,Dienstag,Mittwoch,Donnerstag,Freitag",
                       ".,/ m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"SeparatorBeyondOneByteKeepsTheValue",
                       "Use additional locale info=1\nThousand separator=\xC2\xA0",
                       ".,/ m/d/yyyy 0 $ Mar Sunday"}),
    [](const auto& info) { return info.param.name; });

// ---- switching -------------------------------------------------------------------

int gListenerCalls = 0;
void CountingListener(TGlobalLocalizer&) {
    ++gListenerCalls;
}
void ThrowingListener(TGlobalLocalizer&) {
    throw std::runtime_error("listener failed");
}

class LanguageSwitchTest : public testing::Test {
  protected:
    LanguageSwitchTest() {
        gListenerCalls = 0;
        form.SetCaption("Window");
        new TNewLocalizer(&form);
    }
    ~LanguageSwitchTest() override {
        UnregisterLanguageListener(CountingListener);
        UnregisterLanguageListener(ThrowingListener);
    }
    std::string LastLanguage() { return AppIni().ReadString("Options", "Last language", "<none>"); }

    GlobalAppIniOverride appIni;
    ScopedLanguageFolder folder{
        LanguageFiles{{"Default", "[Form1]\nCaption=Window\n"},
                      {"German",
                       "[Form1]\nCaption=Fenster\n[Locale info]\nFont charset=0\n"
                       "Use additional locale info=1\nDecimal separator=,\n"},
                      {"French", "[Form1]\nCaption=Fen\xC3\xAAtre\n"}}};
    TTestControl form{nullptr, "Form1"};
    TGlobalLocalizer global{nullptr};
};

TEST_F(LanguageSwitchTest, TranslatesEveryWindowStoresTheChoiceAndTellsTheListeners) {
    RegisterLanguageListener(CountingListener);
    RegisterLanguageListener(CountingListener);
    global.SetActiveLanguage("German");
    EXPECT_EQ(form.Caption(), "Fenster");
    EXPECT_EQ(LastLanguage(), "German");
    EXPECT_EQ(gListenerCalls, 1);
    EXPECT_EQ(global.FontCharset(), 0);
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');

    UnregisterLanguageListener(CountingListener);
    global.SetActiveLanguage("French");
    EXPECT_EQ(form.Caption(), "Fen\xC3\xAAtre");
    EXPECT_EQ(gListenerCalls, 1);
    // French has no locale values: those of German do not stay.
    EXPECT_EQ(global.FontCharset(), 1);
    EXPECT_EQ(FormatSettings().DecimalSeparator, LocaleFormatSettings().DecimalSeparator);

    global.SetActiveLanguage("Default");
    EXPECT_EQ(form.Caption(), "Window");
}

TEST_F(LanguageSwitchTest, MissingFileOrTheSameNameChangesNothing) {
    RegisterLanguageListener(CountingListener);
    global.SetActiveLanguage("Klingon");
    global.SetActiveLanguage("default");
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    EXPECT_EQ(LastLanguage(), "<none>");
    EXPECT_EQ(gListenerCalls, 0);
}

TEST_F(LanguageSwitchTest, AFailureStopsTheSwitchSilently) {
    global.SetActiveLanguage("German");
    dynamic_cast<TNewLocalizer&>(*form.Components(0)).OnLocalize = [](TNewLocalizer&) {
        throw std::runtime_error("window failed");
    };
    RegisterLanguageListener(CountingListener);
    EXPECT_NO_THROW(global.SetActiveLanguage("French"));
    EXPECT_EQ(LastLanguage(), "German");
    EXPECT_EQ(gListenerCalls, 0);
}

TEST_F(LanguageSwitchTest, AFailingListenerIsSwallowed) {
    RegisterLanguageListener(ThrowingListener);
    EXPECT_NO_THROW(global.SetActiveLanguage("German"));
    EXPECT_EQ(LastLanguage(), "German");
}

TEST_F(LanguageSwitchTest, AutoStoreOffKeepsTheChoiceForThisRun) {
    global.SetAutoStore(false);
    global.SetActiveLanguage("German");
    EXPECT_EQ(LastLanguage(), "<none>");
}

TEST_F(LanguageSwitchTest, TheCacheIsClearedOnASwitch) {
    TLanguageFile french;
    french.SetLanguage("French");
    EXPECT_EQ(french.ReadText("Form1", "Caption", ""), "Fen\xC3\xAAtre");
    folder.Write("French", "[Form1]\nCaption=Nouveau\n");
    EXPECT_EQ(french.ReadText("Form1", "Caption", ""), "Fen\xC3\xAAtre");
    global.SetActiveLanguage("French");
    EXPECT_EQ(form.Caption(), "Nouveau");
}

TEST_F(LanguageSwitchTest, LoadingTakesTheStoredLanguage) {
    AppIni().WriteString("Options", "Last language", "French");
    global.Loaded();
    EXPECT_EQ(global.ActiveLanguage(), "French");
    EXPECT_EQ(form.Caption(), "Fen\xC3\xAAtre");
}

TEST_F(LanguageSwitchTest, LanguageListShowsEnglishForDefault) {
    TStringList names;
    global.FillLanguageNames(names);
    names.Sort();
    EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"English", "French", "German"}));

    folder.Write("Spanish", "");
    global.RefreshLanguages();
    EXPECT_EQ(global.Languages().Count(), 4);
    const int german = global.Languages().IndexOf("German");
    global.SetLanguageIndex(german);
    EXPECT_EQ(global.LanguageIndex(), german);
    EXPECT_EQ(global.ActiveLanguage(), "German");

    global.FillLanguageNames(names);
    global.SetLanguageIndex(names.IndexOf("English"));
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    global.SetLanguageIndex(-1);
    global.SetLanguageIndex(99);
    EXPECT_EQ(global.ActiveLanguage(), "Default");
}

TEST(GlobalLocalizerTest, WithoutAnApplicationKeyNothingIsReadOrStored) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", ""}});
    ASSERT_FALSE(AppIni().HasAppKey());
    TGlobalLocalizer global(nullptr);
    global.Loaded();
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    global.SetActiveLanguage("German");
    EXPECT_EQ(global.ActiveLanguage(), "German");
}

}  // namespace
}  // namespace nimbra
