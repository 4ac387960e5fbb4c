#include "utils/FastIniUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>

#include "base/Locale.h"
#include "base/OsError.h"
#include "support/FileContent.h"
#include "support/TestFolders.h"
#include "utils/FileUtils.h"

namespace nimbra {
namespace {

using testing_support::FileContent;
using testing_support::PathText;
using testing_support::TempDir;

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

struct OperationCase {
    const char* name;
    std::string input;
    std::function<std::string(TFastIniFile&)> operation;  // what it reads
    std::string read;
    std::string written;  // the store afterwards, as UpdateFile writes it
};

class FastIniOperationTest : public testing::TestWithParam<OperationCase> {};

TEST_P(FastIniOperationTest, ReadsAndChangesTheStore) {
    const auto ini = Parsed(GetParam().input);
    EXPECT_EQ(GetParam().operation(*ini), GetParam().read);
    EXPECT_EQ(ini->GetText(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FastIniOperationTest,
    testing::Values(OperationCase{"LookupsIgnoreCase", "[Section]\nKey=value\n",
                                  [](TFastIniFile& ini) {
                                      return ini.ReadString("SECTION", "key", "d") + "," +
                                             ini.ReadString("Section", "Other", "d") + "," +
                                             ini.ReadString("Missing", "Key", "d");
                                  },
                                  "value,d,d", "[Section]\r\nKey=value\r\n"},
                    OperationCase{"EmptyValueIsNotTheDefault", "[S]\nempty=\nbare\n",
                                  [](TFastIniFile& ini) {
                                      return ini.ReadString("S", "empty", "d") +
                                             ini.ReadString("S", "bare", "d");
                                  },
                                  "", "[S]\r\nbare=\r\nempty=\r\n"},
                    OperationCase{"WriteStringNeverOverwrites", "[S]\nkey=old\n",
                                  [](TFastIniFile& ini) {
                                      ini.WriteString("S", "KEY", "new");
                                      return ini.ReadString("S", "key", "");
                                  },
                                  "old", "[S]\r\nkey=old\r\n"},
                    OperationCase{"DeleteThenWriteReplaces", "[S]\nkey=old\n",
                                  [](TFastIniFile& ini) {
                                      ini.DeleteKey("S", "key");
                                      ini.WriteString("S", "key", "new");
                                      return ini.ReadString("S", "key", "");
                                  },
                                  "new", "[S]\r\nkey=new\r\n"},
                    OperationCase{"IdentWithAnEqualSignSplitsAtIt", "",
                                  [](TFastIniFile& ini) {
                                      ini.WriteString("S", "a=b", "c");
                                      return ini.ReadString("S", "a", "") + "|" +
                                             ini.ReadString("S", "a=b", "none");
                                  },
                                  "b=c|none", "[S]\r\na=b=c\r\n"},
                    OperationCase{"NewKeyInANewSectionAtItsSortedPlace", "[B]\nkey=b\n[D]\nkey=d\n",
                                  [](TFastIniFile& ini) {
                                      ini.WriteString("C", "new", "text");
                                      ini.WriteString("B", "a", "first");
                                      return std::string();
                                  },
                                  "",
                                  "[B]\r\na=first\r\nkey=b\r\n[C]\r\nnew=text\r\n[D]\r\nkey=d\r\n"},
                    OperationCase{"DeletingTheLastKeyErasesTheSection", "[A]\nx=1\n[S]\nonly=1\n",
                                  [](TFastIniFile& ini) {
                                      ini.DeleteKey("S", "ONLY");
                                      ini.DeleteKey("S", "only");     // unknown section
                                      ini.DeleteKey("A", "missing");  // unknown key
                                      TStringList sections;
                                      ini.ReadSections(sections);
                                      return sections.CommaText();
                                  },
                                  "A", "[A]\r\nx=1\r\n"},
                    OperationCase{"EraseSectionRemovesEverythingInIt", "[A]\nx=1\n[B]\ny=2\n",
                                  [](TFastIniFile& ini) {
                                      ini.EraseSection("a");
                                      ini.EraseSection("missing");
                                      return ini.ReadString("A", "x", "gone");
                                  },
                                  "gone", "[B]\r\ny=2\r\n"},
                    OperationCase{"SectionsWithoutKeysAreListed", "[Empty]\n[S]\na=1\n[]\n",
                                  [](TFastIniFile& ini) {
                                      TStringList sections;
                                      ini.ReadSections(sections);
                                      return sections.CommaText() + "|" +
                                             std::to_string(ini.SectionExists("Empty")) +
                                             std::to_string(ini.SectionExists("s"));
                                  },
                                  "\"\",Empty,S|01", "[S]\r\na=1\r\n"},
                    OperationCase{"ReadSectionAndValuesReplaceTheListSorted",
                                  "[S]\nb=2\na=1\nC=3\n",
                                  [](TFastIniFile& ini) {
                                      TStringList keys({"stale"});
                                      TStringList values({"stale"});
                                      TStringList none({"stale"});
                                      ini.ReadSection("S", keys);
                                      ini.ReadSectionValues("s", values);
                                      ini.ReadSectionValues("Missing", none);
                                      return keys.CommaText() + "|" + values.CommaText() + "|" +
                                             none.CommaText();
                                  },
                                  "a,b,C|a=1,b=2,C=3|", "[S]\r\na=1\r\nb=2\r\nC=3\r\n"},
                    OperationCase{"ValueExistsIgnoresCase", "[S]\nkey=\n",
                                  [](TFastIniFile& ini) {
                                      return std::to_string(ini.ValueExists("S", "KEY")) +
                                             std::to_string(ini.ValueExists("S", "other"));
                                  },
                                  "10", "[S]\r\nkey=\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(FastIniFileTest, ManyUnsortedKeysAreSortedOnceAndAllReachable) {
    std::vector<int> order(5000);
    for (int i = 0; i < 5000; ++i)
        order[static_cast<std::size_t>(i)] = (i * 761) % 5000;  // a permutation
    std::string text = "[S]\n";
    for (int i : order)
        text += "key" + std::to_string(i) + "=" + std::to_string(i) + "\nKEY" + std::to_string(i) +
                "=lost\n";
    const auto ini = Parsed(text);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(ini->ReadString("S", "Key" + std::to_string(i), ""), std::to_string(i));
    TStringList keys;
    ini->ReadSection("S", keys);
    ASSERT_EQ(keys.Count(), 5000);
    for (int i = 1; i < keys.Count(); ++i)
        ASSERT_LT(AnsiCompareText(keys.Strings(i - 1), keys.Strings(i)), 0);
}

TEST(FastIniFileTest, TypedValuesRoundTripThroughText) {
    TFastIniFile ini("");
    const TDateTime stamp = EncodeDate(2023, 12, 31) + EncodeTime(23, 59, 58, 0);
    ini.WriteBool("S", "yes", true);
    ini.WriteFloat("S", "float", 2.5);
    ini.WriteDateTime("S", "stamp", stamp);
    ini.WriteTime("S", "time", EncodeTime(13, 5, 7, 0));
    ini.WriteBinaryStream("S", "bytes", {0x00, 0xAB, 0x7F});
    EXPECT_EQ(ini.ReadString("S", "yes", ""), "1");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "float", 0), 2.5);
    EXPECT_NEAR(ini.ReadDateTime("S", "stamp", 0), stamp, 1e-8);
    EXPECT_NEAR(ini.ReadTime("S", "time", 0), EncodeTime(13, 5, 7, 0), 1e-9);
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

TEST(FastIniFileTest, TheFileIsReadOnceAndWrittenOnlyByUpdateFile) {
    TempDir dir;
    const std::string file = PathText(dir.Path() / "lang.lng");
    {
        TFastIniFile missing(file);
        missing.WriteString("S", "b", "2");
    }
    EXPECT_EQ(FileContent(file), "<missing>");  // destruction does not save
    WriteFileReplacing(file, "; translated by hand\n[S]\na=1\n");
    TFastIniFile ini(file);
    WriteFileReplacing(file, "[S]\na=changed\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
    ini.WriteString("S", "b", "2");
    ini.UpdateFile();
    ini.UpdateFile();
    EXPECT_EQ(FileContent(file), "[S]\r\na=1\r\nb=2\r\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(FastIniFileTest, EmptyFileNameReadsAndWritesNothing) {
    TFastIniFile ini("");
    ini.WriteString("S", "a", "1");
    EXPECT_NO_THROW(ini.UpdateFile());
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
}

TEST(FastIniFileTest, FailedWriteRaisesWithTheCallAndLeavesNothingBehind) {
    TempDir dir;
    TFastIniFile ini(PathText(dir.Path() / "missing-folder/x.ini"));
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
    WriteFileReplacing(utf8, "\xEF\xBB\xBF[S]\nname=Gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(TFastIniFile(utf8).ReadString("S", "name", ""), "Gr\xC3\xBC\xC3\x9F");
    const std::string ansi = PathText(dir.Path() / "ansi.lng");
    WriteFileReplacing(ansi, "[S]\nname=caf\xE9\n");
    EXPECT_EQ(TFastIniFile(ansi).ReadString("S", "name", ""), "caf\xC3\xA9");
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
