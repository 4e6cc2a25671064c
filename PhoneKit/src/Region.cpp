#include "PhoneKit/Region.h"

#include "PatternMatcher.h"
#include "RegionData.h"

#include <re2/re2.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

namespace PhoneKit {

const std::vector<Region>& Region::all() {
    static const std::vector<Region> table = detail::makeRegionTable();
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

Region Region::current() {
    std::unique_ptr<icu::TimeZone> host(icu::TimeZone::detectHostTimeZone());
    if (!host) return home();
    icu::UnicodeString id;
    host->getID(id);
    std::string zone;
    id.toUTF8String(zone);
    return current(zone);
}

bool fullMatch(std::string_view text, std::string_view pattern) {
    return detail::PatternMatcher(pattern).matches(text);
}

std::ostream& operator<<(std::ostream& out, const Region& region) {
    return out << region.id << "/+" << region.code;
}

namespace detail {

PatternMatcher::PatternMatcher(std::string_view pattern) {
    if (pattern.empty()) return;
    RE2::Options options;
    options.set_log_errors(false);
    auto expression = std::make_unique<RE2>("^(?:" + std::string(pattern) + ")$", options);
    if (expression->ok()) expression_ = std::move(expression);
}

PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;
PatternMatcher& PatternMatcher::operator=(PatternMatcher&&) noexcept = default;

bool PatternMatcher::matches(std::string_view digits) const {
    return expression_ && RE2::PartialMatch(digits, *expression_);
}

CompiledRegion::CompiledRegion(const Region& row)
    : region(row), mobile(row.mobilePattern), landline(row.landlinePattern) {}

const std::vector<CompiledRegion>& compiledTable() {
    static const std::vector<CompiledRegion> table = [] {
        std::vector<CompiledRegion> rows;
        rows.reserve(Region::all().size());
        for (const Region& row : Region::all()) rows.emplace_back(row);
        return rows;
    }();
    return table;
}

const CompiledRegion& compiled(const Region& region, std::optional<CompiledRegion>& scratch) {
    for (const CompiledRegion& row : compiledTable()) {
        if (row.region.id == region.id && row.region == region) return row;
    }
    return scratch.emplace(region);
}

}  // namespace detail
}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::Region>::operator()(const PhoneKit::Region& region) const noexcept {
    // Boost-style combining over the fields in order, then the zone count and zones.
    std::size_t seed = 0;
    auto mix = [&seed](std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); };
    std::hash<std::string> text;
    for (const std::string* field :
         {&region.id, &region.code, &region.trunk, &region.mobilePattern, &region.landlinePattern}) {
        mix(text(*field));
    }
    mix(region.timeZones.size());
    for (const std::string& zone : region.timeZones) mix(text(zone));
    return seed;
}
