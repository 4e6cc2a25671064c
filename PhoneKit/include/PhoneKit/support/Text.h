#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit::Text {

/// The Unicode scalars of UTF-8 `text`. Every ill-formed sequence (stray
/// bytes, encoded surrogates, overlong forms) reads as U+FFFD, so any byte
/// string gives an answer.
std::u32string scalars(std::string_view text);

/// `text` with every ill-formed UTF-8 sequence replaced by U+FFFD.
std::string wellFormed(std::string_view text);

/// True when `text` holds nothing but Unicode white space and line breaks.
bool isBlank(std::string_view text);

/// `text` without Unicode white space and line breaks at either end.
std::string trimmed(std::string_view text);

/// The lines of `text`: split at every line break (LF, CR, VT, FF, NEL,
/// U+2028, U+2029), each trimmed of blanks (spaces and tabs of any width),
/// empty lines dropped.
std::vector<std::string> lines(std::string_view text);

/// The first `count` user-perceived characters (extended grapheme
/// clusters) of `text`.
std::string prefixOfCharacters(std::string_view text, std::size_t count);

/// `text` as searches compare it: case, diacritics and width folded, Arabic
/// letter forms and digits of every script unified, "+" and blanks trimmed
/// at either end.
std::string folded(std::string_view text);

/// `text` for a terminal or a log: every control character (C0, DEL, C1)
/// written as an escape ("\x1b", "\u009b") that is shown, not obeyed; at
/// most `limit` scalars, then "…". Ill-formed UTF-8 reads as U+FFFD.
std::string shownSafely(std::string_view text, std::size_t limit = std::string_view::npos);

/// Equality of two secrets in time that depends on their lengths only, not
/// on where they first differ.
bool constantTimeEquals(std::string_view a, std::string_view b);

}  // namespace PhoneKit::Text
