#pragma once

#include "MacKit/Flavour.h"

#include <PhoneKit/links/URL.h>
#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The panel's small decisions about the clipboard, the number field, the
/// chat link and opening at login. Plain values in, plain values out.
namespace MacKit {

/// How freely the system lets the application read the clipboard.
enum class ClipboardAccess { allowed, ask, denied };
std::string_view toString(ClipboardAccess access);

namespace ClipboardPolicy {

enum class Action { read, offerPaste, nothing };
std::string_view toString(Action action);

/// Read freely when allowed; otherwise offer the paste button only when the
/// system's detector says the clipboard holds something like a number.
Action onOpen(ClipboardAccess access, bool looksLikeNumber);
/// Whether the detector must be asked before `onOpen`.
bool needsDetection(ClipboardAccess access);

}  // namespace ClipboardPolicy

namespace Prefill {

/// How much of a clipboard is searched, in user-perceived characters.
inline constexpr std::size_t maximumCharacters = 10'000;

/// The text to put into the number field when the panel opens: the display
/// forms of the clipboard's numbers joined with ", ". Nothing when the field
/// already holds text, the clipboard holds no text or no number.
std::optional<std::string> text(std::string_view fieldText, std::optional<std::string_view> clipboard,
                                const PhoneKit::Region& region);

}  // namespace Prefill

namespace ChatLink {

/// The deep link of the number "0": never opened, only asked who handles it.
const PhoneKit::URL& probe();
/// The deep link when WhatsApp is installed, else the web link; no text.
PhoneKit::URL url(const PhoneKit::PhoneNumber& number, bool whatsAppInstalled);
/// The links to try in order: the deep link first when WhatsApp is
/// installed, then the web link, which any browser opens.
std::vector<PhoneKit::URL> candidates(const PhoneKit::PhoneNumber& number, bool whatsAppInstalled);

}  // namespace ChatLink

namespace TelLink {

/// The number of a tel: link as the field should show it: percent-decoded,
/// visual separators kept, parameters (";ext=…") dropped. Nothing for any
/// other link, or one without a number.
std::optional<std::string> number(std::string_view link);

}  // namespace TelLink

namespace LoginItemPolicy {

/// Register at this start: only once per user, and only in flavours that
/// open at login by default.
bool registersAtLaunch(bool defaultApplied, Flavour flavour);

}  // namespace LoginItemPolicy
}  // namespace MacKit
