#pragma once

#include "PhoneKit/links/URL.h"
#include "PhoneKit/support/Date.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

/// Small values of the companion app's home screen.
namespace PhoneKit {

/// A display number on three lines: "+966" / "50 123" / "4567".
struct NumberLines {
    std::string code;
    std::string middle;
    std::string last;  ///< empty when the display has fewer than three parts

    explicit NumberLines(std::string_view display);

    friend bool operator==(const NumberLines&, const NumberLines&) = default;
};

/// What the home screen puts forward.
enum class HomeFocus { notice, opened, copied, idle };

namespace HomeFocusRules {
/// Less than ten minutes since a chat was opened (a date ahead counts too).
bool isFresh(std::optional<Date> openedAt, Date now);
HomeFocus current(bool hasNotice, std::optional<Date> openedAt, bool hasCopied, Date now);
}  // namespace HomeFocusRules

namespace Website {
/// The product's web site, ending in "/".
inline constexpr std::string_view base = "https://tovu.app/";
/// base + "ar/" or "en/" + page; characters a path cannot carry are escaped.
URL url(std::string_view page, std::string_view languageID);
}  // namespace Website

}  // namespace PhoneKit

template <>
struct std::hash<PhoneKit::NumberLines> {
    std::size_t operator()(const PhoneKit::NumberLines& lines) const noexcept;
};
