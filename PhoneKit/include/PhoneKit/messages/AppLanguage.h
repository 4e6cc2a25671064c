#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// One of the eleven languages the ready-made messages come in.
struct AppLanguage {
    std::string id;          ///< BCP 47 style: "en", "zh-Hans", "pt-BR"
    std::string nativeName;  ///< "English", "简体中文", …

    static const std::vector<AppLanguage>& all();
    static const AppLanguage& english();
    /// The supported language of a language identifier ("fr-CA" → French,
    /// "zh" → Simplified Chinese); nothing for Traditional Chinese, for a
    /// language not offered and for no identifier.
    static std::optional<AppLanguage> matching(std::optional<std::string_view> identifier);

    /// The ICU locale name of `id` ("pt_BR", "zh_Hans").
    std::string locale() const;
    bool isRightToLeft() const;
    /// `id` with Latin digits forced, for dates and numbers: "ar@numbers=latn".
    std::string dateLocale() const;

    friend bool operator==(const AppLanguage&, const AppLanguage&) = default;
};

}  // namespace PhoneKit

template <>
struct std::hash<PhoneKit::AppLanguage> {
    std::size_t operator()(const PhoneKit::AppLanguage& language) const noexcept;
};
