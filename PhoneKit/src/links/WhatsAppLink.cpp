#include "PhoneKit/links/WhatsAppLink.h"

#include "PhoneKit/support/Text.h"

#include <string>

namespace PhoneKit::WhatsAppLink {

namespace {

std::string query(std::optional<std::string_view> text, char joiner) {
    if (!text || Text::isBlank(*text)) return {};
    // Ill-formed UTF-8 is repaired rather than dropped, so the user's
    // message still reaches WhatsApp.
    return std::string(1, joiner) + "text=" + percentEncoded(Text::wellFormed(*text));
}

URL parsed(const std::string& text) {
    // Every piece is a constant, ASCII digits or escaped, so this parses.
    return *URL::parse(text);
}

// Digits are ASCII digits by contract and pass unchanged; escaping them
// anyway keeps a caller's mistake from forming a different URL.
std::string digitsPart(std::string_view digits) { return percentEncoded(digits); }

}  // namespace

URL app(std::string_view digits, std::optional<std::string_view> text) {
    return parsed("whatsapp://send?phone=" + digitsPart(digits) + query(text, '&'));
}

URL web(std::string_view digits, std::optional<std::string_view> text) {
    return parsed("https://" + std::string(webHost) + "/" + digitsPart(digits) + query(text, '?'));
}

URL picker(std::string_view text) { return parsed("https://" + std::string(webHost) + "/" + query(text, '?')); }

URL appPicker(std::string_view text) { return parsed("whatsapp://send" + query(text, '?')); }

}  // namespace PhoneKit::WhatsAppLink
