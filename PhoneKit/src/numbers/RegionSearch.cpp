// The region picker's names and search, over ICU's locale data.

#include "PhoneKit/numbers/Region.h"
#include "PhoneKit/support/Text.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace PhoneKit {

namespace {

icu::Locale localeOf(std::string_view id) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(std::string(id), status);
    return U_FAILURE(status) || locale.isBogus() ? icu::Locale(std::string(id).c_str()) : locale;
}

// ICU answers the code itself when it has no name for a region.
std::optional<std::string> localizedName(const Region& region, const icu::Locale& locale) {
    icu::UnicodeString name;
    icu::Locale("", region.id.c_str()).getDisplayCountry(locale, name);
    std::string text;
    name.toUTF8String(text);
    if (text.empty() || text == region.id) return std::nullopt;
    return text;
}

std::vector<std::string> searchTerms(const Region& region, const icu::Locale& locale) {
    std::vector<std::string> terms;
    for (const icu::Locale& language : {icu::Locale("en"), icu::Locale("ar"), locale}) {
        if (auto name = localizedName(region, language)) terms.push_back(Text::folded(*name));
    }
    terms.push_back(region.code);
    std::string id = region.id;
    std::transform(id.begin(), id.end(), id.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    terms.push_back(id);
    return terms;
}

}  // namespace

std::string Region::flag() const {
    icu::UnicodeString flag;
    for (unsigned char letter : id) {
        const UChar32 indicator = static_cast<UChar32>(letter) + 127397;
        if (indicator <= 0x10FFFF) flag.append(indicator);
    }
    std::string text;
    flag.toUTF8String(text);
    return text;
}

std::string Region::name(std::string_view locale) const { return localizedName(*this, localeOf(locale)).value_or(id); }

std::vector<Region> Region::search(std::string_view query, std::string_view localeID) {
    const icu::Locale locale = localeOf(localeID);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_SUCCESS(status)) {
        collator->setStrength(icu::Collator::SECONDARY);  // case-insensitive
        collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    }

    struct Row {
        const Region* region;
        icu::UnicodeString name;
    };
    std::vector<Row> rows;
    for (const Region& region : all()) {
        rows.push_back({&region, icu::UnicodeString::fromUTF8(region.name(localeID))});
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) -> bool {
        UErrorCode compareStatus = U_ZERO_ERROR;
        if (!collator) return a.name < b.name;
        return collator->compare(a.name, b.name, compareStatus) == UCOL_LESS;
    });

    const std::string needle = Text::folded(query);
    std::vector<Region> found;
    for (const Row& row : rows) {
        if (needle.empty()) {
            found.push_back(*row.region);
            continue;
        }
        const auto terms = searchTerms(*row.region, locale);
        if (std::any_of(terms.begin(), terms.end(),
                        [&](const std::string& term) { return term.find(needle) != std::string::npos; })) {
            found.push_back(*row.region);
        }
    }
    return found;
}

}  // namespace PhoneKit
