#pragma once

#include "MacKit/Flavour.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string_view>

/// Whether a termination request ends the application. The personal build
/// keeps running unless the user quits from the tray menu or the session is
/// ending; the other builds always quit.
namespace MacKit::QuitGuard {

enum class Verdict { quit, stay };

/// A four-character code: up to four UTF-8 bytes, the first the most
/// significant ("quit" is 0x71756974).
std::uint32_t code(std::string_view text);

/// The event that asks an application to quit.
std::uint32_t quitEvent();
/// The keyword of a quit event's reason.
std::uint32_t reasonKey();
/// Reasons that mean log out, restart, shut down or quit everything.
const std::set<std::uint32_t>& systemReasons();

Verdict verdict(Flavour flavour, bool explicitQuit, bool systemPoweringOff, std::optional<std::uint32_t> appleEventID,
                std::optional<std::uint32_t> quitReason);

}  // namespace MacKit::QuitGuard
