#include "utils/NewLangUtils.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

class LocalizedStringTest : public testing::Test {
  protected:
    void TearDown() override { SetActiveTextLookup({}); }
};

TEST_F(LocalizedStringTest, GivesTheDefaultWhileNoLanguageIsActive) {
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");
    EXPECT_EQ(GetConstString("SOk", "OK"), "OK");
}

TEST_F(LocalizedStringTest, AnActiveLanguageAnswersWhatItHasAndDefaultsTheRest) {
    SetActiveTextLookup(
        [](std::string_view section, std::string_view ident) -> std::optional<std::string> {
            if (section == "Nimbra" && ident == "TitleColumn")
                return "Titel";
            if (section == kStringConstantsSection && ident == "SOk")
                return "Gut";
            return std::nullopt;
        });
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Titel");
    EXPECT_EQ(GetLocalizedString("Nimbra", "PathColumn", "Path"), "Path");
    EXPECT_EQ(GetConstString("SOk", "OK"), "Gut");
    SetActiveTextLookup({});
    EXPECT_EQ(GetLocalizedString("Nimbra", "TitleColumn", "Title"), "Title");
}

}  // namespace
}  // namespace nimbra
