#pragma once

#include "PhoneKit/numbers/PhoneExtractor.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace PhoneKit::testing {

inline const Region& region(const char* id) {
    static const std::vector<Region>& all = Region::all();
    for (const Region& row : all) {
        if (row.id == id) return row;
    }
    throw std::invalid_argument(id);
}

inline PhoneNumber mobile(std::string digits) { return {std::move(digits), PhoneNumber::Kind::mobile}; }
inline PhoneNumber landline(std::string digits) { return {std::move(digits), PhoneNumber::Kind::landline}; }
inline PhoneNumber other(std::string digits) { return {std::move(digits), PhoneNumber::Kind::other}; }

using Numbers = std::vector<PhoneNumber>;

}  // namespace PhoneKit::testing
