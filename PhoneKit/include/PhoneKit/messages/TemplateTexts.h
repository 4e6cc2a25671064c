#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit::TemplateTexts {

/// Slot key to text: the message of a starter slot, the label of a personal one.
using Table = std::map<std::string, std::string, std::less<>>;

/// Language id to its table, for the eleven languages; every table has the
/// thirteen keys.
const std::map<std::string, Table, std::less<>>& all();

/// A built-in text of an earlier version, worded otherwise since: a stored
/// message that still holds it is the user's untouched copy of the slot.
struct Retired {
    std::string_view id, languageID, text;
};
const std::vector<Retired>& retired();

/// The table of `languageID`, else of its base language ("en-GB" → "en",
/// "pt" → "pt-BR", "zh-TW" → "zh-Hans"), else English. Never empty.
const Table& table(std::string_view languageID);

}  // namespace PhoneKit::TemplateTexts
