#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/DateTime.h"

namespace nimbra {

// What matching is asked: the request's upper-case words and the date filter.
struct TMatchRequest {
    std::vector<std::string> Words;
    bool DateFilter = false;
    TDateTime Boundary = 0;
};

// The matches of the last few requests. A request that can only narrow a
// kept one (each kept word lies inside one of its words, and its date filter
// lets through no more) is answered by testing only the kept matches, so
// typing one more character costs a fraction of a pass over the catalogue,
// and Backspace returns to a kept set without testing anything. Each kept set
// holds the matches of the one above it; a request that a set may miss
// something of drops that set and the ones above it.
class TMatchSets {
  public:
    // Where a request starts.
    struct TStart {
        // The entries that can match; none when no kept set holds every
        // match (the request needs a pass over the whole catalogue).
        const std::vector<std::uint32_t>* Candidates = nullptr;
        // The words a candidate may still lack.
        std::vector<std::string_view> Words;
        // Whether a candidate's date must still be tested.
        bool TestDate = false;

        // The candidates are the answer as they are.
        bool Exact() const { return Candidates != nullptr && Words.empty() && !TestDate; }
    };

    // Drops the sets that may miss a match of the request and starts from
    // the narrowest remaining one. The answer refers to the request's words
    // and is valid until the next call.
    TStart Start(const TMatchRequest& request);
    // Keeps the matches (in catalogue order) of a request answered in full
    // or from a Start that was not exact; too large a set is not kept.
    void Keep(TMatchRequest request, std::vector<std::uint32_t> matches, std::size_t entryCount);
    void Clear() { levels_.clear(); }
    bool Empty() const { return levels_.empty(); }

    // The largest set worth keeping for a catalogue of that many entries.
    static std::size_t MaxKept(std::size_t entryCount);

  private:
    struct TLevel {
        TMatchRequest Request;
        std::vector<std::uint32_t> Matches;
    };
    std::vector<TLevel> levels_;
};

}  // namespace nimbra
