#include "support/Unicode.h"

#include <algorithm>

namespace PhoneKit::Unicode {

Properties of(char32_t c) {
    const Range* end = kRanges + kRangeCount;
    const Range* range = std::upper_bound(kRanges, end, c, [](char32_t x, const Range& r) { return x < r.first; });
    if (range == kRanges || c > (--range)->last) return {};
    const auto digit = range->category == Category::decimalDigit ? range->digitOfFirst + (c - range->first) : 0;
    return {range->category, static_cast<std::uint8_t>(digit), range->whiteSpace};
}

}  // namespace PhoneKit::Unicode
