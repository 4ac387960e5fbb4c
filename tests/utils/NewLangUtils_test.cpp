#include "utils/NewLangUtils.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/FileContent.h"
#include "support/ScopedLanguage.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::LanguageFiles;
using testing_support::ScopedLanguage;
using testing_support::ScopedLanguageFolder;

struct LookupCase {
    const char* name;
    LanguageFiles files;  // "A" is looked up
    std::string expected;
};

class LanguageLookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(LanguageLookupTest, FindsTheTextAlongTheTemplateChain) {
    const ScopedLanguageFolder folder(GetParam().files);
    TLanguageFile file;
    file.SetLanguage("A");
    EXPECT_EQ(file.ReadText("Form", "Caption", "built-in"), GetParam().expected);
}

const std::string kTo = "[Template section]\nTemplate=";

INSTANTIATE_TEST_SUITE_P(
    Chains, LanguageLookupTest,
    testing::Values(
        LookupCase{
            "OwnTextWins", {{"A", kTo + "B\n[Form]\nCaption=a"}, {"B", "[Form]\nCaption=b"}}, "a"},
        LookupCase{"NothingButATemplateShowsItsTexts",
                   {{"A", kTo + "B"}, {"B", "[Form]\nCaption=b"}},
                   "b"},
        LookupCase{"DeeperLevelsTakeEachFilesTemplate",
                   {{"A", kTo + "B"}, {"B", kTo + "C"}, {"C", "[Form]\nCaption=c"}},
                   "c"},
        LookupCase{"FilesNamingEachOtherEnd",
                   {{"A", kTo + "B\n[Form]\nX=1"}, {"B", kTo + "A"}},
                   "built-in"},
        LookupCase{
            "TemplateInsideAVisitedNameIsNotFollowed",
            {{"A", kTo + "English"}, {"English", kTo + "Eng"}, {"Eng", "[Form]\nCaption=no"}},
            "built-in"},
        LookupCase{"MissingTemplateFile", {{"A", kTo + "Klingon"}}, "built-in"},
        LookupCase{"EmptyValueCountsAsMissing",
                   {{"A", kTo + "B\n[Form]\nCaption="}, {"B", "[Form]\nCaption=b"}},
                   "b"},
        LookupCase{"TwoQuotesAreFoundAndDecodeToNothing",
                   {{"A", kTo + "B\n[Form]\nCaption=\"\""}, {"B", "[Form]\nCaption=b"}},
                   ""},
        LookupCase{
            "UnquotedBlankStartsANewLine", {{"A", "[Form]\nCaption=Hallo Welt"}}, "Hallo\r\nWelt"},
        LookupCase{"QuotedItemsAreLines",
                   {{"A", "[Form]\nCaption=\"x y\",\"a \"\"b\"\"\","}},
                   "x y\r\na \"b\"\r\n"},
        LookupCase{"NamesIgnoreCase", {{"A", "[FORM]\ncaption=a"}}, "a"},
        LookupCase{"DefaultFollowsNoTemplate",
                   {{"A", kTo + "Default"}, {"Default", kTo + "B"}, {"B", "[Form]\nCaption=b"}},
                   "built-in"},
        LookupCase{"EightBitFileIsInTheAnsiCodePage",
                   {{"A",
                     "[Form]\nCaption=Gr\xF6\xDF"
                     "e"}},
                   "Gr\xC3\xB6\xC3\x9F"
                   "e"},
        LookupCase{
            "ByteOrderMarkIsSkipped", {{"A", "\xEF\xBB\xBF[Form]\nCaption=\xC3\xB6"}}, "\xC3\xB6"}),
    [](const auto& info) { return info.param.name; });

TEST(LanguageFileTest, WritesTheWholeFileKeepingValuesAndErasesInMemoryOnly) {
    const ScopedLanguageFolder folder(
        LanguageFiles{{"Default", "; note\n[Form]\nCaption=Old\n[Gone]\nA=1"}});
    TLanguageFile file;
    const std::string name = NativePath(file.FileName());
    file.EraseSection("Gone");
    EXPECT_NE(FileContent(name).find("[Gone]"), std::string::npos);
    file.WriteText("Form", "Caption", "New");
    file.WriteText("Form", "Hint", "Two lines\r\nof \"hint\"");
    EXPECT_EQ(FileContent(name),
              "[Form]\r\nCaption=Old\r\nHint=\"Two lines\",\"of \"\"hint\"\"\"\r\n");
    EXPECT_EQ(file.ReadText("Form", "Hint", ""), "Two lines\r\nof \"hint\"");
}

TEST(LanguageFileTest, AFileIsParsedOnceUntilTheCacheIsCleared) {
    const ScopedLanguageFolder folder(LanguageFiles{{"A", "[Form]\nCaption=one"}});
    TLanguageFile file;
    file.SetLanguage("A");
    EXPECT_EQ(file.ReadText("Form", "Caption", ""), "one");
    folder.Write("A", "[Form]\nCaption=two");
    TLanguageFile otherSpelling;
    otherSpelling.SetLanguage("a");
    EXPECT_EQ(otherSpelling.ReadText("Form", "Caption", ""), "one");
    ClearCache();
    EXPECT_EQ(file.ReadText("Form", "Caption", ""), "two");
}

TEST(LocalizedStringTest, DefaultsUnlessAGlobalLanguageOtherThanDefaultHasTheText) {
    const ScopedLanguageFolder folder(LanguageFiles{{"Default", "[Nimbra]\nTitleColumn=Other"}});
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");
    TGlobalLocalizer global(nullptr);
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");

    ScopedLanguage german("German",
                          "[Nimbra]\nTitleColumn=Titel\nSeparator=\"\"\n"
                          "[String constants section]\nRichEdit_Copy=&Kopieren\n");
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Titel");
    EXPECT_EQ(GetLocalizedString(TCodeText{"Nimbra", "PathColumn", "Path"}), "Path");
    EXPECT_EQ(GetLocalizedString("Nimbra", "Separator", "- separator -"), "");
    EXPECT_EQ(GetConstString("RichEdit_Copy", "&Copy"), "&Kopieren");
}

TEST(LanguageFolderTest, ListsLanguageFilesOnly) {
    const testing_support::TempDir dir;
    for (const char* file : {"German.lng", "Upper.LNG", "notes.lngold", "Folder.lng/x"})
        dir.MakeFile(file);
    std::vector<std::string> names = ListLanguageFiles(testing_support::PathText(dir.Path()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"German", "Upper"}));
    EXPECT_TRUE(ListLanguageFiles(testing_support::PathText(dir.Path() / "missing")).empty());
}

}  // namespace
}  // namespace nimbra
