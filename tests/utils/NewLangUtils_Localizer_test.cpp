#include <gtest/gtest.h>

#include <memory>

#include "support/FileContent.h"
#include "support/ScopedLanguage.h"
#include "support/TestComponents.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::LanguageFiles;
using testing_support::ScopedLanguageFolder;
using testing_support::TTestAction;
using testing_support::TTestControl;
using testing_support::TTestFrame;
using testing_support::TTestPage;
using testing_support::TTestPagesDialog;

// A window "Form1" holding two controls, with English texts, and its
// localizer; `German.lng` translates every text of it.
struct Window {
    TTestControl form{nullptr, "Form1"};
    TTestControl* label = new TTestControl(&form, "Label1");
    TTestControl* button = new TTestControl(&form, "Button1");
    TNewLocalizer* localizer = new TNewLocalizer(&form);

    Window() {
        form.SetCaption("Window");
        for (TTestControl* c : {label, button}) {
            c->SetCaption(c->Name() + " caption");
            c->SetHint(c->Name() + " hint");
        }
    }
    // Every text, for comparing whole trees at once.
    std::string Texts() const {
        std::string texts = form.Caption();
        for (const TTestControl* c : {label, button})
            texts += "|" + c->Caption() + "|" + c->Hint();
        return texts;
    }
};

const std::string kGermanWindow =
    "[Form1]\nCaption=Fenster\nLabel1.Caption=Beschriftung\nLabel1.Hint=Hinweis\n"
    "Button1.Caption=Knopf\nButton1.Hint=Knopfhinweis\n";

struct FilterCase {
    const char* name;
    std::vector<std::string> filter;
    std::string expected;
};

class LocalizerFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(LocalizerFilterTest, TranslatesWhatTheFilterSelects) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGermanWindow}});
    Window window;
    TStringList filter(GetParam().filter);
    window.localizer->SetFilter(&filter);
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(window.Texts(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, LocalizerFilterTest,
    testing::Values(FilterCase{"ConstructorsFilterTakesEverything",
                               {"+Caption", "+Text", "+Hint", "+Lines"},
                               "Fenster|Beschriftung|Hinweis|Knopf|Knopfhinweis"},
                    FilterCase{"GlobalExcludeStopsHintsEverywhere",
                               {"+Caption", "+Hint", "-Hint"},
                               "Fenster|Beschriftung|Label1 hint|Knopf|Button1 hint"},
                    FilterCase{"ComponentExcludeStopsOneComponent",
                               {"+Caption", "+Hint", "-Label1.Caption"},
                               "Fenster|Label1 caption|Hinweis|Knopf|Knopfhinweis"},
                    FilterCase{"ComponentIncludeComesBackAfterAGlobalExclude",
                               {"+Caption", "-Caption", "+button1.caption"},
                               "Window|Label1 caption|Label1 hint|Knopf|Button1 hint"},
                    FilterCase{"ComponentExcludeWinsOverItsInclude",
                               {"+Button1.Hint", "-Button1.Hint"},
                               "Window|Label1 caption|Label1 hint|Button1 caption|Button1 hint"},
                    FilterCase{"EntriesWithoutASignAreIgnored",
                               {"Caption", "*Hint", ""},
                               "Window|Label1 caption|Label1 hint|Button1 caption|Button1 hint"},
                    FilterCase{"UnknownPropertiesAreSkipped",
                               {"+Nonsense", "+Label1.Missing.Path", "+Caption"},
                               "Fenster|Beschriftung|Label1 hint|Knopf|Button1 hint"}),
    [](const auto& info) { return info.param.name; });

TEST(LocalizerTest, ACaptionBoundToAnActionComesFromTheAction) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"German",
                       "[Form1]\nButton1.Caption=Falsch\nButton1.Hint=Falsch\nLabel1.Caption=Gut\n"
                       "Open.Caption=&\xC3\x96"
                       "ffnen\n"}});
    Window window;
    auto* action = new TTestAction(&window.form);
    action->SetName("Open");
    action->SetCaption("&Open");
    window.button->SetAction(action);
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(action->Caption(),
              "&\xC3\x96"
              "ffnen");
    // The action's class publishes both texts, so neither is the button's.
    EXPECT_EQ(window.button->Caption(), "Button1 caption");
    EXPECT_EQ(window.button->Hint(), "Button1 hint");
    EXPECT_EQ(window.label->Caption(), "Gut");
}

TEST(LocalizerTest, StringListsTakeTheDecodedLinesUnlessThereAreNone) {
    const ScopedLanguageFolder folder(LanguageFiles{
        {"German", "[Form1]\nLabel1.Lines=\"Zeile eins\",zwei\nButton1.Lines=\"\"\n"}});
    Window window;
    window.label->Lines()->SetText("line one\r\nline two\r\nthree\r\n");
    window.button->Lines()->SetText("kept\r\n");
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(window.label->Lines()->Text(), "Zeile eins\r\nzwei\r\n");
    EXPECT_EQ(window.button->Lines()->Text(), "kept\r\n");
}

TEST(LocalizerTest, CollectionItemsAreFoundByTheirId) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"German",
                       "[Form1]\nAppOptionsDialog.Pages.Title.0=Nimbra\n"
                       "AppOptionsDialog.Pages.Title.2=Tastatur\n"
                       "AppOptionsDialog.Pages.Title.3=Sprache\n"}});
    Window window;
    auto* dialog = new TTestPagesDialog(&window.form, "AppOptionsDialog");
    for (const char* title : {"Nimbra", "Removed", "Keyboard", "Language"})
        dialog->Pages()->Add()->SetTitle(title);
    dialog->Pages()->Delete(1);  // the IDs are now 0, 2 and 3 at positions 0, 1 and 2
    window.localizer->Filter()->Add("+AppOptionsDialog.Pages.Title");
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(dialog->Pages()->Items(1)->Title(), "Tastatur");
    EXPECT_EQ(dialog->Pages()->Items(2)->Title(), "Sprache");
}

TEST(LocalizerTest, ComponentsOfAFrameAreNamedThroughTheFrame) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German",
                                                     "[Form1]\nFrame1.Label2.Caption=Im Rahmen\n"
                                                     "[Frame1]\nLabel2.Caption=Rahmen allein\n"}});
    Window window;
    auto* frame = new TTestFrame(&window.form, "Frame1");
    auto* inner = new TTestControl(frame, "Label2");
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(inner->Caption(), "Im\r\nRahmen");
}

TEST(LocalizerTest, AFrameTranslatesItselfOnlyWhenForced) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"German", "[Frame1]\nLabel2.Caption=\"Rahmen allein\"\n"}});
    TTestFrame frame(nullptr, "Frame1");
    auto* inner = new TTestControl(&frame, "Label2");
    auto* localizer = new TNewLocalizer(&frame);
    int passes = 0;
    localizer->OnLocalize = [&](TNewLocalizer&) { ++passes; };
    localizer->SetActiveLanguage("German");
    EXPECT_EQ(inner->Caption(), "");
    EXPECT_EQ(passes, 1);
    localizer->SetForceFrameSave(true);
    localizer->Localize();
    EXPECT_EQ(inner->Caption(), "Rahmen allein");
    EXPECT_EQ(passes, 2);
}

TEST(LocalizerTest, AnOwnerWithoutANameIsLeftAlone) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", "[]\nCaption=x\n"}});
    TTestControl form(nullptr);
    form.SetCaption("Window");
    auto* localizer = new TNewLocalizer(&form);
    bool raised = false;
    localizer->OnLocalize = [&](TNewLocalizer&) { raised = true; };
    localizer->SetActiveLanguage("German");
    EXPECT_EQ(form.Caption(), "Window");
    EXPECT_FALSE(raised);
}

struct LocaleCase {
    const char* name;
    std::string localeInfo;
    int charset;
    testing_support::TTestBiDiMode biDiMode;
};

class LocalizerLocaleTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocalizerLocaleTest, SetsTheCharsetAndReadingDirectionOfEveryControl) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"Hebrew", "[Locale info]\n" + GetParam().localeInfo}});
    Window window;
    window.button->Font()->SetCharset(7);
    window.button->SetBiDiMode(testing_support::bdRightToLeftNoAlign);
    window.localizer->SetActiveLanguage("Hebrew");
    EXPECT_EQ(window.button->Font()->Charset(), GetParam().charset);
    EXPECT_EQ(window.button->BiDiMode(), GetParam().biDiMode);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LocalizerLocaleTest,
    testing::Values(LocaleCase{"Given", "Font charset=177\nBidirectional mode=1", 177,
                               testing_support::bdRightToLeft},
                    LocaleCase{"MissingGivesTheDefaults", "", 1, testing_support::bdLeftToRight},
                    LocaleCase{"NoNumberKeepsTheControlsValues",
                               "Font charset=Hebrew\nBidirectional mode=x", 7,
                               testing_support::bdRightToLeftNoAlign},
                    LocaleCase{"OutOfRangeKeepsTheControlsValues",
                               "Font charset=99999999999\nBidirectional mode=9", 7,
                               testing_support::bdRightToLeftNoAlign}),
    [](const auto& info) { return info.param.name; });

TEST(LocalizerTest, SwitchesOnlyToALanguageWhoseFileExists) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGermanWindow}});
    Window window;
    window.localizer->SetActiveLanguage("Klingon");
    EXPECT_EQ(window.localizer->ActiveLanguage(), "Default");
    EXPECT_EQ(window.form.Caption(), "Window");
}

TEST(LocalizerTest, AWindowLoadedAfterASwitchComesUpTranslated) {
    testing_support::ScopedLanguage german("German", kGermanWindow);
    Window window;
    EXPECT_EQ(window.localizer->GlobalLocalizer(), &german.Localizer());
    EXPECT_EQ(window.form.Caption(), "Window");
    window.localizer->Loaded();
    EXPECT_EQ(window.form.Caption(), "Fenster");
}

// ---- generating the default texts ---------------------------------------------

class GenerateDefaultTextsTest : public testing::Test {
  protected:
    GenerateDefaultTextsTest() {
        window.localizer->Constants()->SetText(
            "CommonAppForm.AppIsAlreadyRunning=%s is already running.\n"
            "Nimbra.Empty=\nNoDot\n.NoSection=x\nNimbra.=x\nNimbra.Bare\n");
        window.label->Lines()->SetText("one\r\ntwo words\r\n");
        window.button->SetHint("");
    }
    std::string DefaultFile() const { return NativePath(JoinPath(folder.Folder(), "Default.lng")); }

    ScopedLanguageFolder folder{
        LanguageFiles{{"Default", "[Form1]\nStale=old\n[Other]\nKept=1\n"}}};
    Window window;
};

TEST_F(GenerateDefaultTextsTest, WritesTheTreeAndTheConstantsAfterAnErase) {
    const std::string before = FileContent(DefaultFile());
    window.localizer->GenerateDefaultTexts();
    EXPECT_EQ(FileContent(NativePath(JoinPath(folder.Folder(), "Default.~ln"))), before);
    EXPECT_EQ(FileContent(DefaultFile()),
              "[CommonAppForm]\r\nAppIsAlreadyRunning=\"%s is already running.\"\r\n"
              "[Form1]\r\nButton1.Caption=\"Button1 caption\"\r\nCaption=Window\r\n"
              "Label1.Caption=\"Label1 caption\"\r\nLabel1.Hint=\"Label1 hint\"\r\n"
              "Label1.Lines=one,\"two words\"\r\n"
              "[Other]\r\nKept=1\r\n");
}

TEST_F(GenerateDefaultTextsTest, SaveEmptyWritesEmptyTextsToo) {
    window.localizer->SetSaveEmpty(true);
    window.localizer->GenerateDefaultTexts();
    const std::string written = FileContent(DefaultFile());
    EXPECT_NE(written.find("Button1.Hint=\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("Button1.Lines=\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[Nimbra]\r\nBare=\r\nEmpty=\r\n"), std::string::npos) << written;
}

TEST_F(GenerateDefaultTextsTest, AnUnforcedFrameOnlyErasesItsSection) {
    folder.Write("Default", "[Frame1]\nStale=old\n[Other]\nKept=1\n");
    ClearCache();
    TTestFrame frame(nullptr, "Frame1");
    frame.SetCaption("Frame");
    auto* localizer = new TNewLocalizer(&frame);
    localizer->GenerateDefaultTexts();
    localizer->LanguageFile().WriteText("Other", "Added", "x");
    EXPECT_EQ(FileContent(DefaultFile()), "[Other]\r\nAdded=x\r\nKept=1\r\n");
}

TEST_F(GenerateDefaultTextsTest, GeneratedTextsTranslateBackUnchanged) {
    window.localizer->GenerateDefaultTexts();
    const std::string texts = window.Texts();
    const std::string lines = window.label->Lines()->Text();
    folder.Write("German", FileContent(DefaultFile()));
    window.form.SetCaption("changed");
    window.label->Lines()->Clear();
    window.localizer->SetActiveLanguage("German");
    EXPECT_EQ(window.Texts(), texts);
    EXPECT_EQ(window.label->Lines()->Text(), lines);
}

}  // namespace
}  // namespace nimbra
