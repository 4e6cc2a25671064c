#pragma once

#include "PhoneKit/numbers/Region.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace re2 {
class RE2;
}

namespace PhoneKit::detail {

/// A numbering pattern matched in whole against digit strings, compiled on
/// its first match (safe across threads): a text about one region pays for
/// that region's patterns only. An empty or malformed pattern never matches.
class PatternMatcher {
public:
    explicit PatternMatcher(std::string_view pattern);
    ~PatternMatcher();
    PatternMatcher(PatternMatcher&&) noexcept;
    PatternMatcher& operator=(PatternMatcher&&) noexcept;

    bool matches(std::string_view digits) const;

    /// The fewest and most digits a match can have.
    struct Lengths {
        std::size_t min = 0;
        std::size_t max = SIZE_MAX;
    };
    /// Bounds read off the pattern's own syntax; a construct it does not
    /// know gives the widest bounds, which only costs speed.
    static Lengths lengthsOf(std::string_view pattern);

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;  // null when nothing can match
    Lengths lengths_;                     // most candidates are refused by length alone
};

/// A region with its two patterns compiled.
struct CompiledRegion {
    explicit CompiledRegion(const Region& row);

    const Region& region;
    PatternMatcher mobile;
    PatternMatcher landline;

    bool matchesEither(std::string_view national) const {
        return mobile.matches(national) || landline.matches(national);
    }
};

/// The table's rows compiled, in table order, built once on first use.
const std::vector<CompiledRegion>& compiledTable();

/// The indices of the table's rows whose calling code begins `digits`, in
/// table order: one code, since no code is the beginning of another.
std::span<const std::uint16_t> rowsCalled(std::string_view digits);

/// The compiled form of `region`: its table row when the region is one
/// (the usual case), else a fresh compilation kept in `scratch`.
const CompiledRegion& compiled(const Region& region, std::optional<CompiledRegion>& scratch);

}  // namespace PhoneKit::detail
