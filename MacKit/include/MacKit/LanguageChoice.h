#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace MacKit {

/// The user's choice of interface language, in the order of the menu.
enum class LanguageChoice { system, arabic, english };

inline constexpr std::array<LanguageChoice, 3> allLanguageChoices = {LanguageChoice::system, LanguageChoice::arabic,
                                                                     LanguageChoice::english};

/// The stored raw value: "system", "ar" or "en".
std::string_view toString(LanguageChoice choice);
/// The choice of an exact raw value; nothing for anything else.
std::optional<LanguageChoice> languageChoiceFromString(std::string_view raw);
/// The choice of whatever the settings hold: `system` unless it is exactly
/// one of the raw values. Never fails.
LanguageChoice languageChoice(std::optional<std::string_view> stored);
/// "ar" or "en": a fixed choice gives its own; `system` gives "ar" when the
/// system's preferred localization is an Arabic one, else "en".
std::string_view resolved(LanguageChoice choice, std::optional<std::string_view> systemLocalization);

}  // namespace MacKit
