// The inotify watches of a subtree, driven by hand: every file-system call
// below has queued its events when it returns, so nothing here waits.
#include "shell/WatchTree_posix.h"

#include <sys/eventfd.h>
#include <sys/inotify.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "base/Handles_posix.h"
#include "support/TestFolders.h"

namespace nimbra {
namespace {

namespace fs = std::filesystem;
using testing_support::PathText;
using testing_support::TempDir;

constexpr std::uint32_t kNames = 0x003;  // file and folder names

class WatchTreeTest : public testing::Test {
  protected:
    TWatchTree& Tree(bool subtree = true) {
        tree_.emplace(inotify_.Get(), WatchMask(kNames, subtree), subtree, stop_.Get());
        return *tree_;
    }
    // Reads what the calls so far have queued; true for a wanted change.
    bool Changed() {
        bool rootGone = false;
        return tree_->ReadBatch(kNames, rootGone);
    }
    void Stop() {
        const std::uint64_t one = 1;
        ASSERT_EQ(write(stop_.Get(), &one, sizeof one), static_cast<ssize_t>(sizeof one));
    }

    TempDir temp;

  private:
    TFd inotify_{inotify_init1(IN_NONBLOCK | IN_CLOEXEC)};
    TFd stop_{eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)};
    std::optional<TWatchTree> tree_;
};

TEST_F(WatchTreeTest, ARenamedSubfolderKeepsBeingWatchedUnderItsNewName) {
    fs::create_directories(temp.Path() / "old" / "inner");
    TWatchTree& tree = Tree();
    ASSERT_TRUE(tree.AddRoot(PathText(temp.Path())));
    ASSERT_EQ(tree.WatchCount(), 3u);

    fs::rename(temp.Path() / "old", temp.Path() / "new");
    EXPECT_TRUE(Changed());
    fs::create_directory(temp.Path() / "new" / "inner" / "made-later");
    EXPECT_TRUE(Changed());
    EXPECT_EQ(tree.WatchCount(), 4u) << "a folder made inside the renamed one is watched";
    std::ofstream(temp.Path() / "new" / "inner" / "made-later" / "file.txt") << "x";
    EXPECT_TRUE(Changed());
}

// The root is followed where a link leads; links below it are not.
TEST_F(WatchTreeTest, OnlyALinkAtTheRootIsFollowed) {
    TempDir outside;
    fs::create_directories(temp.Path() / "real" / "sub");
    fs::create_directory_symlink(temp.Path() / "real", temp.Path() / "link");
    fs::create_directory_symlink(outside.Path(), temp.Path() / "real" / "out");
    TWatchTree& tree = Tree();
    ASSERT_TRUE(tree.AddRoot(PathText(temp.Path() / "link")));
    EXPECT_EQ(tree.WatchCount(), 2u);
    std::ofstream(outside.Path() / "file.txt") << "x";
    EXPECT_FALSE(Changed());
    std::ofstream(temp.Path() / "real" / "sub" / "file.txt") << "x";
    EXPECT_TRUE(Changed());
}

// A stop asked for while the first walk runs must not wait for the whole
// tree: the walk looks at the stop event before every folder.
TEST_F(WatchTreeTest, AStopEndsTheWalkOverABigTree) {
    for (int i = 0; i < 20; ++i)
        for (int j = 0; j < 10; ++j)
            fs::create_directories(temp.Path() / std::to_string(i) / std::to_string(j));
    TWatchTree& whole = Tree();
    ASSERT_TRUE(whole.AddRoot(PathText(temp.Path())));
    EXPECT_EQ(whole.WatchCount(), 221u);
    Stop();
    TWatchTree& stopped = Tree();
    ASSERT_TRUE(stopped.AddRoot(PathText(temp.Path())));
    EXPECT_EQ(stopped.WatchCount(), 1u) << "only the root, no walk";
}

TEST_F(WatchTreeTest, WithoutASubtreeOnlyTheRootIsWatched) {
    fs::create_directories(temp.Path() / "sub");
    TWatchTree& tree = Tree(false);
    ASSERT_TRUE(tree.AddRoot(PathText(temp.Path())));
    EXPECT_EQ(tree.WatchCount(), 1u);
    EXPECT_FALSE(tree.AddRoot(PathText(temp.Path() / "missing")));
}

}  // namespace
}  // namespace nimbra
