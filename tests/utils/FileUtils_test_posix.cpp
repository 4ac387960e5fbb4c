// Every file the program writes, on a disk that cannot take it: a full
// tmpfs and a read-only one, mounted for real. The failure must be told
// (an exception or a False write) and the old file must stay whole.
#include <functional>

#include <gtest/gtest.h>

#include "help/CommonAppHelp.h"
#include "help/HelpUtilsEx.h"
#include "support/FileContent.h"
#include "support/ScopedTmpfs_posix.h"
#include "support/TestFolders.h"
#include "utils/ConfigUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::ScopedTmpfs;

constexpr char kOldContent[] = "[Keep]\r\nA=old\r\n";

// More than the 64 KB the disk holds.
std::string BigText() {
    return std::string(100 * 1024, 'x');
}

// Writes a big text into the file; true when the writer told of a failure.
using Writer = std::function<bool(const std::string& file)>;

bool Raises(const std::function<void()>& write) {
    try {
        write();
    } catch (const std::exception&) {
        return true;
    }
    return false;
}

struct WriterCase {
    const char* name;
    Writer write;
};

void PrintTo(const WriterCase& writer, std::ostream* out) {
    *out << writer.name;
}

const WriterCase kWriters[] = {
    {"ReplacingWrite",
     [](const std::string& file) { return Raises([&] { WriteFileReplacing(file, BigText()); }); }},
    {"LanguageFile",
     [](const std::string& file) {
         const bool raised = Raises([&] {
             const std::filesystem::path path(file);
             TLanguageFile language(PathText(path.parent_path()));
             language.SetLanguage(path.stem().string());
             language.WriteText("Texts", "Big", BigText());
         });
         ClearCache();
         return raised;
     }},
    {"HelpDump",
     [](const std::string& file) {
         return Raises([&] {
             THelpStore store;
             store.Merge(&store, {"[App]", BigText()});
             store.Dump(file);
         });
     }},
    {"PortableSettings",
     [](const std::string& file) {
         TAppIni ini;
         ini.SetFileName(file);
         return !ini.WriteString("Options", "Big", BigText());
     }},
};

enum class TDiskFault { dfFull, dfReadOnly };

class FileWriterFaultTest : public testing::TestWithParam<std::tuple<WriterCase, TDiskFault>> {};

TEST_P(FileWriterFaultTest, TellsAndLeavesTheOldFileWhole) {
    const auto& [writer, fault] = GetParam();
    ScopedTmpfs disk("64k");
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string file = PathText(disk.Path() / "Old.lng");
    WriteFileReplacing(file, kOldContent);
    if (fault == TDiskFault::dfReadOnly && !disk.MakeReadOnly())
        GTEST_SKIP() << disk.Reason();

    EXPECT_TRUE(writer.write(file)) << "the failure must be told";
    EXPECT_EQ(testing_support::FileContent(file), kOldContent);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(disk.Path()))
        ++entries;
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
}

INSTANTIATE_TEST_SUITE_P(Writers, FileWriterFaultTest,
                         testing::Combine(testing::ValuesIn(kWriters),
                                          testing::Values(TDiskFault::dfFull,
                                                          TDiskFault::dfReadOnly)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == TDiskFault::dfFull
                                         ? "OnAFullDisk"
                                         : "InAReadOnlyFolder");
                         });

TEST(FileWriteMessageTest, NamesTheFileThatCouldNotBeWritten) {
    ScopedTmpfs disk("64k");
    if (!disk.Mounted() || !disk.MakeReadOnly())
        GTEST_SKIP() << disk.Reason();
    const std::string file = PathText(disk.Path() / "Default.lng");
    try {
        WriteFileReplacing(file, "x");
        FAIL() << "a read-only folder took the file";
    } catch (const EOSError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot write \"" + file + "\""), std::string::npos)
            << e.what();
    }
}

// Default texts are generated into the program's folder; a read-only one
// gives a message naming the file and leaves the program's language folder
// as it was.
TEST(DefaultLanguageFaultTest, AReadOnlyFolderIsToldAndTheLanguageFolderComesBack) {
    ScopedTmpfs disk("1m");
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Reason();
    const std::string old = PathText(disk.Path() / "Default.lng");
    WriteFileReplacing(old, kOldContent);
    if (!disk.MakeReadOnly())
        GTEST_SKIP() << disk.Reason();
    const std::string folderBefore = LanguageFolder();
    try {
        GenerateDefaultLanguageFile(PathText(disk.Path()));
        FAIL() << "default texts were written into a read-only folder";
    } catch (const EOSError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot write \"" + PathText(disk.Path())),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(LanguageFolder(), folderBefore);
    EXPECT_EQ(testing_support::FileContent(old), kOldContent);
}

}  // namespace
}  // namespace nimbra
