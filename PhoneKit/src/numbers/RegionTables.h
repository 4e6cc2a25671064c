#pragma once

// The region table and its matchers, generated at build time from
// PhoneKit/data/regions.tsv (PhoneKit/generator), so that nothing is
// compiled or read from disk when a number is read.

#include "DigitAutomaton.h"
#include "PhoneKit/numbers/Region.h"

#include <cstdint>
#include <vector>

namespace PhoneKit::detail {

/// The rows of the region table in table order.
std::vector<Region> makeRegionTable();

/// Labels of the automata that tell a number's kind.
enum KindLabel : std::uint8_t { kMobileLabel = 1, kLandlineLabel = 2 };

/// Where a row's automata start in the shared tables: its mobile and its
/// landline pattern, and the kind of a national number under its calling
/// code (the first row of that code, mobile before landline, that matches).
struct RowMatchers {
    DigitState mobile;
    DigitState landline;
    DigitState kinds;
};

extern const DigitRow kDigitRows[];
extern const std::uint8_t kDigitLabels[];
extern const RowMatchers kRowMatchers[];  ///< one per row, in table order

inline DigitMatcher generatedMatcher(DigitState start) { return {kDigitRows, kDigitLabels, start}; }

}  // namespace PhoneKit::detail
