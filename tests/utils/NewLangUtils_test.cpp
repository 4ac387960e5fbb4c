#include "utils/NewLangUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "support/FileContent.h"
#include "support/ScopedLanguage.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::LanguageFiles;
using testing_support::ScopedLanguage;
using testing_support::ScopedLanguageFolder;

// ---- lookups through template chains ---------------------------------------

struct LookupCase {
    const char* name;
    std::map<std::string, std::string> files;
    std::string language;
    std::string expected;  // of ReadText("Form", "Caption", "built-in")
};

class LanguageLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(LanguageLookupTest, FindsTheTextAlongTheTemplateChain) {
    const ScopedLanguageFolder folder(GetParam().files);
    TLanguageFile file;
    file.SetLanguage(GetParam().language);
    EXPECT_EQ(file.ReadText("Form", "Caption", "built-in"), GetParam().expected);
}

const std::string kTemplateIs = "[Template section]\nTemplate=";

INSTANTIATE_TEST_SUITE_P(
    Chains, LanguageLookupTest,
    testing::Values(
        LookupCase{"OwnTextWins",
                   {{"German", kTemplateIs + "English\n[Form]\nCaption=Titel"},
                    {"English", "[Form]\nCaption=Title"}},
                   "German",
                   "Titel"},
        LookupCase{"TemplateSuppliesAMissingText",
                   {{"German", kTemplateIs + "English\n[Form]\nOther=x"},
                    {"English", "[Form]\nCaption=Title"}},
                   "German",
                   "Title"},
        LookupCase{"FileOfNothingButATemplateShowsTheTemplatesTexts",
                   {{"Swiss", kTemplateIs + "German"}, {"German", "[Form]\nCaption=Titel"}},
                   "Swiss",
                   "Titel"},
        LookupCase{"DeeperLevelsTakeTheTemplateOfEachFile",
                   {{"A", kTemplateIs + "B"}, {"B", kTemplateIs + "C"}, {"C", "[Form]\nCaption=c"}},
                   "A",
                   "c"},
        LookupCase{"FilesNamingEachOtherEndInTheBuiltInText",
                   {{"A", kTemplateIs + "B\n[Form]\nX=1"}, {"B", kTemplateIs + "A"}},
                   "A",
                   "built-in"},
        LookupCase{"TemplateThatIsPartOfAVisitedNameIsNotFollowed",
                   {{"Pirate", kTemplateIs + "English"},
                    {"English", kTemplateIs + "Eng"},
                    {"Eng", "[Form]\nCaption=never"}},
                   "Pirate",
                   "built-in"},
        LookupCase{"MissingTemplateFileGivesTheBuiltInText",
                   {{"German", kTemplateIs + "Klingon"}},
                   "German",
                   "built-in"},
        LookupCase{"EmptyValueCountsAsMissing",
                   {{"German", kTemplateIs + "English\n[Form]\nCaption="},
                    {"English", "[Form]\nCaption=Title"}},
                   "German",
                   "Title"},
        LookupCase{"TwoQuotesAreFoundAndDecodeToNothing",
                   {{"German", kTemplateIs + "English\n[Form]\nCaption=\"\""},
                    {"English", "[Form]\nCaption=Title"}},
                   "German",
                   ""},
        LookupCase{"UnquotedBlankStartsANewLine",
                   {{"German", "[Form]\nCaption=Hallo Welt"}},
                   "German",
                   "Hallo\r\nWelt"},
        LookupCase{"QuotedItemsAreLines",
                   {{"German", "[Form]\nCaption=\"Zeile eins\",\"Zeile \"\"zwei\"\"\""}},
                   "German",
                   "Zeile eins\r\nZeile \"zwei\""},
        LookupCase{"TrailingEmptyItemKeepsOneLineBreak",
                   {{"German", "[Form]\nCaption=a,"}},
                   "German",
                   "a\r\n"},
        LookupCase{
            "SectionAndIdentIgnoreCase", {{"German", "[FORM]\ncaption=Titel"}}, "German", "Titel"},
        LookupCase{"DefaultNeverFollowsATemplate",
                   {{"Default", kTemplateIs + "German"}, {"German", "[Form]\nCaption=Titel"}},
                   "Default",
                   "built-in"},
        LookupCase{"EightBitFileIsReadInTheAnsiCodePage",
                   {{"German",
                     "[Form]\nCaption=Gr\xF6\xDF"
                     "e"}},
                   "German",
                   "Gr\xC3\xB6\xC3\x9F"
                   "e"},
        LookupCase{"ByteOrderMarkIsSkipped",
                   {{"German",
                     "\xEF\xBB\xBF[Form]\nCaption=Gr\xC3\xB6\xC3\x9F"
                     "e"}},
                   "German",
                   "Gr\xC3\xB6\xC3\x9F"
                   "e"}),
    [](const auto& info) { return info.param.name; });

TEST(LanguageFileTest, TemplateIsReadWhenTheLanguageChanges) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"German", kTemplateIs + "English"}, {"Swiss", kTemplateIs + "German"}});
    TLanguageFile file;
    EXPECT_EQ(file.Language(), "Default");
    EXPECT_EQ(file.Template(), "");
    file.SetLanguage("Swiss");
    EXPECT_EQ(file.Template(), "German");
    file.SetLanguage("German");
    EXPECT_EQ(file.Template(), "English");
    EXPECT_EQ(file.FileName(), JoinPath(folder.Folder(), "German.lng"));
}

TEST(LanguageFileTest, ReadRawGivesTheStoredValue) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", "[Form]\nCaption=\"Hallo Welt\""}});
    TLanguageFile file;
    file.SetLanguage("German");
    EXPECT_EQ(file.ReadRaw("Form", "Caption", "d"), "\"Hallo Welt\"");
    EXPECT_EQ(file.ReadRaw("Form", "Missing", "d"), "d");
}

// ---- writing -------------------------------------------------------------------

TEST(LanguageFileTest, WriteRewritesTheWholeFileAndKeepsAnExistingValue) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"Default", "; comment\n[Form]\nCaption=Old\n"}});
    TLanguageFile file;
    file.WriteText("Form", "Caption", "New");
    file.WriteText("Form", "Hint", "Two lines\r\nof \"hint\"");
    file.WriteText("Other", "Label1.Caption", "&Open");
    EXPECT_EQ(FileContent(NativePath(file.FileName())),
              "[Form]\r\nCaption=Old\r\nHint=\"Two lines\",\"of \"\"hint\"\"\"\r\n"
              "[Other]\r\nLabel1.Caption=&Open\r\n");
    EXPECT_EQ(file.ReadText("Form", "Hint", ""), "Two lines\r\nof \"hint\"");
}

TEST(LanguageFileTest, ErasedSectionLeavesTheFileUntilTheNextWrite) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"Default", "[Form]\nCaption=Old\n[Keep]\nA=1\n"}});
    TLanguageFile file;
    const std::string before = FileContent(NativePath(file.FileName()));
    file.EraseSection("Form");
    EXPECT_EQ(FileContent(NativePath(file.FileName())), before);
    EXPECT_EQ(file.ReadText("Form", "Caption", "gone"), "gone");
    file.WriteText("Form", "Caption", "New");
    EXPECT_EQ(FileContent(NativePath(file.FileName())),
              "[Form]\r\nCaption=New\r\n[Keep]\r\nA=1\r\n");
}

TEST(LanguageFileTest, TextsRoundTripThroughTheCommaForm) {
    for (const std::string text :
         {"plain", "two words", "a,b", "\"quoted\"", "line\r\nnext", " lead", "x\r\n\r\ny"}) {
        EXPECT_EQ(DecodeLanguageText(EncodeLanguageText(text)), text) << text;
    }
}

// ---- the cache -----------------------------------------------------------------

TEST(LanguageCacheTest, AFileIsReadOnceUntilTheCacheIsCleared) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", "[Form]\nCaption=Eins"}});
    TLanguageFile file;
    file.SetLanguage("German");
    EXPECT_EQ(file.ReadText("Form", "Caption", ""), "Eins");
    folder.Write("German", "[Form]\nCaption=Zwei");
    EXPECT_EQ(file.ReadText("Form", "Caption", ""), "Eins");
    ClearCache();
    EXPECT_EQ(file.ReadText("Form", "Caption", ""), "Zwei");
}

TEST(LanguageCacheTest, FileNamesDifferingInCaseShareOneEntry) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", "[Form]\nCaption=Eins"}});
    TLanguageFile upper;
    upper.SetLanguage("German");
    EXPECT_EQ(upper.ReadText("Form", "Caption", ""), "Eins");
    folder.Write("German", "[Form]\nCaption=Zwei");
    // Another spelling of the same file name finds the parsed file.
    TLanguageFile lower;
    lower.SetLanguage("GERMAN");
    EXPECT_EQ(lower.ReadText("Form", "Caption", "missing"), "Eins");
}

// ---- code texts ------------------------------------------------------------------

TEST(LocalizedStringTest, GivesTheDefaultWithoutAGlobalLocalizer) {
    const ScopedLanguageFolder folder(LanguageFiles{{"Default", "[Nimbra]\nTitleColumn=Other"}});
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");
    EXPECT_EQ(GetConstString("RichEdit_Copy", "&Copy"), "&Copy");
}

TEST(LocalizedStringTest, DefaultLanguageIgnoresItsFile) {
    const ScopedLanguageFolder folder(LanguageFiles{{"Default", "[Nimbra]\nTitleColumn=Other"}});
    TGlobalLocalizer global(nullptr);
    EXPECT_EQ(global.ActiveLanguage(), "Default");
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");
}

TEST(LocalizedStringTest, TheActiveLanguageAnswersWhatItHas) {
    ScopedLanguage german("German",
                          "[Nimbra]\nTitleColumn=Titel\nSeparator=\"\"\n"
                          "[String constants section]\nRichEdit_Copy=&Kopieren\n");
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Titel");
    EXPECT_EQ(GetLocalizedString(TCodeText{"Nimbra", "PathColumn", "Path"}), "Path");
    EXPECT_EQ(GetLocalizedString("Nimbra", "Separator", "- separator -"), "");
    EXPECT_EQ(GetConstString("RichEdit_Copy", "&Copy"), "&Kopieren");
}

TEST(LocalizedStringTest, TheLastGlobalLocalizerDecides) {
    ScopedLanguage german("German", "[S]\nI=Deutsch", {{"French", "[S]\nI=Francais"}});
    TGlobalLocalizer later(nullptr);
    later.SetActiveLanguage("French");
    EXPECT_EQ(GetLocalizedString("S", "I", "English"), "Francais");
}

TEST(LocalizedStringTest, ConstantEntryIsSectionIdentAndText) {
    EXPECT_EQ(ConstantEntry({"Nimbra", "PathColumn", "Path"}), "Nimbra.PathColumn=Path");
}

// ---- the language folder -------------------------------------------------------

TEST(LanguageFolderTest, ListsLanguageFilesOnly) {
    const ScopedLanguageFolder folder(LanguageFiles{{"German", ""}, {"French", ""}});
    std::filesystem::create_directory(std::filesystem::u8path(folder.Folder()) / "Folder.lng");
    std::ofstream(std::filesystem::u8path(folder.Folder()) / "notes.lngold") << "x";
    std::ofstream(std::filesystem::u8path(folder.Folder()) / "Upper.LNG") << "x";
    std::vector<std::string> names = ListLanguageFiles(folder.Folder());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Default", "French", "German", "Upper"}));
    EXPECT_TRUE(ListLanguageFiles(folder.Folder() + "/missing").empty());
}

TEST(LanguageFolderTest, IsTheProgramsFolderUnlessPointedElsewhere) {
    EXPECT_FALSE(ProgramFileName().empty());
    EXPECT_EQ(LanguageFolder(), ProgramFolder());
    EXPECT_TRUE(
        std::filesystem::is_directory(std::filesystem::u8path(NativePath(ProgramFolder()))));
    {
        const ScopedLanguageFolder folder;
        EXPECT_EQ(LanguageFolder(), folder.Folder());
    }
    EXPECT_EQ(LanguageFolder(), ProgramFolder());
}

}  // namespace
}  // namespace nimbra
