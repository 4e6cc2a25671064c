// Text folded for searching, apart from the rest of Text: the folding needs
// ICU's normalizer, which the tovu command never loads.
#include "PhoneKit/support/Text.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace PhoneKit::Text {

std::string folded(std::string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decompose = icu::Normalizer2::getNFKDInstance(status);
    const icu::Normalizer2* compose = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return std::string(text);
    icu::UnicodeString source =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    source.foldCase();
    const icu::UnicodeString decomposed = decompose->normalize(source, status);
    icu::UnicodeString kept;
    for (int32_t i = 0; i < decomposed.length();) {
        UChar32 c = decomposed.char32At(i);
        i += U16_LENGTH(c);
        if (u_charType(c) == U_NON_SPACING_MARK) continue;  // accents and Arabic vowel marks
        if (c == 0x0622 || c == 0x0623 || c == 0x0625) {
            c = 0x0627;  // alef with madda or hamza: plain alef
        } else if (c == 0x0629) {
            c = 0x0647;  // teh marbuta: heh
        } else if (c == 0x0649) {
            c = 0x064A;  // alef maksura: yeh
        } else if (u_charType(c) == U_DECIMAL_DIGIT_NUMBER) {
            c = U'0' + u_charDigitValue(c);
        }
        kept.append(c);
    }
    std::string out;
    compose->normalize(kept, status).toUTF8String(out);
    const auto first = out.find_first_not_of("+ ");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of("+ ") - first + 1);
}

}  // namespace PhoneKit::Text
