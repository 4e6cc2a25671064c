#pragma once

#include <string>
#include <string_view>

namespace PhoneKit::Text {

/// The Unicode scalars of UTF-8 `text`. Every ill-formed sequence (stray
/// bytes, encoded surrogates, overlong forms) reads as U+FFFD, so any byte
/// string gives an answer.
std::u32string scalars(std::string_view text);

/// `text` with every ill-formed UTF-8 sequence replaced by U+FFFD.
std::string wellFormed(std::string_view text);

/// True when `text` holds nothing but Unicode white space and line breaks.
bool isBlank(std::string_view text);

/// Equality of two secrets in time that depends on their lengths only, not
/// on where they first differ.
bool constantTimeEquals(std::string_view a, std::string_view b);

}  // namespace PhoneKit::Text
