#pragma once

#include "PhoneKit/links/URL.h"

#include <optional>
#include <string_view>

/// The only builder of WhatsApp URLs. A text that is absent or blank gives
/// the bare form; any other text is percent-encoded whole, its leading and
/// trailing blanks included.
namespace PhoneKit::WhatsAppLink {

/// The web short-link host of both web forms.
inline constexpr std::string_view webHost = "wa.me";

/// whatsapp://send?phone=DIGITS[&text=…]
URL app(std::string_view digits, std::optional<std::string_view> text = std::nullopt);
/// https://wa.me/DIGITS[?text=…]
URL web(std::string_view digits, std::optional<std::string_view> text = std::nullopt);
/// https://wa.me/[?text=…]: WhatsApp asks which chat.
URL picker(std::string_view text);
/// whatsapp://send[?text=…]: WhatsApp asks which chat.
URL appPicker(std::string_view text);

}  // namespace PhoneKit::WhatsAppLink
