#include "search/MatchSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/Locale.h"
#include "search/ItemsView.h"
#include "search/NimbraTypes.h"

namespace nimbra {
namespace {

TMatchRequest R(std::vector<std::string> words, bool dateFilter = false, TDateTime boundary = 0) {
    return TMatchRequest{std::move(words), dateFilter, boundary};
}

// Where a request starts: a full pass, or a kept set (named by its one
// entry) taken as it is or with what its entries must still be tested for.
std::string StartOf(TMatchSets& sets, const TMatchRequest& request) {
    const TMatchSets::TStart start = sets.Start(request);
    if (start.Candidates == nullptr)
        return "full pass";
    std::string text = "from " + std::to_string(start.Candidates->front());
    for (std::string_view word : start.Words)
        text += " test " + std::string(word);
    return text + (start.TestDate ? " test date" : "") + (start.Exact() ? " as it is" : "");
}

struct StartCase {
    const char* name;
    std::vector<TMatchRequest> typed;  // each kept with its position as its one match
    TMatchRequest request;
    const char* start;
};

class MatchSetsStartTest : public testing::TestWithParam<StartCase> {};

TEST_P(MatchSetsStartTest, NarrowsOnlyASetHoldingEveryMatch) {
    TMatchSets sets;
    std::uint32_t set = 0;
    for (const TMatchRequest& typed : GetParam().typed) {
        sets.Start(typed);
        sets.Keep(typed, {set++}, 100);
    }
    EXPECT_EQ(StartOf(sets, GetParam().request), GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MatchSetsStartTest,
    testing::Values(
        StartCase{"OneMoreLetter", {R({"QU"})}, R({"QUA"}), "from 0 test QUA"},
        StartCase{"SameWords", {R({"QU"})}, R({"QU"}), "from 0 as it is"},
        StartCase{"AnotherWord", {R({"QU"})}, R({"QU", "X"}), "from 0 test X"},
        StartCase{"WordsJoined", {R({"AB", "CD"})}, R({"ABCD"}), "from 0 test ABCD"},
        StartCase{"WordInsideAKeptOne", {R({"QUA"})}, R({"U", "QUA"}), "from 0 as it is"},
        StartCase{"Backspace", {R({"Q"}), R({"QU"}), R({"QUA"})}, R({"QU"}), "from 1 as it is"},
        StartCase{"BackspacePastTheKept", {R({"QU"})}, R({"Q"}), "full pass"},
        StartCase{"DateTurnedOn", {R({"QU"})}, R({"QU"}, true, 5), "from 0 test date"},
        StartCase{"DateTurnedOff", {R({"QU"}, true, 5)}, R({"QU"}), "full pass"},
        StartCase{"DateOffAgain", {R({"QU"}), R({"QU"}, true, 5)}, R({"QU"}), "from 0 as it is"},
        StartCase{"LaterBoundary", {R({"QU"}, true, 5)}, R({"QU"}, true, 6), "from 0 test date"},
        StartCase{"EarlierBoundary", {R({"QU"}, true, 5)}, R({"QU"}, true, 4), "full pass"}),
    [](const auto& info) { return info.param.name; });

TEST(MatchSetsTest, KeepsAFewSmallSetsOnly) {
    const std::size_t limit = TMatchSets::MaxKept(10'000);
    TMatchSets large;
    large.Keep(R({"A"}), std::vector<std::uint32_t>(limit + 1), 10'000);
    EXPECT_EQ(StartOf(large, R({"AB"})), "full pass");
    TMatchSets twoFull;  // a third set would exceed twice the limit
    for (const char* word : {"A", "AB", "ABC"})
        twoFull.Keep(R({word}), std::vector<std::uint32_t>(limit, 0), 10'000);
    EXPECT_EQ(StartOf(twoFull, R({"A"})), "full pass");
    TMatchSets deep;  // seventeen levels typed
    std::string word;
    for (std::uint32_t level = 0; level < 17; ++level)
        deep.Keep(R({word += 'A'}), {level}, 10'000);
    EXPECT_EQ(StartOf(deep, R({"A"})), "full pass");
}

// Adds a root with folders nested at random, named by "a", "b", "c" and
// blanks so that short requests match often and narrow step by step.
void AddRandomRoot(TProgramMenuItems& items, std::mt19937& rng, int folders) {
    const auto pick = [&](int count) { return static_cast<int>(rng() % unsigned(count)); };
    const auto text = [&](int length) {
        std::string s(1 + pick(length), ' ');
        std::generate(s.begin(), s.end(), [&] { return "abc "[pick(4)]; });
        return s;
    };
    std::vector<TProgramMenuItem> open{items.AddRoot("C:\\" + text(3), "R", pick(10))};
    for (int f = 0; f < folders; ++f) {
        open.resize(1 + static_cast<std::size_t>(pick(static_cast<int>(open.size()))));
        const std::string name = std::to_string(100000 + items.Count()) + text(5);
        open.push_back(items.AddFolder(open.back(), name, pick(10)));
        std::vector<std::string> files(static_cast<std::size_t>(pick(12)));
        std::generate(files.begin(), files.end(), [&] { return text(7); });
        std::sort(files.begin(), files.end(),
                  [](const auto& a, const auto& b) { return AnsiCompareText(a, b) < 0; });
        for (const std::string& file : files)
            items.AddFile(open.back(), file, pick(10) + 0.5);
    }
}

std::string States(TProgramMenuItems& items) {
    std::string states;
    for (int i = 0; i < items.Count(); ++i)
        states += static_cast<char>('0' + items.Items(i).Shown() + 2 * items.Items(i).Matches());
    return states;
}

// Typing, Backspace, date filter changes and catalogue changes at random:
// every answer is exactly that of a full pass.
TEST(CatalogueRefineTest, AnswersAsAFullPassDoes) {
    std::mt19937 rng(2024);
    TProgramMenuItems items{nullptr};
    AddRandomRoot(items, rng, 40);
    std::string text;
    TMatchRequest request;
    for (int step = 0; step < 4000; ++step) {
        const unsigned op = rng() % 100;
        if (op < 45 && text.size() < 9)
            text += "ab c"[rng() % 4];
        else if (op < 74 && !text.empty())
            text.resize(op < 70 ? text.size() - 1 : 0);  // Backspace or a new start
        else if (op < 82)
            request.DateFilter = !request.DateFilter;
        else if (op < 94)
            request.Boundary += static_cast<int>(rng() % 3) - 1;
        else if (op < 98)
            AddRandomRoot(items, rng, 3);
        else if (op < 99) {
            items.Clear();
            AddRandomRoot(items, rng, 40);
        }
        request.Words = SplitRequest(text);
        std::vector<std::uint32_t> rows;
        const int first = items.Filter(request, rows);
        const std::string states = States(items);
        std::vector<std::uint32_t> fullRows;
        items.MarkMatches(request);
        const int fullFirst = items.CollectShown(fullRows);
        ASSERT_TRUE(rows == fullRows && first == fullFirst && states == States(items))
            << "step " << step << ", request \"" << text << '"';
    }
}

}  // namespace
}  // namespace nimbra
