#include "utils/FastIniUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "base/OsError.h"
#include "support/FileContent.h"
#include "support/TestFolders.h"
#include "utils/FileUtils.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::PathText;
using testing_support::TempDir;

std::vector<std::string> Sections(TFastIniFile& ini) {
    TStringList list;
    ini.ReadSections(list);
    return list.ToVector();
}

std::unique_ptr<TFastIniFile> Parsed(std::string_view text) {
    auto ini = std::make_unique<TFastIniFile>("");
    ini->SetText(text);
    return ini;
}

struct ParseCase {
    const char* name;
    std::string input;
    std::string written;
};

class FastIniParseTest : public testing::TestWithParam<ParseCase> {};

TEST_P(FastIniParseTest, LoadsAndRendersTheFile) {
    EXPECT_EQ(Parsed(GetParam().input)->GetText(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FastIniParseTest,
    testing::Values(
        ParseCase{"CommentsAndBlankLinesAreDropped", "; top\r\n\r\n[S]\r\n;c=1\r\na=1\r\n\r\n",
                  "[S]\r\na=1\r\n"},
        ParseCase{"SectionsAndKeysAreSortedIgnoringCase", "[b]\nz=1\nA=2\n[A]\nk=v\n",
                  "[A]\r\nk=v\r\n[b]\r\nA=2\r\nz=1\r\n"},
        ParseCase{"FirstOfKeysDifferingInCaseWins", "[S]\nKey=1\nkey=2\nKEY=3\n",
                  "[S]\r\nKey=1\r\n"},
        ParseCase{"RepeatedHeaderLosesItsKeys", "[S]\na=1\n[T]\nt=1\n[s]\nb=2\na=3\n",
                  "[S]\r\na=1\r\n[T]\r\nt=1\r\n"},
        ParseCase{"KeysBeforeTheFirstHeaderAreIgnored", "x=1\nbare\n[S]\na=1", "[S]\r\na=1\r\n"},
        ParseCase{"BareWordBecomesKeyWithEmptyValue", "[S]\nsome word\n", "[S]\r\nsome word=\r\n"},
        ParseCase{"BlankBeforeBracketMakesAKeyLine", "[S]\n [T]\n", "[S]\r\n [T]=\r\n"},
        ParseCase{"BlankAfterBracketMakesAKeyLine", "[S]\n[U] \n", "[S]\r\n[U] =\r\n"},
        ParseCase{"EmptyBracketsNameASection", "[]\na=1\n", "[]\r\na=1\r\n"},
        ParseCase{"HeaderNameIsNotTrimmed", "[ S ]\na=1\n", "[ S ]\r\na=1\r\n"},
        ParseCase{"BlanksAroundNameAndValueGoInnerBlanksStay", "[S]\n  name \t=  a  b \t\n",
                  "[S]\r\nname=a  b\r\n"},
        ParseCase{"ValueKeepsLaterEqualSigns", "[S]\na = b=c\n", "[S]\r\na=b=c\r\n"},
        ParseCase{"OnlyColumnOneMakesAComment", "[S]\n ;x=1\n", "[S]\r\n;x=1\r\n"},
        ParseCase{"LinesEndAtCrLfOrCrLf", "[S]\ra=1\r\nb=2\nc=3\r\r\nd=4",
                  "[S]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n"},
        ParseCase{"SectionWithoutKeysIsNotWritten", "[Empty]\n[S]\na=1\n", "[S]\r\na=1\r\n"},
        ParseCase{"LoneBracketIsAKey", "[S]\n[\n", "[S]\r\n[=\r\n"},
        ParseCase{"EmptyText", "", ""}),
    [](const auto& info) { return info.param.name; });

TEST(FastIniFileTest, SectionsWithoutKeysAreStillListed) {
    const auto ini = Parsed("[Empty]\n[S]\na=1\n[]\n");
    EXPECT_EQ(Sections(*ini), (std::vector<std::string>{"", "Empty", "S"}));
}

TEST(FastIniFileTest, LookupsIgnoreCase) {
    const auto ini = Parsed("[Section]\nKey=value\n");
    EXPECT_EQ(ini->ReadString("SECTION", "key", "d"), "value");
    EXPECT_EQ(ini->ReadString("Section", "Other", "d"), "d");
    EXPECT_EQ(ini->ReadString("Missing", "Key", "d"), "d");
}

TEST(FastIniFileTest, EmptyValueIsNotTheDefault) {
    const auto ini = Parsed("[S]\nempty=\nbare\n");
    EXPECT_EQ(ini->ReadString("S", "empty", "default"), "");
    EXPECT_EQ(ini->ReadString("S", "bare", "default"), "");
}

TEST(FastIniFileTest, WriteStringNeverOverwrites) {
    const auto ini = Parsed("[S]\nkey=old\n");
    ini->WriteString("S", "KEY", "new");
    EXPECT_EQ(ini->ReadString("S", "key", ""), "old");
    ini->DeleteKey("S", "key");
    ini->WriteString("S", "key", "new");
    EXPECT_EQ(ini->ReadString("S", "key", ""), "new");
    EXPECT_EQ(ini->GetText(), "[S]\r\nkey=new\r\n");
}

TEST(FastIniFileTest, IdentWithEqualSignSplitsAtIt) {
    TFastIniFile ini("");
    ini.WriteString("S", "a=b", "c");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "b=c");
    EXPECT_EQ(ini.ReadString("S", "a=b", "none"), "none");
}

TEST(FastIniFileTest, DeleteKeyOfTheLastKeyErasesTheSection) {
    const auto ini = Parsed("[A]\nx=1\n[S]\nonly=1\n");
    ini->DeleteKey("S", "ONLY");
    EXPECT_EQ(Sections(*ini), (std::vector<std::string>{"A"}));
    ini->DeleteKey("S", "only");     // unknown section
    ini->DeleteKey("A", "missing");  // unknown key
    EXPECT_EQ(ini->GetText(), "[A]\r\nx=1\r\n");
}

TEST(FastIniFileTest, EraseSectionRemovesEverythingInIt) {
    const auto ini = Parsed("[A]\nx=1\n[B]\ny=2\n");
    ini->EraseSection("a");
    ini->EraseSection("missing");
    EXPECT_EQ(ini->GetText(), "[B]\r\ny=2\r\n");
    EXPECT_EQ(ini->ReadString("A", "x", "gone"), "gone");
}

TEST(FastIniFileTest, ReadSectionAndValuesReplaceTheListInSortedOrder) {
    const auto ini = Parsed("[S]\nb=2\na=1\nC=3\n");
    TStringList list({"stale"});
    ini->ReadSection("S", list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a", "b", "C"}));
    ini->ReadSectionValues("s", list);
    EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"a=1", "b=2", "C=3"}));
    ini->ReadSection("Missing", list);
    EXPECT_EQ(list.Count(), 0);
    list.Add("stale");
    ini->ReadSectionValues("Missing", list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(FastIniFileTest, ExistenceChecks) {
    const auto ini = Parsed("[S]\nkey=\n[Empty]\n");
    EXPECT_TRUE(ini->SectionExists("s"));
    EXPECT_FALSE(ini->SectionExists("Empty"));
    EXPECT_TRUE(ini->ValueExists("S", "KEY"));
    EXPECT_FALSE(ini->ValueExists("S", "other"));
}

struct IntegerCase {
    const char* name;
    const char* text;
    int expected;
};

class FastIniIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(FastIniIntegerTest, ReadsDecimalOrHexOrTheDefault) {
    TFastIniFile ini("");
    ini.WriteString("S", "n", GetParam().text);
    EXPECT_EQ(ini.ReadInteger("S", "n", -7), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FastIniIntegerTest,
    testing::Values(IntegerCase{"Decimal", "42", 42}, IntegerCase{"Negative", "-42", -42},
                    IntegerCase{"Hex", "0x1F", 31}, IntegerCase{"HexUpperX", "0X10", 16},
                    IntegerCase{"Word", "abc", -7}, IntegerCase{"Empty", "", -7},
                    IntegerCase{"TrailingText", "12abc", -7},
                    IntegerCase{"TooLarge", "99999999999", -7}),
    [](const auto& info) { return info.param.name; });

TEST(FastIniFileTest, TypedValuesRoundTripThroughText) {
    TFastIniFile ini("");
    ini.WriteInteger("S", "int", -12);
    ini.WriteBool("S", "yes", true);
    ini.WriteBool("S", "no", false);
    ini.WriteFloat("S", "float", 2.5);
    ini.WriteDate("S", "date", EncodeDate(2024, 2, 29));
    ini.WriteTime("S", "time", EncodeTime(13, 5, 7, 0));
    ini.WriteDateTime("S", "stamp", EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58, 0));
    ini.WriteBinaryStream("S", "bytes", {0x00, 0xAB, 0x7F});

    EXPECT_EQ(ini.ReadString("S", "yes", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "no", ""), "0");
    EXPECT_EQ(ini.ReadInteger("S", "int", 0), -12);
    EXPECT_TRUE(ini.ReadBool("S", "yes", false));
    EXPECT_FALSE(ini.ReadBool("S", "no", true));
    EXPECT_TRUE(ini.ReadBool("S", "missing", true));
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "float", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadDate("S", "date", 0), EncodeDate(2024, 2, 29));
    EXPECT_NEAR(ini.ReadTime("S", "time", 0), EncodeTime(13, 5, 7, 0), 1e-9);
    EXPECT_NEAR(ini.ReadDateTime("S", "stamp", 0),
                EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58, 0), 1e-8);
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(ini.ReadBinaryStream("S", "bytes", bytes), 3);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0x00, 0xAB, 0x7F}));
}

TEST(FastIniFileTest, UnreadableTypedValuesGiveTheDefault) {
    const auto ini = Parsed("[S]\nf=1.2.3\nd=31/31/31\nt=25:99\n");
    EXPECT_EQ(ini->ReadFloat("S", "f", 9.5), 9.5);
    EXPECT_EQ(ini->ReadDate("S", "d", 3.0), 3.0);
    EXPECT_EQ(ini->ReadTime("S", "t", 0.25), 0.25);
    EXPECT_EQ(ini->ReadDateTime("S", "missing", 4.0), 4.0);
}

// ---- the file on disk --------------------------------------------------------

TEST(FastIniFileTest, MissingFileGivesAnEmptyStoreAndUpdateFileCreatesIt) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "new.lng");
    TFastIniFile ini(file);
    EXPECT_TRUE(Sections(ini).empty());
    ini.WriteString("Zeta", "b", "2");
    ini.WriteString("alpha", "a", "1");
    ini.UpdateFile();
    EXPECT_EQ(FileContent(file), "[alpha]\r\na=1\r\n[Zeta]\r\nb=2\r\n");
}

TEST(FastIniFileTest, NewKeyInNewSectionLandsAtItsSortedPlace) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "lang.lng");
    WriteFileReplacing(file, "; translated by hand\n[B]\nkey=b\n\n[D]\nkey=d\n");
    TFastIniFile ini(file);
    ini.WriteString("C", "new", "text");
    ini.WriteString("B", "a", "first");
    ini.UpdateFile();
    EXPECT_EQ(FileContent(file), "[B]\r\na=first\r\nkey=b\r\n[C]\r\nnew=text\r\n[D]\r\nkey=d\r\n");
}

TEST(FastIniFileTest, TheFileIsReadOnceOnly) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "once.ini");
    WriteFileReplacing(file, "[S]\na=1\n");
    TFastIniFile ini(file);
    WriteFileReplacing(file, "[S]\na=2\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
}

TEST(FastIniFileTest, DestructionDoesNotSave) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "nosave.ini");
    WriteFileReplacing(file, "[S]\na=1\n");
    {
        TFastIniFile ini(file);
        ini.WriteString("S", "b", "2");
    }
    EXPECT_EQ(FileContent(file), "[S]\na=1\n");
}

TEST(FastIniFileTest, EmptyFileNameReadsAndWritesNothing) {
    TFastIniFile ini("");
    ini.WriteString("S", "a", "1");
    EXPECT_NO_THROW(ini.UpdateFile());
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
}

TEST(FastIniFileTest, UpdateFileLeavesNoTemporaryFileBehind) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "clean.ini");
    TFastIniFile ini(file);
    ini.WriteString("S", "a", "1");
    ini.UpdateFile();
    ini.UpdateFile();
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_EQ(entry.path().filename().string(), "clean.ini");
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(FastIniFileTest, FailedWriteRaisesWithTheCallAndLeavesNothingBehind) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "missing-folder/x.ini");
    TFastIniFile ini(file);
    ini.WriteString("S", "a", "1");
    try {
        ini.UpdateFile();
        FAIL() << "UpdateFile into a missing folder must fail";
    } catch (const EOSError& e) {
        EXPECT_NE(std::string(e.what()).find("failed"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(FastIniFileTest, ReadsUtf8WithByteOrderMarkAndAnsiText) {
    TempDir dir;
    const std::string utf8 = PathText(dir.Path() / "utf8.lng");
    WriteFileReplacing(utf8,
                       "\xEF\xBB\xBF[S]\nname=Gr\xC3\xBC\xC3\x9F"
                       "e\n");
    EXPECT_EQ(TFastIniFile(utf8).ReadString("S", "name", ""),
              "Gr\xC3\xBC\xC3\x9F"
              "e");
    const std::string ansi = PathText(dir.Path() / "ansi.lng");
    WriteFileReplacing(ansi, "[S]\nname=caf\xE9\n");
    EXPECT_EQ(TFastIniFile(ansi).ReadString("S", "name", ""), "caf\xC3\xA9");
}

TEST(FastIniFileTest, ManyKeysStaySortedAndReachable) {
    TFastIniFile ini("");
    for (int i = 999; i >= 0; --i)
        ini.WriteString("S", "key" + std::to_string(i), std::to_string(i));
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(ini.ReadString("S", "KEY" + std::to_string(i), ""), std::to_string(i));
    TStringList keys;
    ini.ReadSection("S", keys);
    ASSERT_EQ(keys.Count(), 1000);
    EXPECT_EQ(keys.Strings(0), "key0");
    EXPECT_EQ(keys.Strings(1), "key1");
    EXPECT_EQ(keys.Strings(2), "key10");
}

TEST(MemIniFileTest, WriteStringReplacesAndUpdateFileWritesTheStore) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "mem.ini");
    WriteFileReplacing(file, "[S]\na=1\n");
    TMemIniFile ini(file);
    ini.WriteString("S", "A", "2");
    ini.WriteString("S", "b=x", "y");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "2");
    ini.UpdateFile();
    EXPECT_EQ(FileContent(file), "[S]\r\na=2\r\nb=x=y\r\n");
}

}  // namespace
}  // namespace nimbra
