#include "MacKit/PanelLogic.h"

#include <PhoneKit/links/WhatsAppLink.h>
#include <PhoneKit/support/Text.h>

#include <algorithm>
#include <cctype>

namespace MacKit {

std::string_view toString(ClipboardAccess access) {
    switch (access) {
        case ClipboardAccess::allowed: return "allowed";
        case ClipboardAccess::ask: return "ask";
        case ClipboardAccess::denied: return "denied";
    }
    return {};
}

namespace ClipboardPolicy {

std::string_view toString(Action action) {
    switch (action) {
        case Action::read: return "read";
        case Action::offerPaste: return "offerPaste";
        case Action::nothing: return "nothing";
    }
    return {};
}

Action onOpen(ClipboardAccess access, bool looksLikeNumber) {
    if (access == ClipboardAccess::allowed) return Action::read;
    return looksLikeNumber ? Action::offerPaste : Action::nothing;
}

bool needsDetection(ClipboardAccess access) { return access != ClipboardAccess::allowed; }

}  // namespace ClipboardPolicy

std::optional<std::string> Prefill::text(std::string_view fieldText, std::optional<std::string_view> clipboard,
                                         const PhoneKit::Region& region) {
    // What the user typed is never replaced.
    if (!PhoneKit::Text::isBlank(fieldText) || !clipboard || clipboard->empty()) return std::nullopt;
    const std::string searched = PhoneKit::Text::prefixOfCharacters(*clipboard, maximumCharacters);
    const auto numbers = PhoneKit::PhoneExtractor::numbers(searched, region);
    if (numbers.empty()) return std::nullopt;
    std::string joined;
    for (const PhoneKit::PhoneNumber& number : numbers) {
        if (!joined.empty()) joined += ", ";
        joined += number.display();
    }
    return joined;
}

const PhoneKit::URL& ChatLink::probe() {
    static const PhoneKit::URL link = PhoneKit::WhatsAppLink::app("0");
    return link;
}

PhoneKit::URL ChatLink::url(const PhoneKit::PhoneNumber& number, bool whatsAppInstalled) {
    return whatsAppInstalled ? PhoneKit::WhatsAppLink::app(number.digits) : PhoneKit::WhatsAppLink::web(number.digits);
}

std::vector<PhoneKit::URL> ChatLink::candidates(const PhoneKit::PhoneNumber& number, bool whatsAppInstalled) {
    if (!whatsAppInstalled) return {url(number, false)};
    return {url(number, true), url(number, false)};
}

std::optional<std::string> TelLink::number(std::string_view link) {
    constexpr std::string_view scheme = "tel:";
    if (link.size() < scheme.size() || !std::equal(scheme.begin(), scheme.end(), link.begin(), [](char a, char b) {
            return a == std::tolower(static_cast<unsigned char>(b));
        })) {
        return std::nullopt;
    }
    std::string_view rest = link.substr(scheme.size());
    rest = rest.substr(0, rest.find(';'));
    std::string number;
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && hex(rest[i + 1]) >= 0 && hex(rest[i + 2]) >= 0) {
            number += static_cast<char>(hex(rest[i + 1]) * 16 + hex(rest[i + 2]));
            i += 2;
        } else {
            number += rest[i];
        }
    }
    number = PhoneKit::Text::trimmed(number);
    if (number.empty()) return std::nullopt;
    return number;
}

bool LoginItemPolicy::registersAtLaunch(bool defaultApplied, Flavour flavour) {
    return !defaultApplied && opensAtLoginByDefault(flavour);
}

}  // namespace MacKit
