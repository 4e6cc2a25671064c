#include "PhoneKit/support/Text.h"

#include "support/Unicode.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace PhoneKit::Text {

namespace {

template <typename Visit>
void forEachScalar(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const std::size_t length = text.size();
    std::size_t i = 0;  // the macro is index-type agnostic, so texts beyond 2 GB work too
    while (i < length) {
        UChar32 c;
        U8_NEXT_OR_FFFD(bytes, i, length, c);
        visit(c);
    }
}

// `text` without the scalars satisfying `drop` at either end.
template <typename Drop>
std::string_view trimmedBy(std::string_view text, Drop drop) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    std::size_t begin = std::string_view::npos, end = 0, i = 0;
    while (i < text.size()) {
        const std::size_t at = i;
        UChar32 c;
        U8_NEXT_OR_FFFD(bytes, i, text.size(), c);
        if (drop(c)) continue;
        if (begin == std::string_view::npos) begin = at;
        end = i;
    }
    return begin == std::string_view::npos ? std::string_view() : text.substr(begin, end - begin);
}

bool isWhiteSpace(UChar32 c) {
    // Most text is ASCII, whose white space is tab to carriage return and the space.
    if (c < 0x80) return c == ' ' || (c >= 0x09 && c <= 0x0D);
    return Unicode::of(static_cast<char32_t>(c)).whiteSpace;
}

bool isLineBreak(UChar32 c) { return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029; }

// Spaces and tabs, of any width: white space that is not a line break.
bool isLineBlank(UChar32 c) { return isWhiteSpace(c) && !isLineBreak(c); }

}  // namespace

std::u32string scalars(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    forEachScalar(text, [&](UChar32 c) { out.push_back(static_cast<char32_t>(c)); });
    return out;
}

std::string wellFormed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    forEachScalar(text, [&](UChar32 c) {
        char buffer[U8_MAX_LENGTH];
        int32_t n = 0;
        U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buffer), n, c);  // c is a scalar value
        out.append(buffer, static_cast<std::size_t>(n));
    });
    return out;
}

bool isBlank(std::string_view text) {
    bool blank = true;
    forEachScalar(text, [&](UChar32 c) { blank = blank && isWhiteSpace(c); });
    return blank;
}

std::string trimmed(std::string_view text) { return std::string(trimmedBy(text, isWhiteSpace)); }

std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> found;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    std::size_t start = 0, i = 0;
    auto take = [&](std::size_t end) {
        const auto line = trimmedBy(text.substr(start, end - start), isLineBlank);
        if (!line.empty()) found.emplace_back(line);
    };
    while (i < text.size()) {
        const std::size_t at = i;
        UChar32 c;
        U8_NEXT_OR_FFFD(bytes, i, text.size(), c);
        if (isLineBreak(c)) {
            take(at);
            start = i;
        }
    }
    take(text.size());
    return found;
}

std::string shownSafely(std::string_view text, std::size_t limit) {
    std::string out;
    out.reserve(std::min(text.size(), limit));
    std::size_t taken = 0;
    bool cut = false;
    forEachScalar(text, [&](UChar32 c) {
        if (cut || taken++ == limit) {
            cut = true;
            return;
        }
        if (Unicode::of(static_cast<char32_t>(c)).category == Unicode::Category::control) {
            char escape[8];
            std::snprintf(escape, sizeof escape, c < 0x80 ? "\\x%02x" : "\\u%04x", unsigned(c));
            out += escape;
            return;
        }
        char bytes[U8_MAX_LENGTH];
        int32_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, c);
        out.append(bytes, std::size_t(length));
    });
    if (cut) out += "\u2026";
    return out;
}

bool constantTimeEquals(std::string_view a, std::string_view b) {
    // Walk the longer text completely so the time reveals no common prefix.
    const std::size_t length = a.size() > b.size() ? a.size() : b.size();
    unsigned difference = a.size() == b.size() ? 0U : 1U;
    for (std::size_t i = 0; i < length; ++i) {
        const auto x = i < a.size() ? static_cast<unsigned char>(a[i]) : 0U;
        const auto y = i < b.size() ? static_cast<unsigned char>(b[i]) : 0U;
        difference |= x ^ y;
    }
    return difference == 0;
}

}  // namespace PhoneKit::Text
