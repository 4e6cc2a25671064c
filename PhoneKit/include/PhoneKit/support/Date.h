#pragma once

#include <chrono>

namespace PhoneKit {

/// A moment in time, as the companion stores keep them.
using Date = std::chrono::system_clock::time_point;

}  // namespace PhoneKit
