#include "utils/FileUtils.h"

#include <gtest/gtest.h>

#include "support/TestFolders.h"
#include "utils/FastIniUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::PathText;
using testing_support::TempDir;

TEST(FileUtilsTest, FilesAndFoldersAreTold) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile("a.txt", "x"));
    const std::string folder = PathText(dir.MakeDir("sub"));
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DirectoryExists(""));
    EXPECT_FALSE(RemoveFile(folder)) << "an empty folder is no file";
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(RemoveFile(file));
}

TEST(FileUtilsTest, ReadingStopsAtTheLimit) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile("data.bin", std::string("a\0b", 3)));
    EXPECT_EQ(ReadFileBytes(file, 3), std::string("a\0b", 3));
    EXPECT_THROW(ReadFileBytes(file, 2), EFileTooLargeError);
    try {
        ReadFileBytes(PathText(dir.Path() / "missing"), 10);
        ADD_FAILURE() << "no exception";
    } catch (const EFileTooLargeError&) {
        ADD_FAILURE() << "a missing file is no large file";
    } catch (const EInOutError&) {
    }
}

// The program joins its paths with backslashes everywhere (JoinPath); every
// file helper, and the INI files built on them, must take them as they are.
TEST(FileUtilsTest, PathsJoinedWithBackslashesReachTheirFiles) {
    TempDir dir;
    dir.MakeFile("sub/lang.ini", "[Section]\r\nKey=value\r\n");
    const std::string folder = JoinPath(PathText(dir.Path()), "sub");
    const std::string file = JoinPath(folder, "lang.ini");
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_TRUE(FileExists(file));
    EXPECT_EQ(ReadFileBytes(file, 100), "[Section]\r\nKey=value\r\n");
    EXPECT_EQ(TMemIniFile(file).ReadString("Section", "Key", ""), "value");

    WriteFileReplacing(JoinPath(folder, "new.txt"), "written");
    EXPECT_EQ(ReadFileBytes(PathText(dir.Path() / "sub" / "new.txt"), 100), "written");
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(PathText(dir.Path() / "sub" / "lang.ini")));
}

struct NameCase {
    const char* path;
    const char* name;
    const char* withoutExt;
};

class FileNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, SplitsFolderAndExtension) {
    EXPECT_EQ(ExtractFileName(GetParam().path), GetParam().name);
    EXPECT_EQ(RemoveFileExt(GetParam().path), GetParam().withoutExt);
}

INSTANTIATE_TEST_SUITE_P(Table, FileNameTest,
                         testing::Values(NameCase{"C:\\a\\b.url", "b.url", "C:\\a\\b"},
                                         NameCase{"C:b.url", "b.url", "C:b"},
                                         NameCase{"/x/y.tar.gz", "y.tar.gz", "/x/y.tar"},
                                         NameCase{"C:\\dir.d\\file", "file", "C:\\dir.d\\file"},
                                         NameCase{"C:\\dir\\", "", "C:\\dir\\"},
                                         NameCase{".url", ".url", ""}, NameCase{"", "", ""}));

}  // namespace
}  // namespace nimbra
