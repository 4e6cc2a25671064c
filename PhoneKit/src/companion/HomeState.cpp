#include "PhoneKit/companion/HomeState.h"

#include "support/Hashing.h"

#include <vector>

namespace PhoneKit {

NumberLines::NumberLines(std::string_view display) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start < display.size();) {
        const std::size_t end = std::min(display.find(' ', start), display.size());
        if (end > start) parts.push_back(display.substr(start, end - start));
        start = end + 1;
    }
    if (parts.empty()) return;
    code = parts.front();
    const std::size_t middleEnd = parts.size() >= 3 ? parts.size() - 1 : parts.size();
    if (parts.size() >= 3) last = parts.back();
    for (std::size_t i = 1; i < middleEnd; ++i) {
        if (i > 1) middle += ' ';
        middle += parts[i];
    }
}

bool HomeFocusRules::isFresh(std::optional<Date> openedAt, Date now) {
    return openedAt && now - *openedAt < std::chrono::seconds(600);
}

HomeFocus HomeFocusRules::current(bool hasNotice, std::optional<Date> openedAt, bool hasCopied, Date now) {
    if (hasNotice) return HomeFocus::notice;
    if (isFresh(openedAt, now)) return HomeFocus::opened;
    return hasCopied ? HomeFocus::copied : HomeFocus::idle;
}

URL Website::url(std::string_view page, std::string_view languageID) {
    const std::string language = languageID == "ar" ? "ar" : "en";
    return *URL::parse(std::string(base) + language + "/" + percentEncoded(page, "/!$&'()*+,;=:@"));
}

}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::NumberLines>::operator()(const PhoneKit::NumberLines& lines) const noexcept {
    std::size_t seed = std::hash<std::string>{}(lines.code);
    PhoneKit::detail::hashCombine(seed, std::hash<std::string>{}(lines.middle));
    PhoneKit::detail::hashCombine(seed, std::hash<std::string>{}(lines.last));
    return seed;
}
