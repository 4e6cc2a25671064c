#include "MacKit/QuitGuard.h"

namespace MacKit::QuitGuard {

std::uint32_t code(std::string_view text) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < text.size() && i < 4; ++i) value = (value << 8) + static_cast<unsigned char>(text[i]);
    return value;
}

std::uint32_t quitEvent() {
    static const std::uint32_t value = code("quit");
    return value;
}

std::uint32_t reasonKey() {
    static const std::uint32_t value = code("why?");
    return value;
}

const std::set<std::uint32_t>& systemReasons() {
    // log out, log out at once, restart, shut down, restart and shut down
    // after the system's dialogs, quit all applications
    static const std::set<std::uint32_t> reasons = {code("logo"), code("rlgo"), code("rest"), code("shut"),
                                                    code("rrst"), code("rsdn"), code("quia")};
    return reasons;
}

Verdict verdict(Flavour flavour, bool explicitQuit, bool systemPoweringOff, std::optional<std::uint32_t> appleEventID,
                std::optional<std::uint32_t> quitReason) {
    if (!refusesQuit(flavour) || explicitQuit || systemPoweringOff) return Verdict::quit;
    if (appleEventID == quitEvent() && quitReason && systemReasons().contains(*quitReason)) return Verdict::quit;
    return Verdict::stay;
}

}  // namespace MacKit::QuitGuard
