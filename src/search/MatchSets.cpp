#include "search/MatchSets.h"

#include <algorithm>

namespace nimbra {

namespace {

// A set is kept only while it is small next to the catalogue: its entries
// lie scattered over the keys, so testing one costs a trip to memory, ten
// to thirty times what the full pass spends per entry as it streams through
// all keys (measured on a million entries). Small catalogues keep every set (a
// few kilobytes). All sets together stay below two such sets and sixteen
// levels, which bounds the memory by one byte per eight entries: a request is
// typed and corrected within a word or two, and going back further than that
// costs one full pass.
constexpr std::size_t kMinKept = 1024;
constexpr std::size_t kKeptShare = 64;
constexpr std::size_t kMaxLevels = 16;

// An entry whose key holds one of `words` also holds `word` when `word` lies
// inside it.
bool Implied(std::string_view word, const std::vector<std::string>& words) {
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return w.find(word) != std::string::npos; });
}

// Whether every match of `request` is among the matches of `kept`. The
// boundary is recomputed from the clock at every filter: a later one lets
// through no more than an earlier one.
bool Covers(const TMatchRequest& kept, const TMatchRequest& request) {
    if (kept.DateFilter && !(request.DateFilter && request.Boundary >= kept.Boundary))
        return false;
    return std::all_of(kept.Words.begin(), kept.Words.end(),
                       [&](const std::string& word) { return Implied(word, request.Words); });
}

}  // namespace

std::size_t TMatchSets::MaxKept(std::size_t entryCount) {
    return std::max(kMinKept, entryCount / kKeptShare);
}

TMatchSets::TStart TMatchSets::Start(const TMatchRequest& request) {
    while (!levels_.empty() && !Covers(levels_.back().Request, request))
        levels_.pop_back();
    TStart start;
    if (levels_.empty())
        return start;
    const TLevel& base = levels_.back();
    start.Candidates = &base.Matches;
    for (const std::string& word : request.Words)
        if (!Implied(word, base.Request.Words))
            start.Words.push_back(word);
    start.TestDate = request.DateFilter &&
                     !(base.Request.DateFilter && base.Request.Boundary == request.Boundary);
    return start;
}

void TMatchSets::Keep(TMatchRequest request, std::vector<std::uint32_t> matches,
                      std::size_t entryCount) {
    const std::size_t limit = MaxKept(entryCount);
    if (matches.size() > limit)
        return;
    // The same request with a later boundary (a rolling period, a new day):
    // the new set replaces the old one.
    if (!levels_.empty() && levels_.back().Request.Words == request.Words &&
        levels_.back().Request.DateFilter == request.DateFilter)
        levels_.pop_back();
    const auto kept = [this] {
        std::size_t total = 0;
        for (const TLevel& level : levels_)
            total += level.Matches.size();
        return total;
    };
    while (!levels_.empty() &&
           (levels_.size() >= kMaxLevels || kept() + matches.size() > 2 * limit))
        levels_.erase(levels_.begin());
    levels_.push_back({std::move(request), std::move(matches)});
}

}  // namespace nimbra
