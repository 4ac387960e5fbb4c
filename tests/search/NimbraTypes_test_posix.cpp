// Scanning behaviour that needs POSIX file-system features.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "search/FileBrowser.h"
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

// Permissions do not bind root: a test run as root reads as "nobody" while
// the object lives.
class ScopedUnprivileged {
  public:
    ScopedUnprivileged() : wasRoot_(geteuid() == 0) {
        if (wasRoot_)
            dropped_ = seteuid(kNobody) == 0;
    }
    ~ScopedUnprivileged() {
        if (dropped_)
            (void)seteuid(0);
    }
    ScopedUnprivileged(const ScopedUnprivileged&) = delete;
    ScopedUnprivileged& operator=(const ScopedUnprivileged&) = delete;

    bool Bound() const { return !wasRoot_ || dropped_; }

  private:
    static constexpr uid_t kNobody = 65534;
    bool wasRoot_;
    bool dropped_ = false;
};

TEST(CatalogueScanPosixTest, AnUnreadableFolderContributesNothingBelowIt) {
    TempDir dir;
    dir.MakeFile("locked/secret.txt");
    dir.MakeFile("open/visible.txt");
    ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
    ASSERT_EQ(chmod((dir.Path() / "locked").c_str(), 0), 0);
    TProgramMenuItems items{nullptr};
    {
        const ScopedUnprivileged user;
        if (!user.Bound())
            GTEST_SKIP() << "permissions do not bind root, and it cannot act as another user";
        items.ScanRoot(PathText(dir.Path()), "R");
    }
    ASSERT_EQ(chmod((dir.Path() / "locked").c_str(), 0755), 0);
    EXPECT_EQ(Outline(items, 1),
              (std::vector<std::string>{"  locked/", "  open/", "    visible.txt"}));
}

// A folder removed while it is listed (an uninstaller at work): the listing
// ends without error after at most the entries it had.
TEST(CatalogueScanPosixTest, AFolderRemovedWhileListedEndsItsListing) {
    TempDir dir;
    for (int i = 0; i < 50; ++i)
        dir.MakeFile("going/f" + std::to_string(i) + ".txt");
    TFileBrowser browser;
    browser.SetPath(PathText(dir.Path() / "going"));
    ASSERT_TRUE(browser.Next());
    std::filesystem::remove_all(dir.Path() / "going");
    int more = 0;
    while (browser.Next() && more <= 50)
        ++more;
    EXPECT_LT(more, 50);
    EXPECT_FALSE(browser.Next());
}

// A root that is gone, or is a file where a folder was: listed alone, with
// the zero date when its own time cannot be read.
TEST(CatalogueScanPosixTest, ARootThatIsGoneOrAFileIsListedAlone) {
    TempDir dir;
    const std::string file = PathText(dir.MakeFile("was-a-folder", "x"));
    for (const std::string& root : {PathText(dir.Path() / "gone"), file}) {
        TProgramMenuItems items{nullptr};
        items.ScanRoot(root, "R");
        ASSERT_EQ(items.Count(), 1) << root;
        EXPECT_TRUE(items.Items(0).IsFolder());
    }
}

}  // namespace
}  // namespace nimbra
