// Language files that are damaged, far too large, or rewritten while the
// program reads them: the program keeps every text it can find elsewhere,
// and neither hangs nor takes memory in proportion to the file.
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/AllocationLimit.h"
#include "support/ScopedLanguage.h"
#include "utils/MiscUtils.h"
#include "utils/NewLangUtils.h"

namespace nimbra {
namespace {

using testing_support::AllocationSizeLimit;
using testing_support::ScopedLanguageFolder;

// The language "Mine" holds one text of its own and takes the rest from
// the template "Broken", whose file is the case's bytes.
const std::string kMine = "[Template section]\r\nTemplate=Broken\r\n[Form]\r\nOwn=mine\r\n";

struct BrokenFileCase {
    const char* name;
    std::string head;     // the file's first bytes
    std::uintmax_t size;  // the file is padded with NULs to this size
};

void PrintTo(const BrokenFileCase& c, std::ostream* out) {
    *out << c.name;
}

class BrokenLanguageFileTest : public testing::TestWithParam<BrokenFileCase> {};

TEST_P(BrokenLanguageFileTest, KeepsTheOtherTextsWithinBoundedMemory) {
    const ScopedLanguageFolder folder({{"Mine", kMine}, {"Broken", GetParam().head}});
    const std::string broken = NativePath(JoinPath(folder.Folder(), "Broken.lng"));
    std::filesystem::resize_file(std::filesystem::path(broken), GetParam().size);
    ClearCache();

    TLanguageFile file;
    std::string own;
    std::string missing;
    {
        // Some tens of kilobytes make a language file; reading one must not
        // ask for a block of many megabytes.
        const AllocationSizeLimit limit(std::size_t{8} << 20);
        file.SetLanguage("Mine");
        own = file.ReadText("Form", "Own", "built-in own");
        missing = file.ReadText("Form", "Other", "built-in other");
        EXPECT_FALSE(limit.Reached()) << "a block in proportion to the file was asked for";
    }
    EXPECT_EQ(own, "mine");
    EXPECT_EQ(missing, "built-in other");
    ClearCache();
}

constexpr std::uintmax_t kMegabyte = 1 << 20;

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenLanguageFileTest,
    testing::Values(
        // A text the template would give, at the head of a 64 MB file.
        BrokenFileCase{"Huge", "[Form]\r\nOther=from a huge file\r\n", 64 * kMegabyte},
        BrokenFileCase{"JustOverTheLimit", "[Form]\r\nOther=x\r\n", 4 * kMegabyte + 1},
        BrokenFileCase{"NulBytes", std::string("[Fo\0rm]\r\nOt\0her=x", 16), 4096},
        BrokenFileCase{"UnclosedSectionLine", "[Form\r\nOther", 100},
        BrokenFileCase{"Utf16WithOddLength", std::string("\xFF\xFE[\0F\0", 6), 7},
        BrokenFileCase{"BinaryBytes", "\x89PNG\r\n\x1A\n\xFF\xD8[]=\r\r\n=", 3000}),
    [](const auto& info) { return info.param.name; });

// Another program rewrites the template file in place (cut to nothing,
// then written anew) while the language is looked up again and again: each
// lookup sees the file whole, cut short or empty, and gives a text either
// way.
TEST(LanguageFileRewrittenTest, EveryLookupWhileTheFileChangesGivesAText) {
    const ScopedLanguageFolder folder({{"Mine", kMine}, {"Broken", "[Form]\r\nOther=new\r\n"}});
    const std::string broken = NativePath(JoinPath(folder.Folder(), "Broken.lng"));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        const std::string text = "[Form]\r\nOther=new\r\n" + std::string(20000, ';') + "\r\n";
        while (!stop) {
            std::ofstream out(broken, std::ios::binary | std::ios::trunc);
            for (char c : text)
                out.put(c);
        }
    });
    int found = 0;
    for (int i = 0; i < 300; ++i) {
        ClearCache();
        TLanguageFile file;
        file.SetLanguage("Mine");
        EXPECT_EQ(file.ReadText("Form", "Own", "built-in"), "mine");
        const std::string other = file.ReadText("Form", "Other", "built-in");
        EXPECT_TRUE(other == "new" || other == "built-in") << other;
        found += other == "new";
    }
    stop = true;
    writer.join();
    ClearCache();
    RecordProperty("FoundWhileWritten", found);
}

}  // namespace
}  // namespace nimbra
