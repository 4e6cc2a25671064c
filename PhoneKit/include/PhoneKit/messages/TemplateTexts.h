#pragma once

#include <map>
#include <string>
#include <string_view>

namespace PhoneKit::TemplateTexts {

/// Slot key to text: the message of a starter slot, the label of a personal one.
using Table = std::map<std::string, std::string, std::less<>>;

/// Language id to its table, for the eleven languages; every table has the
/// thirteen keys.
const std::map<std::string, Table, std::less<>>& all();

/// The table of `languageID`, else of its base language ("en-GB" → "en",
/// "pt" → "pt-BR", "zh-TW" → "zh-Hans"), else English. Never empty.
const Table& table(std::string_view languageID);

}  // namespace PhoneKit::TemplateTexts
