#pragma once

// The few Unicode properties the text rules ask about, from tables that
// the build writes out of ICU's data: looking them up loads no library, so
// the tovu command starts without ICU.

#include <cstddef>
#include <cstdint>

namespace PhoneKit::Unicode {

/// The general categories the rules tell apart; every other one is `other`.
enum class Category : std::uint8_t { other, decimalDigit, dashPunctuation, spaceSeparator, format, control };

struct Properties {
    Category category = Category::other;
    std::uint8_t digitValue = 0;  ///< 0-9, for a decimal digit
    bool whiteSpace = false;      ///< the White_Space property
};

Properties of(char32_t c);

/// A run of code points with the same properties, the digits of a run
/// counting up from `digitOfFirst` (generated file).
struct Range {
    char32_t first;
    char32_t last;
    Category category;
    std::uint8_t digitOfFirst;
    bool whiteSpace;
};
extern const Range kRanges[];
extern const std::size_t kRangeCount;

}  // namespace PhoneKit::Unicode
