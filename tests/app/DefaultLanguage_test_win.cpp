// The shipped default language file holds exactly the texts of the
// program: its windows, frames and data modules.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/ProgramWindows.h"
#include "base/Locale.h"
#include "base/StringList.h"
#include "help/CommonAppHelp.h"
#include "support/TestAppKey.h"
#include "support/TestFolders.h"
#include "utils/FastIniUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"
#include "utils/NimbraCfg.h"

namespace nimbra {
namespace {

using TTexts = std::map<std::string, std::string>;

// "SECTION.IDENT" -> text; case and order carry no meaning in the file.
TTexts Texts(const std::string& fileName) {
    TFastIniFile ini(NativePath(fileName));
    TTexts texts;
    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        TStringList values;
        ini.ReadSectionValues(sections.Strings(s), values);
        for (int v = 0; v < values.Count(); ++v)
            texts[AnsiUpperCase(sections.Strings(s) + "." + values.Names(v))] =
                values.ValueFromIndex(v);
    }
    return texts;
}

TEST(ShippedDefaultLanguageTest, HoldsEveryTextOfTheProgramsWindowsAndNoOther) {
    const testing_support::TestAppKey key;
    AppIni().SetAppKey(key.AppKey());
    TNimbraCfg configuration;
    const testing_support::TempDir dir;
    const std::string generated =
        GenerateDefaultLanguageFile(testing_support::PathText(dir.Path()), CreateProgramWindows);
    const TTexts program = Texts(generated);
    const TTexts shipped = Texts(JoinPath(ProgramFolder(), "Default.lng"));
    EXPECT_EQ(shipped, program) << "res/Default.lng is stale: run scripts/default-lng";
    // The windows' own texts are there, beside the code texts.
    EXPECT_EQ(program.at("NIMBRAAPP.NIMBRAFRAME1.LABEL1.CAPTION"),
              "\"&What do you want to find?\"");
    EXPECT_EQ(program.at("RECENTPERIODDIALOG.CAPTION"), "\"Custom period\"");
    AppIni().SetAppKey(std::string(kNimbraAppKey));
}

}  // namespace
}  // namespace nimbra
