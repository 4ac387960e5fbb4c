// Scanning behaviour that needs POSIX file-system features.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "search/NimbraTypes.h"
#include "support/CatalogueOutline.h"
#include "support/TestFolders.h"
#include "support/TimeZoneScope.h"
#include "utils/MiscUtils.h"

namespace nimbra {
namespace {

using testing_support::Outline;
using testing_support::PathText;
using testing_support::TempDir;
using testing_support::TimeZoneScope;

TEST(CatalogueScanPosixTest, ChangedIsTheFilesOwnTimeInLocalTime) {
    TimeZoneScope zone("CET-1CEST,M3.5.0,M10.5.0/3");
    TempDir dir;
    const auto file = dir.MakeFile("stamp.lnk");
    // 2021-07-15 12:00:00.250 UTC, a summer date: 14:00:00.250 local.
    const timespec times[2] = {{1626350400, 250000000}, {1626350400, 250000000}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(DecodeDateTime(items.Items(1).Changed()), (TDateParts{2021, 7, 15, 14, 0, 0, 250}));
}

TEST(CatalogueScanPosixTest, LinksAreListedAndACycleEnds) {
    TempDir dir;
    dir.MakeFile("a/file.txt");
    // a/loop points back at the root; a/b/up points at a; "dangling" at nothing.
    std::filesystem::create_directory_symlink(dir.Path(), dir.Path() / "a" / "loop");
    dir.MakeDir("a/b");
    std::filesystem::create_directory_symlink(dir.Path() / "a", dir.Path() / "a" / "b" / "up");
    std::filesystem::create_symlink(dir.Path() / "missing-target", dir.Path() / "dangling");
    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    // A broken link is a file; "up" and "loop" are listed, not entered.
    EXPECT_EQ(Outline(items, 1), (std::vector<std::string>{"  dangling", "  a/", "    file.txt",
                                                           "    b/", "      up/", "    loop/"}));
}

TEST(CatalogueScanPosixTest, AnUnreadableFolderContributesNothingBelowIt) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    dir.MakeFile("locked/secret.txt");
    dir.MakeFile("open/visible.txt");
    ASSERT_EQ(chmod((dir.Path() / "locked").c_str(), 0), 0);
    TProgramMenuItems items{nullptr};
    items.ScanRoot(PathText(dir.Path()), "R");
    EXPECT_EQ(Outline(items, 1),
              (std::vector<std::string>{"  locked/", "  open/", "    visible.txt"}));
}

}  // namespace
}  // namespace nimbra
