#pragma once

#include "PhoneKit/Region.h"

#include <vector>

namespace PhoneKit::detail {

/// The rows of the region table in table order (generated file).
std::vector<Region> makeRegionTable();

}  // namespace PhoneKit::detail
