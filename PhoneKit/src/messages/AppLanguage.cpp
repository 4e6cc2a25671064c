#include "PhoneKit/messages/AppLanguage.h"

#include <unicode/locid.h>
#include "support/Hashing.h"

#include <algorithm>
#include <functional>

namespace PhoneKit {

namespace {

// BCP 47 tags ("zh-Hant-TW") and POSIX names ("en_US") alike.
icu::Locale localeOf(std::string_view identifier) {
    std::string tag(identifier);
    std::replace(tag.begin(), tag.end(), '_', '-');
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale locale = icu::Locale::forLanguageTag(tag, status);
    if (U_FAILURE(status)) return icu::Locale(std::string(identifier).c_str());
    return locale;
}

}  // namespace

const std::vector<AppLanguage>& AppLanguage::all() {
    static const std::vector<AppLanguage> languages = {
        {"en", "English"},       {"ar", "العربية"},
        {"zh-Hans", "简体中文"}, {"ja", "日本語"},
        {"ko", "한국어"},        {"es", "Español"},
        {"fr", "Français"},      {"de", "Deutsch"},
        {"it", "Italiano"},      {"pt-BR", "Português (Brasil)"},
        {"ru", "Русский"},
    };
    return languages;
}

const AppLanguage& AppLanguage::english() { return all().front(); }

std::optional<AppLanguage> AppLanguage::matching(std::optional<std::string_view> identifier) {
    if (!identifier) return std::nullopt;
    const auto& languages = all();
    for (const AppLanguage& language : languages) {
        if (language.id == *identifier) return language;
    }
    const icu::Locale locale = localeOf(*identifier);
    const std::string code = locale.getLanguage();
    if (code.empty()) return std::nullopt;
    if (code == "zh") {
        // Traditional Chinese readers are not offered the Simplified texts.
        if (std::string_view(locale.getScript()) == "Hant") return std::nullopt;
        return *std::find_if(languages.begin(), languages.end(),
                             [](const AppLanguage& l) { return l.id == "zh-Hans"; });
    }
    for (const AppLanguage& language : languages) {
        if (language.id == code ||
            (language.id.starts_with(code) && language.id.size() > code.size() && language.id[code.size()] == '-')) {
            return language;
        }
    }
    return std::nullopt;
}

std::string AppLanguage::locale() const { return localeOf(id).getName(); }

bool AppLanguage::isRightToLeft() const { return localeOf(id).isRightToLeft(); }

std::string AppLanguage::dateLocale() const { return id + "@numbers=latn"; }

}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::AppLanguage>::operator()(const PhoneKit::AppLanguage& language) const noexcept {
    std::size_t seed = std::hash<std::string>{}(language.id);
    PhoneKit::detail::hashCombine(seed, std::hash<std::string>{}(language.nativeName));
    return seed;
}
