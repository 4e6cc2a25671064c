#include "MacKit/LanguageChoice.h"

#include <PhoneKit/support/RawValues.h>

namespace MacKit {

std::string_view toString(LanguageChoice choice) {
    switch (choice) {
        case LanguageChoice::system: return "system";
        case LanguageChoice::arabic: return "ar";
        case LanguageChoice::english: return "en";
    }
    return {};
}

std::optional<LanguageChoice> languageChoiceFromString(std::string_view raw) {
    return PhoneKit::fromRawValue(allLanguageChoices, raw);
}

LanguageChoice languageChoice(std::optional<std::string_view> stored) {
    if (!stored) return LanguageChoice::system;
    return languageChoiceFromString(*stored).value_or(LanguageChoice::system);
}

std::string_view resolved(LanguageChoice choice, std::optional<std::string_view> systemLocalization) {
    switch (choice) {
        case LanguageChoice::arabic: return "ar";
        case LanguageChoice::english: return "en";
        case LanguageChoice::system: break;
    }
    return systemLocalization && systemLocalization->starts_with("ar") ? "ar" : "en";
}

}  // namespace MacKit
