#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// One row of the built-in numbering-plan table: a calling region with its
/// calling code, trunk prefix, the patterns of its national mobile and
/// landline numbers, and the time zones that place a user there.
struct Region {
    std::string id;                      ///< "SA", "GB", … unique in the table
    std::string code;                    ///< calling code without plus, shared by some rows
    std::string trunk;                   ///< national trunk prefix, empty when there is none
    std::string mobilePattern;           ///< unanchored; matched in whole against national digits
    std::string landlinePattern;         ///< same for fixed-line numbers
    std::vector<std::string> timeZones;  ///< IANA identifiers, compared exactly

    /// The 243 rows: SA first, then the others by id. Lookups scan from row 0
    /// and the first row that qualifies wins, so the order is behaviour.
    static const std::vector<Region>& all();
    /// Row 0, Saudi Arabia: the second chance for local numbers and the
    /// fallback when the time zone names no region.
    static const Region& home();
    /// First row whose id equals `id` exactly (case-sensitive).
    static std::optional<Region> withID(std::string_view id);
    /// First row listing `zone` among its time zones (exact text).
    static std::optional<Region> forTimeZone(std::string_view zone);
    /// The region of time zone `zone`, else the home region.
    static Region current(std::string_view zone);
    /// The region of the system's time zone (`SystemTimeZone::find`), else
    /// the home region. Worked out at each call.
    static Region current();

    /// The emoji flag: each letter of the id as a regional indicator.
    std::string flag() const;
    /// The region's name in `locale` (an ICU or BCP 47 locale id); the id
    /// when the locale has no name for it.
    std::string name(std::string_view locale) const;
    /// A region picker's filter: every row whose English, Arabic or local
    /// name, calling code or id contains the folded query (case, accents,
    /// width, Arabic letter forms and digits of any script folded), ordered
    /// by local name. An empty query gives every row.
    static std::vector<Region> search(std::string_view query, std::string_view locale);

    friend bool operator==(const Region&, const Region&) = default;
};

/// Whole-text match of the digits `text` against `pattern`; an empty
/// pattern, one outside the syntax numbering patterns use, and a text with
/// anything but ASCII digits never match. Compiles the pattern afresh: the
/// extractor uses the table's matchers generated at build time instead,
/// which the build checks give the same answers.
bool fullMatch(std::string_view text, std::string_view pattern);

std::ostream& operator<<(std::ostream& out, const Region& region);

}  // namespace PhoneKit

template <>
struct std::hash<PhoneKit::Region> {
    std::size_t operator()(const PhoneKit::Region& region) const noexcept;
};
