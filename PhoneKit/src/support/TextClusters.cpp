// Text cut at grapheme clusters, apart from the rest of Text: the cut
// needs ICU's break iterator, and a program that never cuts text (the tovu
// command) then loads no ICU library at all.
#include "PhoneKit/support/Text.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <cstdint>
#include <memory>

namespace PhoneKit::Text {

std::string prefixOfCharacters(std::string_view text, std::size_t count) {
    if (text.size() <= count) return std::string(text);  // no more bytes than clusters needed
    UErrorCode status = U_ZERO_ERROR;
    const std::string valid = wellFormed(text);
    std::unique_ptr<UText, decltype(&utext_close)> utext(
        utext_openUTF8(nullptr, valid.data(), static_cast<int64_t>(valid.size()), &status), &utext_close);
    std::unique_ptr<icu::BreakIterator> clusters(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) return valid;
    clusters->setText(utext.get(), status);
    if (U_FAILURE(status)) return valid;
    int32_t end = clusters->first();
    for (std::size_t taken = 0; taken < count; ++taken) {
        const int32_t next = clusters->next();
        if (next == icu::BreakIterator::DONE) return valid;
        end = next;
    }
    // With UTF-8 text the iterator's positions are byte offsets.
    return valid.substr(0, static_cast<std::size_t>(end));
}

}  // namespace PhoneKit::Text
