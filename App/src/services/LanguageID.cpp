#include "services/LanguageID.h"

#include <MacKit/MessageBook.h>

#include <QLocale>

namespace LanguageID {

MacKit::LanguageChoice storedChoice(const PhoneKit::DefaultsDomain& defaults) {
    const auto stored = defaults.string(choiceKey);
    return MacKit::languageChoice(stored ? std::optional<std::string_view>(*stored) : std::nullopt);
}

std::optional<std::string> preferredLocalization(const QStringList& preferred) {
    for (const QString& language : preferred) {
        const QString code = QLocale(language).name().section('_', 0, 0);
        if (code == "ar" || code == "en") return code.toStdString();
    }
    return std::nullopt;
}

std::string resolved(const PhoneKit::DefaultsDomain& defaults, const QStringList& preferred) {
    const auto localization = preferredLocalization(preferred);
    return std::string(MacKit::resolved(storedChoice(defaults),
                                        localization ? std::optional<std::string_view>(*localization) : std::nullopt));
}

std::string messagesAtStart(const PhoneKit::DefaultsDomain& defaults, const std::string& interfaceID) {
    return MacKit::MessageBook::startLanguage(defaults.string(messagesKey), defaults.boolean(messagesChosenKey),
                                              interfaceID);
}

}  // namespace LanguageID
