#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// One message of the list: a ready-made slot ("baby_boy", "iban", …) or one
/// the user wrote (a random UUID id). Its first non-blank line is its title.
struct MessageTemplate {
    enum class Kind { starter, personal, custom, location };

    std::string id;
    Kind kind = Kind::custom;
    std::string text;  ///< exactly as sent; empty for an unfilled personal slot

    std::string title() const;    ///< the first line, or empty
    std::string preview() const;  ///< the further lines joined with blanks
    /// The id of ready-made slots; "custom" or "location" for the others.
    std::string analyticsName() const;

    friend bool operator==(const MessageTemplate&, const MessageTemplate&) = default;
};

std::string_view toString(MessageTemplate::Kind kind);
std::optional<MessageTemplate::Kind> templateKindFromString(std::string_view raw);
std::ostream& operator<<(std::ostream& out, const MessageTemplate& message);

/// The stored form: a JSON array of {"id","kind","text"} objects.
std::string encodeTemplates(const std::vector<MessageTemplate>& messages);
/// The list of a stored array; nothing when the bytes are not such an array
/// or any element lacks a member, has one of the wrong type or an unknown
/// kind. Member order does not matter and extra members are ignored.
std::optional<std::vector<MessageTemplate>> decodeTemplates(std::string_view json);
/// What still reads of a stored array that does not read whole (one cut
/// short by a crash or a full disk): every complete element that reads, in
/// order. Empty when there is none.
std::vector<MessageTemplate> salvageTemplates(std::string_view json);

/// The bounds of a message list, the same on every way in (the editor, an
/// import by file, socket or bus): far above what anyone writes, low enough
/// that a hostile list can neither freeze tovu nor exhaust its memory.
namespace TemplateLimits {
inline constexpr std::size_t messages = 2000;
inline constexpr std::size_t characters = 65536;  ///< of one message's text, in code points
inline constexpr std::size_t idBytes = 128;
inline constexpr std::size_t bytes = 4 * 1024 * 1024;  ///< of the list as JSON
}  // namespace TemplateLimits

/// A list offered from outside, or why it is refused: more than the limits
/// allow, not a list, bytes after the array, an empty or repeated id, a
/// message without text that is not a personal slot (an unfilled slot is
/// empty, and an export of the defaults holds three). One id is one message.
struct TemplateImport {
    std::vector<MessageTemplate> messages;
    std::string problem;  ///< empty when the list is taken
};
TemplateImport checkedTemplates(std::string_view json);
/// Why a list of more than `TemplateLimits::bytes` is refused.
std::string listTooLarge();
/// Whether a text fits in one message.
bool fitsInMessage(std::string_view text);

/// The two sections of the companion app's list screen.
enum class TemplateSegment { messages, locations };
inline constexpr std::array<TemplateSegment, 2> allTemplateSegments = {TemplateSegment::messages,
                                                                       TemplateSegment::locations};
std::string_view toString(TemplateSegment segment);

/// The rules of the ready-made slots; every text is looked up by language id.
namespace Templates {

/// The thirteen slot keys in display order.
extern const std::array<std::string_view, 13> order;
/// The slots the user fills with personal data.
extern const std::array<std::string_view, 3> personalIDs;
/// `order` without the personal slots.
extern const std::array<std::string_view, 10> starterIDs;

bool isPersonalID(std::string_view id);

std::vector<MessageTemplate> defaults(std::string_view languageID);
std::string label(std::string_view personalID, std::string_view languageID);
/// The label of an unfilled personal slot, else the message's own title.
std::string title(const MessageTemplate& message, std::string_view languageID);
/// A personal slot still blank, or holding only its label.
bool needsFilling(const MessageTemplate& message, std::string_view languageID);
/// What the editor opens with: an unfilled personal slot starts with its
/// label on the first line and the caret on the next.
std::string editorStart(const MessageTemplate& message, std::string_view languageID);
/// How many of the thirteen slots the list no longer holds.
std::size_t missingCount(const std::vector<MessageTemplate>& messages);
/// The list as it is, then the deleted slots with their built-in texts.
std::vector<MessageTemplate> restoringMissing(std::vector<MessageTemplate> messages, std::string_view languageID);
MessageTemplate newCustom(std::string text);
/// The list with a fresh id on every repeat of an earlier message's id
/// (lists stored before ids were checked), so that one id is one message.
std::vector<MessageTemplate> withUniqueIDs(std::vector<MessageTemplate> messages);

}  // namespace Templates
}  // namespace PhoneKit

template <>
struct std::hash<PhoneKit::MessageTemplate> {
    std::size_t operator()(const PhoneKit::MessageTemplate& message) const noexcept;
};
