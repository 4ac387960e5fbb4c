// The settings store against the platform's registry: the real registry on
// Windows (run under Wine), the in-memory registry elsewhere. Every test
// works below a key of its own that is deleted afterwards.
#include "utils/ConfigUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "support/FileContent.h"
#include "support/SampleEnum.h"
#include "support/TestAppKey.h"
#include "support/TestFolders.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/RegistryStore.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::PathText;
using testing_support::TempDir;
using testing_support::TestAppKey;

using testing_support::shDark;
using testing_support::shLight;
using testing_support::shMedium;
using testing_support::TShade;
using testing_support::TShades;

class AppIniTest : public testing::Test {
  protected:
    AppIniTest() { ini.SetAppKey(key.AppKey()); }

    // The raw store under the test key, to plant and inspect typed values.
    std::unique_ptr<TRegistryStore> Raw() const { return OpenRegistryStore(key.KeyPath()); }
    std::optional<TRegValue> RawValue(const std::string& section, const std::string& ident) {
        return Raw()->ReadValue(section, ident);
    }

    TestAppKey key;
    TAppIni ini;
};

TEST_F(AppIniTest, FreshProfileGivesDefaultsAndTheFirstWriteMakesTheSection) {
    EXPECT_EQ(ini.ReadString("Options", "Last language", "Default"), "Default");
    EXPECT_EQ(ini.ReadInteger("Options", "Count", 17), 17);
    EXPECT_TRUE(ini.ReadBool("Options", "Flag", true));
    EXPECT_FALSE(ini.SectionExists("Options"));
    EXPECT_FALSE(ini.ValueExists("Options", "Last language"));

    EXPECT_TRUE(ini.WriteString("Options", "Last language", "Deutsch"));
    EXPECT_TRUE(ini.SectionExists("Options"));
    EXPECT_TRUE(ini.ValueExists("options", "LAST LANGUAGE"));
    EXPECT_EQ(ini.ReadString("Options", "Last language", ""), "Deutsch");
}

TEST_F(AppIniTest, SectionsAreKeyPaths) {
    ini.WriteBool("Nimbra\\Options", "AutoScroll", false);
    EXPECT_TRUE(ini.SectionExists("Nimbra"));
    EXPECT_TRUE(Raw()->KeyExists("Nimbra\\Options"));
    EXPECT_EQ(Raw()->SubKeyNames("Nimbra"), (std::vector<std::string>{"Options"}));
    ini.WriteString("Nimbra\\Recent", "Period", "rpWeek");
    ini.EraseSection("Nimbra");
    EXPECT_FALSE(ini.SectionExists("Nimbra\\Options"));
    EXPECT_FALSE(ini.SectionExists("Nimbra"));
    EXPECT_EQ(ini.ReadString("Nimbra\\Recent", "Period", "none"), "none");
}

TEST_F(AppIniTest, IntegersAreDwordsUnlessAStringIsThereAndBooleansAreStrings) {
    ini.WriteInteger("S", "fresh", -5);
    EXPECT_EQ(RawValue("S", "fresh")->Type, TRegDataType::rdInteger);
    EXPECT_EQ(ini.ReadInteger("S", "fresh", 0), -5);
    ini.WriteString("S", "text", "not a number");
    ini.WriteInteger("S", "text", 42);
    EXPECT_EQ(RawValue("S", "text")->Type, TRegDataType::rdString);
    EXPECT_EQ(ini.ReadInteger("S", "text", 0), 42);
    ini.WriteBool("S", "on", true);
    EXPECT_EQ(RawValue("S", "on")->Type, TRegDataType::rdString);
    EXPECT_EQ(RawValue("S", "on")->Text, "1");
}

struct BoolCase {
    const char* name;
    std::function<void(TRegistryStore&)> plant;
    bool whenDefaultFalse;
    bool whenDefaultTrue;
};

class AppIniBoolTest : public AppIniTest, public testing::WithParamInterface<BoolCase> {};

TEST_P(AppIniBoolTest, ReadsStringsAndDwordsAlike) {
    GetParam().plant(*Raw());
    EXPECT_EQ(ini.ReadBool("S", "flag", false), GetParam().whenDefaultFalse);
    EXPECT_EQ(ini.ReadBool("S", "flag", true), GetParam().whenDefaultTrue);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppIniBoolTest,
    testing::Values(
        BoolCase{"StringZero", [](TRegistryStore& s) { s.WriteString("S", "flag", "0"); }, false,
                 false},
        BoolCase{"StringOne", [](TRegistryStore& s) { s.WriteString("S", "flag", "1"); }, true,
                 true},
        BoolCase{"DwordZero", [](TRegistryStore& s) { s.WriteInteger("S", "flag", 0); }, false,
                 false},
        BoolCase{"DwordOne", [](TRegistryStore& s) { s.WriteInteger("S", "flag", 1); }, true, true},
        BoolCase{"NonNumericString", [](TRegistryStore& s) { s.WriteString("S", "flag", "yes"); },
                 false, true},
        BoolCase{"Missing", [](TRegistryStore&) {}, false, true}),
    [](const auto& info) { return info.param.name; });

TEST_F(AppIniTest, ValuesOfTheWrongTypeReadAsTheDefault) {
    Raw()->WriteInteger("S", "number", 7);
    Raw()->WriteString("S", "text", "seven");
    EXPECT_EQ(ini.ReadString("S", "number", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("S", "text", 3), 3);
    EXPECT_EQ(ini.ReadInteger("S", "number", 3), 7);
}

TEST_F(AppIniTest, RaiseErrorsLetsTheStoreFailureThrough) {
    Raw()->WriteInteger("S", "number", 7);
    ini.RaiseErrors = true;
    EXPECT_THROW(ini.ReadString("S", "number", ""), ERegistryException);
}

TEST_F(AppIniTest, EnumerationsAreStoredByNameAndReadIgnoringCase) {
    EXPECT_TRUE(ini.WriteEnum("S", "shade", shDark));
    EXPECT_EQ(ini.ReadString("S", "shade", ""), "shDark");
    EXPECT_EQ(ini.ReadEnum("S", "shade", shLight), shDark);
    ini.WriteString("S", "upper", "SHMEDIUM");
    EXPECT_EQ(ini.ReadEnum("S", "upper", shLight), shMedium);
    ini.WriteString("S", "unknown", "shPurple");
    EXPECT_EQ(ini.ReadEnum("S", "unknown", shMedium), shMedium);
    ini.WriteString("S", "empty", "");
    EXPECT_EQ(ini.ReadEnum("S", "empty", shDark), shDark);
    ini.WriteEnum("S", "bool", BooleanTypeInfo(), 1);
    EXPECT_EQ(ini.ReadString("S", "bool", ""), "True");
}

struct OrdinalCase {
    const char* name;
    int stored;
    int expected;
};

class AppIniOrdinalTest : public AppIniTest, public testing::WithParamInterface<OrdinalCase> {};

TEST_P(AppIniOrdinalTest, KeepsOnlyValuesInTheTypesRange) {
    ini.WriteOrdinal("S", "byte", GetParam().stored);
    EXPECT_EQ(ini.ReadOrdinal("S", "byte", 99, detail::TypeInfoOf<unsigned char>()),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, AppIniOrdinalTest,
                         testing::Values(OrdinalCase{"Low", 0, 0}, OrdinalCase{"High", 255, 255},
                                         OrdinalCase{"Above", 256, 99},
                                         OrdinalCase{"Negative", -1, 99}),
                         [](const auto& info) { return info.param.name; });

TEST_F(AppIniTest, ReadStringsAfterAShorterListReturnsOnlyTheShorterList) {
    ASSERT_TRUE(ini.WriteStrings("History", TStringList({"one", "two", "three"})));
    ASSERT_TRUE(ini.WriteStrings("History", TStringList({"new"})));
    EXPECT_TRUE(ini.ValueExists("History", "2"));  // the longer list's rest stays
    TStringList read({"stale"});
    ini.ReadStrings("History", read);
    EXPECT_EQ(read.ToVector(), (std::vector<std::string>{"new"}));
}

TEST_F(AppIniTest, ReadStringsSurvivesADamagedCount) {
    ini.WriteStrings("History", TStringList({"a", "b"}));
    ini.WriteInteger("History", "Count", 2000000000);
    TStringList read;
    ini.ReadStrings("History", read);
    EXPECT_LE(read.Count(), 3);
    EXPECT_EQ(read.Strings(0), "a");
    ini.WriteInteger("History", "Count", -4);
    ini.ReadStrings("History", read);
    EXPECT_EQ(read.Count(), 0);
}

TEST_F(AppIniTest, CommaTextKeepsLinesInOneValue) {
    ini.WriteCommaText("S", "list", "a b\r\nc\r\n\"q\"");
    EXPECT_EQ(ini.ReadString("S", "list", ""), "\"a b\",c,\"\"\"q\"\"\"");

    ini.WriteStringsCommaText("Lines", TStringList({"first\r\nsecond", "plain"}));
    TStringList read;
    ini.ReadStrings("Lines", read);
    ASSERT_EQ(read.Count(), 2);
    TStringList item;
    item.SetCommaText(read.Strings(0));
    EXPECT_EQ(item.ToVector(), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(read.Strings(1), "plain");
}

TEST_F(AppIniTest, TextInAnyScriptSurvives) {
    const std::string section =
        "Spr\xC3\xA4"
        "che";
    const std::string value = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
    ini.WriteString(section, "Gr\xC3\xBC\xC3\x9F", value);
    EXPECT_EQ(ini.ReadString(section, "Gr\xC3\xBC\xC3\x9F", ""), value);
}

TEST(AppIniOpenTest, WithoutKeyOrFileNothingIsReadOrWritten) {
    TAppIni ini;
    EXPECT_EQ(ini.ReadString("S", "a", "default"), "default");
    EXPECT_FALSE(ini.WriteString("S", "a", "1"));
    EXPECT_FALSE(ini.HasAppKey());
    TStringList list({"stale"});
    ini.ReadStrings("S", list);
    EXPECT_EQ(list.Count(), 0);
    ini.RaiseOpenErrors = true;
    try {
        ini.ReadString("S", "a", "");
        FAIL() << "opening without a key must raise";
    } catch (const EAppIniError& e) {
        EXPECT_STREQ(e.what(), "No application key specified");
    }
}

TEST(AppIniOpenTest, ChangingTheKeyClosesAndWritesTheOpenStore) {
    TempDir dir;
    TestAppKey key;
    const std::string file = PathText(dir.Path() / "settings.ini");
    TAppIni ini;
    ini.UseMemIni = true;
    ini.SetFileName(file);
    ini.WriteString("S", "a", "1");
    EXPECT_EQ(FileContent(file), "<missing>");  // buffered until closed
    ini.SetAppKey(key.AppKey());
    EXPECT_EQ(FileContent(file), "[S]\r\na=1\r\n");
    EXPECT_TRUE(ini.HasAppKey());
    EXPECT_EQ(ini.ReadString("S", "a", "none"), "none");  // now the registry
    ini.WriteString("S", "a", "2");
    EXPECT_EQ(FileContent(file), "[S]\r\na=1\r\n");
}

TEST(AppIniFileTest, TheDirectFileStoreReachesTheFileAtOnce) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "direct.ini");
    TAppIni writer;
    TAppIni reader;
    writer.SetFileName(file);
    reader.SetFileName(file);
    writer.WriteString("Help", "Topic", "first");
    EXPECT_EQ(reader.ReadString("Help", "Topic", ""), "first");
    writer.WriteString("Help", "Topic", "second");
    EXPECT_EQ(reader.ReadString("Help", "topic", ""), "second");
    EXPECT_TRUE(reader.SectionExists("Help"));
    writer.DeleteKey("Help", "Topic");
    EXPECT_FALSE(reader.ValueExists("Help", "Topic"));
}

TEST(AppIniFileTest, LongValuesComeBackWhole) {
    TempDir dir;
    TAppIni ini;
    ini.SetFileName(PathText(dir.Path() / "long.ini"));
    const std::string value(65535, 'x');
    ini.WriteString("S", "long", value);
    EXPECT_EQ(ini.ReadString("S", "long", ""), value);
}

// The portable mode: the global store follows the file beside the program
// and goes back to the registry without it; what is written lands in the
// file only.
TEST(PortableModeTest, AFileBesideTheProgramTakesTheSettingsFromTheRegistry) {
    TempDir dir;
    const std::string folder = PathText(dir.Path());
    const std::string previousKey = AppIni().AppKey();
    const std::string previousFile = AppIni().FileName();

    InitAppIni(folder);
    EXPECT_EQ(AppIni().AppKey(), kNimbraAppKey) << "no file, no portable mode";

    dir.MakeFile("Nimbra.ini");
    InitAppIni(folder);
    EXPECT_TRUE(AppIni().AppKey().empty());
    EXPECT_EQ(AppIni().FileName(), JoinPath(folder, "Nimbra.ini"));
    AppIni().WriteString("Config", "Portable", "yes");
    AppIni().Close();
    EXPECT_NE(testing_support::FileContent(AppIni().FileName()).find("Portable=yes"),
              std::string::npos);

    AppIni().SetFileName(previousFile);
    AppIni().SetAppKey(previousKey);
}

}  // namespace
}  // namespace nimbra
