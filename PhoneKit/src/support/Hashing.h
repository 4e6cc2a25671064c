#pragma once

#include <cstddef>

namespace PhoneKit::detail {

/// Folds `value` into `seed` (the Boost recipe), so that field order counts.
inline void hashCombine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

}  // namespace PhoneKit::detail
