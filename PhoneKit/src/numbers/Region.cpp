#include "PhoneKit/numbers/Region.h"

#include "PatternMatcher.h"
#include "RegionTables.h"
#include "support/Hashing.h"

#include "PhoneKit/support/SystemTimeZone.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

namespace PhoneKit {

const std::vector<Region>& Region::all() {
    // Never destroyed: a one-shot command has nothing to undo at exit.
    static const auto& table = *new std::vector<Region>(detail::makeRegionTable());
    return table;
}

const Region& Region::home() {
    static const Region& row = all().front();
    return row;
}

std::optional<Region> Region::withID(std::string_view id) {
    const auto& table = all();
    auto row = std::find_if(table.begin(), table.end(), [&](const Region& r) { return r.id == id; });
    if (row == table.end()) return std::nullopt;
    return *row;
}

std::optional<Region> Region::forTimeZone(std::string_view zone) {
    for (const Region& row : all()) {
        if (std::find(row.timeZones.begin(), row.timeZones.end(), zone) != row.timeZones.end()) return row;
    }
    return std::nullopt;
}

Region Region::current(std::string_view zone) { return forTimeZone(zone).value_or(home()); }

Region Region::current() { return current(SystemTimeZone::find().name); }

bool fullMatch(std::string_view text, std::string_view pattern) {
    return detail::compileDigitAutomaton(pattern).matcher().matches(text);
}

std::ostream& operator<<(std::ostream& out, const Region& region) { return out << region.id << "/+" << region.code; }

namespace detail {

PatternMatcher::PatternMatcher(std::string_view pattern)
    : own_(std::make_shared<DigitAutomaton>(compileDigitAutomaton(pattern))), matcher_(own_->matcher()) {}

CompiledRegion::CompiledRegion(const Region& row)
    : region(row), mobile(row.mobilePattern), landline(row.landlinePattern) {}

CompiledRegion::CompiledRegion(const Region& row, const RowMatchers& generated)
    : region(row),
      mobile(generatedMatcher(generated.mobile)),
      landline(generatedMatcher(generated.landline)),
      kinds(generatedMatcher(generated.kinds)) {}

const std::vector<CompiledRegion>& compiledTable() {
    // Never destroyed, like the rows it refers to: nothing to undo at exit.
    static const auto& table = *[] {
        auto* rows = new std::vector<CompiledRegion>;
        rows->reserve(Region::all().size());
        for (std::size_t i = 0; i < Region::all().size(); ++i) rows->emplace_back(Region::all()[i], kRowMatchers[i]);
        return rows;
    }();
    return table;
}

std::span<const std::uint16_t> rowsCalled(std::string_view digits) {
    // Slots for the codes of one, two and three digits: 0-9, 10-109, 110-1109.
    static const auto& slots = *[] {
        auto* index = new std::vector<std::vector<std::uint16_t>>(1110);
        const auto& table = Region::all();
        for (std::size_t row = 0; row < table.size(); ++row) {
            const std::string& code = table[row].code;
            if (code.empty() || code.size() > 3) continue;
            const std::size_t offset = code.size() == 1 ? 0 : code.size() == 2 ? 10 : 110;
            (*index)[offset + std::stoul(code)].push_back(static_cast<std::uint16_t>(row));
        }
        return index;
    }();
    std::size_t value = 0;
    for (std::size_t length = 1; length <= 3 && length <= digits.size(); ++length) {
        const char digit = digits[length - 1];
        if (digit < '0' || digit > '9') break;
        value = value * 10 + static_cast<std::size_t>(digit - '0');
        const std::size_t offset = length == 1 ? 0 : length == 2 ? 10 : 110;
        if (!slots[offset + value].empty()) return slots[offset + value];
    }
    return {};
}

const CompiledRegion& compiled(const Region& region, std::optional<CompiledRegion>& scratch) {
    // What reading a number looks at: a row that agrees on it serves, even
    // with other time zones.
    const auto readsAlike = [&](const Region& row) {
        return row.code == region.code && row.trunk == region.trunk && row.mobilePattern == region.mobilePattern &&
               row.landlinePattern == region.landlinePattern;
    };
    // Home first, the other rows sorted by id: found in a few comparisons,
    // since a command may ask once per line.
    const auto& table = compiledTable();
    if (readsAlike(table.front().region) && table.front().region.id == region.id) return table.front();
    const auto row = std::lower_bound(table.begin() + 1, table.end(), region.id,
                                      [](const CompiledRegion& r, const std::string& id) { return r.region.id < id; });
    if (row != table.end() && row->region.id == region.id && readsAlike(row->region)) return *row;
    return scratch.emplace(region);
}

}  // namespace detail
}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::Region>::operator()(const PhoneKit::Region& region) const noexcept {
    using PhoneKit::detail::hashCombine;
    std::size_t seed = 0;
    std::hash<std::string> text;
    for (const std::string* field :
         {&region.id, &region.code, &region.trunk, &region.mobilePattern, &region.landlinePattern}) {
        hashCombine(seed, text(*field));
    }
    hashCombine(seed, region.timeZones.size());
    for (const std::string& zone : region.timeZones) hashCombine(seed, text(zone));
    return seed;
}
