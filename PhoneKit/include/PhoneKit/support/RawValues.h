#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace PhoneKit {

/// The case of `cases` whose stored raw value (its `toString`) is exactly
/// `raw`, scanned in order; nothing for any other text.
template <typename Enum, std::size_t N>
std::optional<Enum> fromRawValue(const std::array<Enum, N>& cases, std::string_view raw) {
    for (Enum value : cases) {
        if (toString(value) == raw) return value;
    }
    return std::nullopt;
}

}  // namespace PhoneKit
