#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace MacKit {

/// The distribution flavour, fixed when the application is built.
enum class Flavour { personal, website, appStore };

inline constexpr std::array<Flavour, 3> allFlavours = {Flavour::personal, Flavour::website, Flavour::appStore};

std::string_view toString(Flavour flavour);
/// Exactly "personal", "website" or "appStore"; nothing for anything else.
std::optional<Flavour> flavourFromString(std::string_view raw);

/// Keeps running through ordinary quit requests (only the personal build).
bool refusesQuit(Flavour flavour);
/// Registers itself to open at login on its first start.
bool opensAtLoginByDefault(Flavour flavour);

}  // namespace MacKit
