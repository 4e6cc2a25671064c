#pragma once

#include "PhoneKit/numbers/Region.h"

#include <vector>

namespace PhoneKit::detail {

/// The rows of the region table in table order (generated file).
std::vector<Region> makeRegionTable();

}  // namespace PhoneKit::detail
