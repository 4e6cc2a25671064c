#pragma once

#include <MacKit/LanguageChoice.h>
#include <PhoneKit/stores/SharedValues.h>

#include <QStringList>

#include <optional>
#include <string>

/// The interface language without the interface: what AppLanguageState
/// resolves, for the commands that never load Qt's GUI.
namespace LanguageID {

inline constexpr const char* choiceKey = "languageChoice";
/// The language the stored messages were last shown in.
inline constexpr const char* messagesKey = "messagesLanguage";
/// Set while that language is the user's own choice, not the interface's.
inline constexpr const char* messagesChosenKey = "messagesLanguageChosen";

/// The user's stored choice ("system" when there is none or it is unknown).
MacKit::LanguageChoice storedChoice(const PhoneKit::DefaultsDomain& defaults);
/// The first of `preferred` (QLocale::system().uiLanguages()) that tovu
/// ships: "ar" or "en".
std::optional<std::string> preferredLocalization(const QStringList& preferred);
/// "ar" or "en": the stored choice resolved against `preferred`.
std::string resolved(const PhoneKit::DefaultsDomain& defaults, const QStringList& preferred);
/// The messages' language at a start, given the interface's.
std::string messagesAtStart(const PhoneKit::DefaultsDomain& defaults, const std::string& interfaceID);

}  // namespace LanguageID
