#include "PhoneKit/Text.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

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
    forEachScalar(text, [&](UChar32 c) { blank = blank && u_isUWhiteSpace(c); });
    return blank;
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
