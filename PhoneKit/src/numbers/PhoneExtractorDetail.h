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
    std::vector<std::string> groups;     ///< ASCII digits, never empty
    bool hasPlus = false;                ///< "+" right before the first digit
    bool isPartOfSomethingElse = false;  ///< glued to a word or an amount
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

/// Digits of every script to ASCII, dashes to "-", spaces to " ", plus signs
/// to "+", format characters dropped.
std::u32string normalized(std::string_view text);
std::vector<Run> runs(const std::u32string& scalars);
bool looksLikeDate(const Run& run);
/// One candidate window read as a number, or nothing.
std::optional<PhoneNumber> number(std::string_view candidate, bool explicitPlus, bool wholeRun, const Reading& reading);
/// Mobiles and other numbers first, landlines last, each group in order.
void orderLandlinesLast(std::vector<PhoneNumber>& numbers);

}  // namespace PhoneKit::detail
