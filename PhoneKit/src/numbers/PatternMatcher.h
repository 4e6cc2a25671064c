#pragma once

#include "DigitAutomaton.h"
#include "PhoneKit/numbers/Region.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace PhoneKit::detail {

struct RowMatchers;

/// A numbering pattern matched in whole against digit strings: the table's
/// patterns through automata generated at build time, any other pattern
/// through one compiled when the matcher is made.
class PatternMatcher {
public:
    explicit PatternMatcher(std::string_view pattern);
    explicit PatternMatcher(DigitMatcher generated) : matcher_(generated) {}

    bool matches(std::string_view digits) const { return matcher_.matches(digits); }

private:
    std::shared_ptr<const DigitAutomaton> own_;  // the tables matcher_ reads, when not generated
    DigitMatcher matcher_;
};

/// A region with its patterns ready to match.
struct CompiledRegion {
    /// A region outside the table: its patterns compiled now.
    explicit CompiledRegion(const Region& row);
    /// A row of the table, with its generated automata.
    CompiledRegion(const Region& row, const RowMatchers& generated);

    const Region& region;
    PatternMatcher mobile;
    PatternMatcher landline;
    /// The kind of a national number under the region's calling code, as
    /// the first row of that code to match tells it (table rows only).
    DigitMatcher kinds;

    bool matchesEither(std::string_view national) const {
        return mobile.matches(national) || landline.matches(national);
    }
};

/// The table's rows ready to match, in table order.
const std::vector<CompiledRegion>& compiledTable();

/// The indices of the table's rows whose calling code begins `digits`, in
/// table order: one code, since no code is the beginning of another.
std::span<const std::uint16_t> rowsCalled(std::string_view digits);

/// The matchers of `region`: its table row when the region is one (the
/// usual case), else a fresh compilation kept in `scratch`.
const CompiledRegion& compiled(const Region& region, std::optional<CompiledRegion>& scratch);

}  // namespace PhoneKit::detail
