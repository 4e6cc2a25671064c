#include "PhoneKit/numbers/Region.h"

#include "PatternMatcher.h"
#include "RegionData.h"
#include "support/Hashing.h"

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

std::ostream& operator<<(std::ostream& out, const Region& region) { return out << region.id << "/+" << region.code; }

namespace detail {

PatternMatcher::PatternMatcher(std::string_view pattern) {
    if (pattern.empty()) return;
    RE2::Options options;
    options.set_log_errors(false);
    auto expression = std::make_unique<RE2>("^(?:" + std::string(pattern) + ")$", options);
    if (expression->ok()) expression_ = std::move(expression);
    lengths_ = lengthsOf(pattern);
}

PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;
PatternMatcher& PatternMatcher::operator=(PatternMatcher&&) noexcept = default;

bool PatternMatcher::matches(std::string_view digits) const {
    return expression_ && digits.size() >= lengths_.min && digits.size() <= lengths_.max &&
           RE2::PartialMatch(digits, *expression_);
}

namespace {

// A recursive descent over the subset numbering patterns use: digits, \d,
// classes, (?:…), |, ?, {n} and {n,m}.
class LengthReader {
public:
    explicit LengthReader(std::string_view pattern) : text_(pattern) {}

    std::optional<PatternMatcher::Lengths> read() {
        auto lengths = alternation();
        if (!lengths || position_ != text_.size()) return std::nullopt;
        return lengths;
    }

private:
    using Lengths = PatternMatcher::Lengths;

    static std::size_t add(std::size_t a, std::size_t b) { return a > SIZE_MAX - b ? SIZE_MAX : a + b; }
    static std::size_t times(std::size_t a, std::size_t n) { return n != 0 && a > SIZE_MAX / n ? SIZE_MAX : a * n; }

    bool peek(char c) const { return position_ < text_.size() && text_[position_] == c; }

    std::optional<Lengths> alternation() {
        auto lengths = concatenation();
        while (lengths && peek('|')) {
            ++position_;
            auto next = concatenation();
            if (!next) return std::nullopt;
            lengths = Lengths{std::min(lengths->min, next->min), std::max(lengths->max, next->max)};
        }
        return lengths;
    }

    std::optional<Lengths> concatenation() {
        Lengths total{0, 0};
        while (position_ < text_.size() && !peek('|') && !peek(')')) {
            auto piece = quantified();
            if (!piece) return std::nullopt;
            total = {add(total.min, piece->min), add(total.max, piece->max)};
        }
        return total;
    }

    std::optional<Lengths> quantified() {
        auto lengths = atom();
        if (!lengths) return std::nullopt;
        if (peek('?')) {
            ++position_;
            return Lengths{0, lengths->max};
        }
        if (!peek('{')) return lengths;
        ++position_;
        const auto low = count();
        std::optional<std::size_t> high = low;
        if (peek(',')) {
            ++position_;
            high = count();
        }
        if (!low || !high || !peek('}')) return std::nullopt;
        ++position_;
        return Lengths{times(lengths->min, *low), times(lengths->max, *high)};
    }

    std::optional<std::size_t> count() {
        std::size_t value = 0;
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] >= '0' && text_[position_] <= '9') {
            value = value * 10 + static_cast<std::size_t>(text_[position_++] - '0');
            if (value > 1000) return std::nullopt;
        }
        if (position_ == start) return std::nullopt;
        return value;
    }

    std::optional<Lengths> atom() {
        if (position_ >= text_.size()) return std::nullopt;
        const char c = text_[position_];
        if (c >= '0' && c <= '9') {
            ++position_;
            return Lengths{1, 1};
        }
        if (c == '\\' && position_ + 1 < text_.size() && text_[position_ + 1] == 'd') {
            position_ += 2;
            return Lengths{1, 1};
        }
        if (c == '[') {
            const auto close = text_.find(']', position_);
            if (close == std::string_view::npos) return std::nullopt;
            position_ = close + 1;
            return Lengths{1, 1};
        }
        if (text_.substr(position_, 3) == "(?:") {
            position_ += 3;
            auto inner = alternation();
            if (!inner || !peek(')')) return std::nullopt;
            ++position_;
            return inner;
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace

PatternMatcher::Lengths PatternMatcher::lengthsOf(std::string_view pattern) {
    return LengthReader(pattern).read().value_or(Lengths{});
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
