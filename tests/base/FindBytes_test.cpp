#include "base/FindBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace nimbra {
namespace {

std::ptrdiff_t Find(const std::string& hay, const std::string& needle) {
    const char* hit = FindBytes(hay.data(), hay.size(), needle.data(), needle.size());
    return hit == nullptr ? -1 : hit - hay.data();
}

TEST(FindBytesTest, EdgesOfTheBuffer) {
    EXPECT_EQ(Find("", ""), 0);
    EXPECT_EQ(Find("abc", ""), 0);
    EXPECT_EQ(Find("", "a"), -1);
    EXPECT_EQ(Find("ab", "abc"), -1);
    EXPECT_EQ(Find("abc", "abc"), 0);
    EXPECT_EQ(Find(std::string(40, 'x') + "END", "END"), 40);
    EXPECT_EQ(Find(std::string("A\0B", 3), std::string("\0B", 2)), 1);
    EXPECT_EQ(Find("aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "aab"), 27);
}

// Agrees with std::string::find on random text of a small alphabet, where
// first and last bytes agree often and every block and tail path is taken.
TEST(FindBytesTest, AgreesWithTheLibraryOnRandomText) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> letter(0, 3);
    std::uniform_int_distribution<int> length(0, 70);
    for (int round = 0; round < 3000; ++round) {
        std::string hay(static_cast<std::size_t>(length(rng)), 'a');
        for (char& c : hay)
            c = static_cast<char>('a' + letter(rng));
        std::string needle(static_cast<std::size_t>(1 + length(rng) % 6), 'a');
        for (char& c : needle)
            c = static_cast<char>('a' + letter(rng));
        const auto expected = hay.find(needle);
        EXPECT_EQ(Find(hay, needle),
                  expected == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(expected))
            << hay << " / " << needle;
    }
}

}  // namespace
}  // namespace nimbra
