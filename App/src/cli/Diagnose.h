#pragma once

#include <iosfwd>

/// `tovu --diagnose`: what the platform layer sees, one fact a line.
namespace Diagnose {
int run(std::ostream& out);
}
