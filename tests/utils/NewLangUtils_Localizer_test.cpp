#include <gtest/gtest.h>

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
using testing_support::TTestControl;

// A window "Form1" holding two controls, with English texts, and its
// localizer; kGerman translates every text of it.
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
    std::string Texts() const {
        return form.Caption() + "|" + label->Caption() + "|" + label->Hint() + "|" +
               button->Caption() + "|" + button->Hint();
    }
    void Translate(const std::vector<std::string>& filter = {}) {
        if (!filter.empty()) {
            TStringList lines(filter);
            localizer->SetFilter(&lines);
        }
        localizer->SetActiveLanguage("German");
    }
};

const std::string kGerman =
    "[Form1]\nCaption=Fenster\nLabel1.Caption=Beschriftung\nLabel1.Hint=Hinweis\n"
    "Button1.Caption=Knopf\nButton1.Hint=Knopfhinweis\nAction1.Caption=Aktion\n"
    "Label1.Lines=\"Zeile eins\",zwei\nButton1.Lines=\"\"\nFrame1.Label2.Caption=Im Rahmen\n"
    "AppOptionsDialog.Pages.Title.2=Tastatur\nAppOptionsDialog.Pages.Title.3=Sprache\n"
    "[Frame1]\nLabel2.Caption=\"Rahmen allein\"\n";

struct FilterCase {
    const char* name;
    std::vector<std::string> filter;
    std::string expected;
};

class LocalizerFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(LocalizerFilterTest, TranslatesWhatTheFilterSelects) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGerman}});
    Window window;
    window.Translate(GetParam().filter);
    EXPECT_EQ(window.Texts(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, LocalizerFilterTest,
    testing::Values(
        FilterCase{"DefaultFilter", {}, "Fenster|Beschriftung|Hinweis|Knopf|Knopfhinweis"},
        FilterCase{"GlobalExcludeStopsHintsEverywhere",
                   {"+Caption", "+Hint", "-Hint"},
                   "Fenster|Beschriftung|Label1 hint|Knopf|Button1 hint"},
        FilterCase{"ComponentExcludeStopsOneComponent",
                   {"+Caption", "+Hint", "-Label1.Caption"},
                   "Fenster|Label1 caption|Hinweis|Knopf|Knopfhinweis"},
        FilterCase{"ComponentIncludeAfterAGlobalExclude",
                   {"+Caption", "-Caption", "+button1.caption"},
                   "Window|Label1 caption|Label1 hint|Knopf|Button1 hint"},
        FilterCase{"ComponentExcludeWinsOverItsInclude",
                   {"+Button1.Hint", "-Button1.Hint"},
                   "Window|Label1 caption|Label1 hint|Button1 caption|Button1 hint"},
        FilterCase{"EntriesWithoutSignAndUnknownPathsAreIgnored",
                   {"Caption", "*Hint", "", "+Nonsense", "+Label1.Missing.Path", "+Label1.Hint"},
                   "Window|Label1 caption|Hinweis|Button1 caption|Button1 hint"}),
    [](const auto& info) { return info.param.name; });

TEST(LocalizerTest, TextsOfAnActionComeFromTheAction) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGerman}});
    Window window;
    auto* action = new testing_support::TTestTexts(&window.form, "Action1");
    window.button->SetAction(action);
    window.Translate();
    EXPECT_EQ(action->Caption(), "Aktion");
    EXPECT_EQ(window.Texts(), "Fenster|Beschriftung|Hinweis|Button1 caption|Button1 hint");
}

TEST(LocalizerTest, ListsCollectionItemsByIdAndFramesThroughTheirName) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGerman}});
    Window window;
    window.label->Lines()->SetText("one\r\ntwo\r\nthree\r\n");
    window.button->Lines()->SetText("kept\r\n");
    auto* dialog = new testing_support::TTestPagesDialog(&window.form, "AppOptionsDialog");
    for (const char* title : {"Nimbra", "Removed", "Keyboard", "Language"})
        dialog->Pages()->Add()->SetTitle(title);
    dialog->Pages()->Delete(1);  // IDs 0, 2, 3 at positions 0, 1, 2
    auto* inner =
        new TTestControl(new testing_support::TTestFrame(&window.form, "Frame1"), "Label2");
    window.Translate({"+Caption", "+Lines", "+AppOptionsDialog.Pages.Title"});
    EXPECT_EQ(window.label->Lines()->Text(), "Zeile eins\r\nzwei\r\n");
    EXPECT_EQ(window.button->Lines()->Text(), "kept\r\n");  // "" decodes to no lines
    EXPECT_EQ(dialog->Pages()->Items(0)->Title(), "Nimbra");
    EXPECT_EQ(dialog->Pages()->Items(1)->Title(), "Tastatur");
    EXPECT_EQ(dialog->Pages()->Items(2)->Title(), "Sprache");
    EXPECT_EQ(inner->Caption(), "Im\r\nRahmen");
}

TEST(LocalizerTest, AFrameTranslatesItselfOnlyWhenForced) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", kGerman}});
    testing_support::TTestFrame frame(nullptr, "Frame1");
    auto* inner = new TTestControl(&frame, "Label2");
    auto* localizer = new TNewLocalizer(&frame);
    int passes = 0;
    localizer->OnLocalize = [&](TNewLocalizer&) { ++passes; };
    localizer->SetActiveLanguage("German");
    EXPECT_EQ(inner->Caption(), "");
    localizer->SetForceFrameSave(true);
    localizer->Localize();
    EXPECT_EQ(inner->Caption(), "Rahmen allein");
    EXPECT_EQ(passes, 2);
    frame.SetName("");
    localizer->Localize();
    EXPECT_EQ(passes, 2);
}

struct LocaleCase {
    const char* name;
    std::string localeInfo;
    int charset;
    testing_support::TTestBiDiMode biDiMode;
};

class LocalizerLocaleTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocalizerLocaleTest, SetsCharsetAndReadingDirection) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"German", "[Locale info]\n" + GetParam().localeInfo}});
    Window window;
    window.button->Font()->SetCharset(7);
    window.button->SetBiDiMode(testing_support::bdRightToLeftNoAlign);
    window.Translate();
    EXPECT_EQ(window.button->Font()->Charset(), GetParam().charset);
    EXPECT_EQ(window.button->BiDiMode(), GetParam().biDiMode);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LocalizerLocaleTest,
    testing::Values(LocaleCase{"Given", "Font charset=177\nBidirectional mode=1", 177,
                               testing_support::bdRightToLeft},
                    LocaleCase{"Missing", "", 1, testing_support::bdLeftToRight},
                    LocaleCase{"NoNumberKeeps", "Font charset=x\nBidirectional mode=y", 7,
                               testing_support::bdRightToLeftNoAlign},
                    LocaleCase{"OutOfRangeKeeps", "Font charset=99999999999\nBidirectional mode=9",
                               7, testing_support::bdRightToLeftNoAlign}),
    [](const auto& info) { return info.param.name; });

TEST(LocalizerTest, AWindowLoadedAfterASwitchComesUpTranslated) {
    testing_support::ScopedLanguage german("German", kGerman);
    Window window;
    EXPECT_EQ(window.localizer->GlobalLocalizer(), &german.Localizer());
    window.localizer->Loaded();
    EXPECT_EQ(window.form.Caption(), "Fenster");
}

class GenerateDefaultTextsTest : public testing::Test {
  protected:
    GenerateDefaultTextsTest() {
        window.localizer->Constants()->SetText(
            "CommonAppForm.Running=%s is "
            "running.\nNimbra.Empty=\nNoDot\n.NoSection=x\nNimbra.=x\n");
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
              "[CommonAppForm]\r\nRunning=\"%s is running.\"\r\n"
              "[Form1]\r\nButton1.Caption=\"Button1 caption\"\r\nCaption=Window\r\n"
              "Label1.Caption=\"Label1 caption\"\r\nLabel1.Hint=\"Label1 hint\"\r\n"
              "Label1.Lines=one,\"two words\"\r\n[Other]\r\nKept=1\r\n");
    // What was generated translates back to the same texts.
    const std::string texts = window.Texts();
    folder.Write("German", FileContent(DefaultFile()));
    window.form.SetCaption("changed");
    window.label->Lines()->Clear();
    window.Translate();
    EXPECT_EQ(window.Texts(), texts);
    EXPECT_EQ(window.label->Lines()->Text(), "one\r\ntwo words\r\n");
}

TEST_F(GenerateDefaultTextsTest, SaveEmptyWritesEmptyTextsAndAnUnforcedFrameNothing) {
    window.localizer->SetSaveEmpty(true);
    window.localizer->GenerateDefaultTexts();
    const std::string written = FileContent(DefaultFile());
    EXPECT_NE(written.find("Button1.Hint=\r\nButton1.Lines=\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("[Nimbra]\r\nEmpty=\r\n"), std::string::npos) << written;

    testing_support::TTestFrame frame(nullptr, "Other");
    frame.SetCaption("Frame");
    auto* localizer = new TNewLocalizer(&frame);
    localizer->GenerateDefaultTexts();
    localizer->LanguageFile().WriteText("Nimbra", "Flush", "x");
    EXPECT_EQ(FileContent(DefaultFile()).find("[Other]"), std::string::npos);
}

}  // namespace
}  // namespace nimbra
