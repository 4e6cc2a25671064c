#pragma once

#include <string>

namespace PhoneKit::UUID {

/// A version-4 UUID from the operating system's secure random source, in its
/// canonical form: 36 characters, upper-case hexadecimal, hyphens 8-4-4-4-12.
std::string random();

}  // namespace PhoneKit::UUID
