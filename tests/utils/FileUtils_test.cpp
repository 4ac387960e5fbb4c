#include "utils/FileUtils.h"

#include <gtest/gtest.h>

#include "support/TestFolders.h"

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
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(RemoveFile(file));
}

TEST(FileUtilsTest, ReadingStopsAtTheLimit) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile("data.bin", std::string("a\0b", 3)));
    EXPECT_EQ(ReadFileBytes(file, 3), std::string("a\0b", 3));
    EXPECT_THROW(ReadFileBytes(file, 2), EInOutError);
    EXPECT_THROW(ReadFileBytes(PathText(dir.Path() / "missing"), 10), EInOutError);
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
