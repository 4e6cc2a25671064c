// The region picker's names and search, over ICU's locale data.

#include "PhoneKit/numbers/Region.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
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

// Case, diacritics and width folded, Arabic letter forms and digits of
// every script unified, "+" and blanks trimmed.
std::string folded(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decompose = icu::Normalizer2::getNFKDInstance(status);
    const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return std::string(text);
    icu::UnicodeString source =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    source.foldCase();
    const icu::UnicodeString decomposed = decompose->normalize(source, status);
    icu::UnicodeString kept;
    for (int32_t i = 0; i < decomposed.length();) {
        UChar32 c = decomposed.char32At(i);
        i += U16_LENGTH(c);
        if (u_charType(c) == U_NON_SPACING_MARK) continue;  // accents and Arabic vowel marks
        if (c == 0x0622 || c == 0x0623 || c == 0x0625) {
            c = 0x0627;  // alef with madda or hamza: plain alef
        } else if (c == 0x0629) {
            c = 0x0647;  // teh marbuta: heh
        } else if (c == 0x0649) {
            c = 0x064A;  // alef maksura: yeh
        } else if (u_charType(c) == U_DECIMAL_DIGIT_NUMBER) {
            c = U'0' + u_charDigitValue(c);
        }
        kept.append(c);
    }
    std::string out;
    compose->normalize(kept, status).toUTF8String(out);
    const auto first = out.find_first_not_of("+ ");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of("+ ") - first + 1);
}

std::vector<std::string> searchTerms(const Region& region, const icu::Locale& locale) {
    std::vector<std::string> terms;
    for (const icu::Locale& language : {icu::Locale("en"), icu::Locale("ar"), locale}) {
        if (auto name = localizedName(region, language)) terms.push_back(folded(*name));
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

    const std::string needle = folded(query);
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
