#include <gtest/gtest.h>

#include <stdexcept>

#include "support/ScopedLanguage.h"
#include "support/TestAppKey.h"
#include "support/TestComponents.h"
#include "utils/ConfigUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::LanguageFiles;
using testing_support::ScopedLanguageFolder;

struct LocaleInfoCase {
    const char* name;
    std::string localeInfo;
    std::string expected;  // see Summary()
};

std::string Summary(const TFormatSettings& s) {
    return std::string{s.DecimalSeparator, s.ThousandSeparator, ' '} + s.ShortDateFormat + " " +
           std::to_string(s.CurrencyFormat) + " " + s.CurrencyString + " " + s.ShortMonthNames[2] +
           " " + s.LongDayNames[0];
}

class LocaleInfoTest : public testing::TestWithParam<LocaleInfoCase> {};

TEST_P(LocaleInfoTest, ReplacesOnlyTheValuesGiven) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"L", "[Locale info]\n" + GetParam().localeInfo}});
    TLanguageFile file;
    file.SetLanguage("L");
    EXPECT_EQ(Summary(LocaleFormatSettingsOf(file, TFormatSettings())), GetParam().expected);
}

const std::string kOn = "Use additional locale info=1\n";

INSTANTIATE_TEST_SUITE_P(
    Values, LocaleInfoTest,
    testing::Values(
        LocaleInfoCase{"OffByDefault", "Decimal separator=,", "., m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"OneSeparatorOnly",
                       "Use additional locale info=1 (yes)\nDecimal separator=,;",
                       ",, m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{
            "German",
            kOn + "Decimal separator=,\nThousand separator=.\nShort date format=dd.mm.yyyy\n"
                  "Currency format=3\nCurrency string=\xE2\x82\xAC\n"
                  "Short month names=J,F,M\xC3\xA4r,A,M,J,J,A,S,O,N,D\n"
                  "Long day names=Sonntag,Mo,Di,Mi,Do,Fr,Sa",
            ",. dd.mm.yyyy 3 \xE2\x82\xAC M\xC3\xA4r Sonntag"},
        LocaleInfoCase{"InvalidNumbersKeep", kOn + "Currency format=three\nCurrency decimals=99",
                       "., m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"ShortNameListsKeep",
                       kOn + "Short month names=Jan,Feb\nLong day names=1,2,3,4,5,6",
                       "., m/d/yyyy 0 $ Mar Sunday"},
        LocaleInfoCase{"SeparatorBeyondOneByteKeeps", kOn + "Thousand separator=\xC2\xA0",
                       "., m/d/yyyy 0 $ Mar Sunday"}),
    [](const auto& info) { return info.param.name; });

int gListenerCalls = 0;
void CountingListener(TGlobalLocalizer&) {
    ++gListenerCalls;
}

class LanguageSwitchTest : public testing::Test {
  protected:
    LanguageSwitchTest() {
        gListenerCalls = 0;
        form.SetCaption("Window");
        localizer = new TNewLocalizer(&form);
        RegisterLanguageListener(CountingListener);
        RegisterLanguageListener(CountingListener);
    }
    ~LanguageSwitchTest() override { UnregisterLanguageListener(CountingListener); }
    std::string LastLanguage() { return AppIni().ReadString("Options", "Last language", "-"); }

    testing_support::GlobalAppIniOverride appIni;
    ScopedLanguageFolder folder{
        LanguageFiles{{"Default", "[Form1]\nCaption=Window\n"},
                      {"German", "[Form1]\nCaption=Fenster\n[Locale info]\nFont charset=0\n" + kOn +
                                     "Decimal separator=,\n"},
                      {"French", "[Form1]\nCaption=Fen\xC3\xAAtre\n"}}};
    testing_support::TTestControl form{nullptr, "Form1"};
    TNewLocalizer* localizer;
    TGlobalLocalizer global{nullptr};
};

TEST_F(LanguageSwitchTest, TranslatesEveryWindowStoresTheChoiceAndTellsTheListeners) {
    global.SetActiveLanguage("Klingon");
    global.SetActiveLanguage("default");
    EXPECT_EQ(gListenerCalls, 0);
    EXPECT_EQ(LastLanguage(), "-");

    global.SetActiveLanguage("German");
    EXPECT_EQ(form.Caption(), "Fenster");
    EXPECT_EQ(LastLanguage(), "German");
    EXPECT_EQ(gListenerCalls, 1);
    EXPECT_EQ(global.FontCharset(), 0);
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');

    // French has no locale values: German's do not stay.
    global.SetActiveLanguage("French");
    EXPECT_EQ(form.Caption(), "Fen\xC3\xAAtre");
    EXPECT_EQ(global.FontCharset(), 1);
    EXPECT_EQ(FormatSettings().DecimalSeparator, LocaleFormatSettings().DecimalSeparator);

    global.SetAutoStore(false);
    global.SetActiveLanguage("Default");
    EXPECT_EQ(form.Caption(), "Window");
    EXPECT_EQ(LastLanguage(), "French");
    EXPECT_EQ(gListenerCalls, 3);
}

TEST_F(LanguageSwitchTest, AFailureStopsTheRestOfTheSwitchSilently) {
    localizer->OnLocalize = [](TNewLocalizer&) { throw std::runtime_error("window failed"); };
    EXPECT_NO_THROW(global.SetActiveLanguage("French"));
    EXPECT_EQ(LastLanguage(), "-");
    EXPECT_EQ(gListenerCalls, 0);
}

TEST_F(LanguageSwitchTest, ReadsFilesAgainAfterASwitch) {
    TLanguageFile french;
    french.SetLanguage("French");
    EXPECT_EQ(french.ReadText("Form1", "Caption", ""), "Fen\xC3\xAAtre");
    folder.Write("French", "[Form1]\nCaption=Nouveau\n");
    global.SetActiveLanguage("French");
    EXPECT_EQ(form.Caption(), "Nouveau");
}

TEST_F(LanguageSwitchTest, LoadingTakesTheStoredLanguage) {
    AppIni().WriteString("Options", "Last language", "French");
    global.Loaded();
    EXPECT_EQ(global.ActiveLanguage(), "French");
    EXPECT_EQ(form.Caption(), "Fen\xC3\xAAtre");
}

TEST_F(LanguageSwitchTest, TheLanguageListShowsEnglishForDefault) {
    TStringList names;
    global.FillLanguageNames(names);
    names.Sort();
    EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"English", "French", "German"}));
    folder.Write("Spanish", "");
    global.RefreshLanguages();
    global.FillLanguageNames(names);
    EXPECT_EQ(names.Count(), 4);
    global.SetLanguageIndex(names.IndexOf("German"));
    EXPECT_EQ(global.LanguageIndex(), names.IndexOf("German"));
    global.SetLanguageIndex(names.IndexOf("English"));
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    global.SetLanguageIndex(-1);
    global.SetLanguageIndex(99);
    EXPECT_EQ(global.ActiveLanguage(), "Default");
}

}  // namespace
}  // namespace nimbra
