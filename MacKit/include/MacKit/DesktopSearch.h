#pragma once

#include <PhoneKit/messages/Templates.h>
#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace MacKit {

/// What tovu answers in the desktop's search (GNOME's overview, KRunner):
/// the chats of the numbers in the query, and the ready-made messages
/// whose title it names. Each answer has an id the desktop hands back to
/// open it.
namespace DesktopSearch {

/// A search field holds a line; anything longer is no query of ours.
inline constexpr std::size_t maximumQuery = 1024;
/// More would not be shown, and a query must never cost more.
inline constexpr std::size_t maximumAnswers = 10;

struct Answer {
    enum class Case { chat, message };
    Case kind = Case::chat;
    std::string id;      ///< "chat:966501234567", or "message:" and the message's id
    std::string shown;   ///< the number as the panel shows it, or the message's title
    std::string detail;  ///< the message's preview; empty for a chat
    friend bool operator==(const Answer&, const Answer&) = default;
};

/// The titles of a list as searches compare them, kept from one query to
/// the next: a list of thousands is folded once, not at every letter typed.
class Titles {
public:
    const std::string& folded(const std::string& title);

private:
    std::unordered_map<std::string, std::string> known_;
};

/// The chats first, in the order the panel lists the numbers, then the
/// messages in the list's order whose title holds every word of the query
/// (case and accents aside). Messages not filled in yet are left out, and a
/// query of one letter names no message.
std::vector<Answer> answers(std::string_view query, const PhoneKit::Region& region,
                            const std::vector<PhoneKit::MessageTemplate>& messages, std::string_view languageID,
                            Titles& titles);

/// What an answer's id opens: a number's chat or a message of the list.
/// Ids come from outside: nothing for one that is no number's (read for
/// `region` as the answer was) or names no message of `messages`.
struct Target {
    std::optional<PhoneKit::PhoneNumber> chat;
    std::optional<PhoneKit::MessageTemplate> message;
};
Target target(std::string_view id, const PhoneKit::Region& region,
              const std::vector<PhoneKit::MessageTemplate>& messages, std::string_view languageID);

}  // namespace DesktopSearch
}  // namespace MacKit
