#include "PhoneKit/WhatsAppLink.h"

#include "PhoneKit/Text.h"

#include <bitset>
#include <string>

namespace PhoneKit::WhatsAppLink {

namespace {

// RFC 3986's unreserved characters: everything else is escaped.
const std::bitset<256>& plain() {
    static const std::bitset<256> set = [] {
        std::bitset<256> bits;
        for (unsigned char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~")) {
            bits.set(c);
        }
        return bits;
    }();
    return set;
}

std::string percentEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (unsigned char byte : text) {
        if (plain().test(byte)) {
            out += static_cast<char>(byte);
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

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
