#include "PhoneKit/numbers/Region.h"

#include "PatternMatcher.h"
#include "RegionData.h"
#include "support/Hashing.h"

#include "PhoneKit/support/SystemTimeZone.h"

#include <re2/re2.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
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

Region Region::current() { return current(SystemTimeZone::find().name); }

bool fullMatch(std::string_view text, std::string_view pattern) {
    return detail::PatternMatcher(pattern).matches(text);
}

std::ostream& operator<<(std::ostream& out, const Region& region) { return out << region.id << "/+" << region.code; }

namespace detail {

struct PatternMatcher::Compiled {
    std::string pattern;
    std::once_flag once;
    std::unique_ptr<RE2> expression;  // null when the pattern is malformed

    const RE2* get() {
        std::call_once(once, [this] {
            RE2::Options options;
            options.set_log_errors(false);
            auto compiled = std::make_unique<RE2>("^(?:" + pattern + ")$", options);
            if (compiled->ok()) expression = std::move(compiled);
        });
        return expression.get();
    }
};

PatternMatcher::PatternMatcher(std::string_view pattern) {
    if (pattern.empty()) return;
    compiled_ = std::make_unique<Compiled>();
    compiled_->pattern = pattern;
    lengths_ = lengthsOf(pattern);
}

PatternMatcher::~PatternMatcher() = default;
PatternMatcher::PatternMatcher(PatternMatcher&&) noexcept = default;
PatternMatcher& PatternMatcher::operator=(PatternMatcher&&) noexcept = default;

bool PatternMatcher::matches(std::string_view digits) const {
    if (!compiled_ || digits.size() < lengths_.min || digits.size() > lengths_.max) return false;
    const RE2* expression = compiled_->get();
    return expression && RE2::PartialMatch(digits, *expression);
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

std::span<const std::uint16_t> rowsCalled(std::string_view digits) {
    // Slots for the codes of one, two and three digits: 0-9, 10-109, 110-1109.
    static const std::vector<std::vector<std::uint16_t>> slots = [] {
        std::vector<std::vector<std::uint16_t>> index(1110);
        const auto& table = Region::all();
        for (std::size_t row = 0; row < table.size(); ++row) {
            const std::string& code = table[row].code;
            if (code.empty() || code.size() > 3) continue;
            const std::size_t offset = code.size() == 1 ? 0 : code.size() == 2 ? 10 : 110;
            index[offset + std::stoul(code)].push_back(static_cast<std::uint16_t>(row));
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
    for (const CompiledRegion& row : compiledTable()) {
        if (row.region.id == region.id && readsAlike(row.region)) return row;
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
