#include "MacKit/DesktopSearch.h"

#include <PhoneKit/support/Text.h>

#include <algorithm>

namespace MacKit::DesktopSearch {

namespace {

constexpr std::string_view kChat = "chat:";
constexpr std::string_view kMessage = "message:";

std::vector<std::string> words(std::string_view folded) {
    std::vector<std::string> found;
    std::size_t at = 0;
    while (at < folded.size()) {
        const std::size_t end = std::min(folded.find(' ', at), folded.size());
        if (end > at) found.emplace_back(folded.substr(at, end - at));
        at = end + 1;
    }
    return found;
}

bool offered(const PhoneKit::MessageTemplate& message, std::string_view languageID) {
    return !PhoneKit::Templates::needsFilling(message, languageID);
}

}  // namespace

const std::string& Titles::folded(const std::string& title) {
    if (const auto known = known_.find(title); known != known_.end()) return known->second;
    // Edits leave titles no list holds any more: a cache past two full
    // lists starts again.
    if (known_.size() >= 2 * PhoneKit::TemplateLimits::messages) known_.clear();
    return known_.emplace(title, PhoneKit::Text::folded(title)).first->second;
}

std::vector<Answer> answers(std::string_view query, const PhoneKit::Region& region,
                            const std::vector<PhoneKit::MessageTemplate>& messages, std::string_view languageID,
                            Titles& titles) {
    std::vector<Answer> found;
    if (query.size() > maximumQuery) return found;
    for (const PhoneKit::PhoneNumber& number : PhoneKit::PhoneExtractor::numbers(query, region)) {
        if (found.size() == maximumAnswers) return found;
        found.push_back({Answer::Case::chat, std::string(kChat) + number.digits, number.display(), {}});
    }
    const std::string folded = PhoneKit::Text::folded(query);
    if (PhoneKit::Text::scalars(folded).size() < 2) return found;
    const auto terms = words(folded);
    for (const PhoneKit::MessageTemplate& message : messages) {
        if (found.size() == maximumAnswers) break;
        if (!offered(message, languageID)) continue;
        const std::string title = PhoneKit::Templates::title(message, languageID);
        const std::string& foldedTitle = titles.folded(title);
        if (std::all_of(terms.begin(), terms.end(),
                        [&](const std::string& term) { return foldedTitle.find(term) != std::string::npos; })) {
            found.push_back({Answer::Case::message, std::string(kMessage) + message.id, title, message.preview()});
        }
    }
    return found;
}

Target target(std::string_view id, const PhoneKit::Region& region,
              const std::vector<PhoneKit::MessageTemplate>& messages, std::string_view languageID) {
    if (id.size() > maximumQuery) return {};
    if (id.starts_with(kChat)) {
        const std::string digits(id.substr(kChat.size()));
        // The digits must read back as the very number they were given for.
        const auto numbers = PhoneKit::PhoneExtractor::numbers("+" + digits, region);
        if (digits.empty() || numbers.size() != 1 || numbers.front().digits != digits) return {};
        return {numbers.front(), std::nullopt};
    }
    if (id.starts_with(kMessage)) {
        const std::string_view wanted = id.substr(kMessage.size());
        const auto message = std::find_if(messages.begin(), messages.end(),
                                          [&](const PhoneKit::MessageTemplate& m) { return m.id == wanted; });
        if (message != messages.end() && offered(*message, languageID)) return {std::nullopt, *message};
    }
    return {};
}

}  // namespace MacKit::DesktopSearch
