#pragma once

// The extractor's steps, apart so that tests can run them against a plain
// reading of the rules.

#include "PatternMatcher.h"
#include "PhoneKit/numbers/PhoneExtractor.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit::detail {

/// One maximal stretch of digit groups in a text.
struct Run {
    std::size_t firstGroup = 0;  ///< its groups in `Runs::ends`, never none
    std::size_t endGroup = 0;
    bool hasPlus = false;                ///< "+" right before the first digit
    bool isPartOfSomethingElse = false;  ///< glued to a word or an amount
};

/// The runs of a text, with the ASCII digits of all their groups one after
/// another, so that any window of a run's groups is a view: reading a text
/// allocates nothing per run or candidate.
struct Runs {
    std::string digits;
    std::vector<std::size_t> ends;  ///< where each group ends in `digits`
    std::vector<Run> list;

    std::size_t groupCount(const Run& run) const { return run.endGroup - run.firstGroup; }
    /// The digits of the run's groups `from` to `to`, both included.
    std::string_view window(const Run& run, std::size_t from, std::size_t to) const {
        const std::size_t first = run.firstGroup + from, last = run.firstGroup + to;
        const std::size_t begin = first == 0 ? 0 : ends[first - 1];
        return std::string_view(digits).substr(begin, ends[last] - begin);
    }
    std::string_view group(const Run& run, std::size_t i) const { return window(run, i, i); }
};

/// No pattern matches more than 15 digits and no code is longer than three,
/// so a window of more digits than this can never be read as a number.
inline constexpr std::size_t kMaxCandidateDigits = 18;

/// The regions one extraction reads candidates against.
struct Reading {
    const CompiledRegion& region;
    const CompiledRegion& home;
    bool regionIsHome;
};

/// The reading for a user in `region` (compiled into `scratch` when it is
/// no row of the table).
Reading reading(const Region& region, std::optional<CompiledRegion>& scratch);

/// Digits of every script to ASCII, dashes to "-", spaces to " ", plus signs
/// to "+", format characters dropped; into `out`, whose storage is reused.
void normalized(std::string_view text, std::u32string& out);
/// The runs of `scalars` into `into`, whose storage is reused.
void runs(const std::u32string& scalars, Runs& into);
bool looksLikeDate(const Runs& runs, const Run& run);
/// One candidate window read as a number, or nothing.
std::optional<PhoneNumber> number(std::string_view candidate, bool explicitPlus, bool wholeRun, const Reading& reading);
/// Mobiles and other numbers first, landlines last, each group in order.
void orderLandlinesLast(std::vector<PhoneNumber>& numbers);

}  // namespace PhoneKit::detail
