#include "PhoneKit/messages/Templates.h"

#include "PhoneKit/messages/TemplateTexts.h"
#include "PhoneKit/support/RawValues.h"
#include "PhoneKit/support/Text.h"
#include "PhoneKit/support/UUID.h"
#include "support/Hashing.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <ostream>
#include <unordered_map>
#include <unordered_set>

namespace PhoneKit {

std::string MessageTemplate::title() const {
    auto all = Text::lines(text);
    return all.empty() ? std::string() : std::move(all.front());
}

std::string MessageTemplate::preview() const {
    const auto all = Text::lines(text);
    std::string joined;
    for (std::size_t i = 1; i < all.size(); ++i) {
        if (i > 1) joined += ' ';
        joined += all[i];
    }
    return joined;
}

std::string MessageTemplate::analyticsName() const {
    switch (kind) {
        case Kind::starter:
        case Kind::personal: return id;
        case Kind::custom: return "custom";
        case Kind::location: return "location";
    }
    return {};
}

std::string_view toString(MessageTemplate::Kind kind) {
    switch (kind) {
        case MessageTemplate::Kind::starter: return "starter";
        case MessageTemplate::Kind::personal: return "personal";
        case MessageTemplate::Kind::custom: return "custom";
        case MessageTemplate::Kind::location: return "location";
    }
    return {};
}

std::optional<MessageTemplate::Kind> templateKindFromString(std::string_view raw) {
    using Kind = MessageTemplate::Kind;
    return fromRawValue(std::array{Kind::starter, Kind::personal, Kind::custom, Kind::location}, raw);
}

std::ostream& operator<<(std::ostream& out, const MessageTemplate& message) {
    return out << toString(message.kind) << " " << message.id << ": \"" << message.text.substr(0, 40) << "\"";
}

std::string encodeTemplates(const std::vector<MessageTemplate>& messages) {
    auto array = nlohmann::ordered_json::array();
    for (const MessageTemplate& message : messages) {
        array.push_back({{"id", message.id}, {"kind", toString(message.kind)}, {"text", message.text}});
    }
    // Texts arrive as UTF-8 from the interface; should one not be, its bad
    // bytes are written as U+FFFD rather than the whole list failing.
    return array.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::optional<std::vector<MessageTemplate>> decodeTemplates(std::string_view json) {
    // No exceptions: malformed, mistyped or ill-formed UTF-8 input is a
    // discarded value, read as nothing. The parser ends its input at a NUL,
    // which JSON never holds: what came after it would be ignored unread.
    if (json.find('\0') != std::string_view::npos) return std::nullopt;
    const auto array = nlohmann::json::parse(json, nullptr, false);
    if (!array.is_array()) return std::nullopt;
    std::vector<MessageTemplate> messages;
    messages.reserve(array.size());
    for (const auto& element : array) {
        if (!element.is_object()) return std::nullopt;
        const auto id = element.find("id"), kind = element.find("kind"), text = element.find("text");
        if (id == element.end() || kind == element.end() || text == element.end() || !id->is_string() ||
            !kind->is_string() || !text->is_string()) {
            return std::nullopt;
        }
        const auto parsedKind = templateKindFromString(kind->get_ref<const std::string&>());
        if (!parsedKind) return std::nullopt;
        messages.push_back({id->get<std::string>(), *parsedKind, text->get<std::string>()});
    }
    return messages;
}

std::vector<MessageTemplate> salvageTemplates(std::string_view json) {
    std::vector<MessageTemplate> messages;
    const std::size_t open = json.find('[');
    if (open == std::string_view::npos) return messages;
    // Each element of the outer array, found by its brackets (outside strings).
    int depth = 0;
    bool inString = false, escaped = false;
    std::size_t start = open + 1;
    for (std::size_t i = start; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (depth++ == 0) start = i;
        } else if ((c == '}' || c == ']') && depth > 0 && --depth == 0) {
            const std::string element = "[" + std::string(json.substr(start, i + 1 - start)) + "]";
            if (auto one = decodeTemplates(element); one && one->size() == 1)
                messages.push_back(std::move(one->front()));
        } else if (c == ']' && depth == 0) {
            break;  // the end of the outer array
        }
    }
    return messages;
}

namespace {

std::size_t codePoints(std::string_view text) {
    // Continuation bytes carry no code point of their own.
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// 65536 as "65,536": counts are read by people.
std::string grouped(std::size_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string listTooLarge() {
    return "it is larger than " + grouped(TemplateLimits::bytes / (1024 * 1024)) +
           " MiB, the most a message list may be";
}

bool fitsInMessage(std::string_view text) { return codePoints(text) <= TemplateLimits::characters; }

TemplateImport checkedTemplates(std::string_view json) {
    TemplateImport checked;
    // Before anything is parsed: the size alone decides what is too large.
    if (json.size() > TemplateLimits::bytes) {
        checked.problem = listTooLarge();
        return checked;
    }
    auto list = decodeTemplates(json);
    if (!list) {
        checked.problem =
            "it is not a message list (one JSON array of {\"id\",\"kind\",\"text\"} objects, "
            "nothing after it)";
        return checked;
    }
    if (list->size() > TemplateLimits::messages) {
        checked.problem = "it holds " + grouped(list->size()) + " messages; a list holds at most " +
                          grouped(TemplateLimits::messages);
        return checked;
    }
    std::unordered_map<std::string_view, std::size_t> seen;
    for (std::size_t i = 0; i < list->size(); ++i) {
        const MessageTemplate& message = (*list)[i];
        const std::string which = "message " + grouped(i + 1);
        if (message.id.empty()) {
            checked.problem = which + " has no id";
        } else if (message.id.size() > TemplateLimits::idBytes) {
            checked.problem = which + " has an id longer than " + grouped(TemplateLimits::idBytes) + " bytes";
        } else if (const auto [first, isNew] = seen.emplace(message.id, i + 1); !isNew) {
            checked.problem = which + " has the id of message " + grouped(first->second) + "; ids must differ";
        } else if (!fitsInMessage(message.text)) {
            checked.problem = which + " is longer than " + grouped(TemplateLimits::characters) + " characters";
        } else if (message.kind != MessageTemplate::Kind::personal && Text::isBlank(message.text)) {
            checked.problem = which + " has no text (only personal slots may be empty)";
        }
        if (!checked.problem.empty()) return checked;
    }
    checked.messages = std::move(*list);
    return checked;
}

std::string_view toString(TemplateSegment segment) {
    return segment == TemplateSegment::messages ? "messages" : "locations";
}

namespace Templates {

const std::array<std::string_view, 13> order = {
    "baby_boy",   "baby_girl", "condolence", "national_address", "iban",     "home_location", "wedding",
    "graduation", "eid",       "ramadan",    "jumuah",           "get_well", "thanks",
};
const std::array<std::string_view, 3> personalIDs = {"national_address", "iban", "home_location"};
const std::array<std::string_view, 10> starterIDs = {
    "baby_boy", "baby_girl", "condolence", "wedding", "graduation", "eid", "ramadan", "jumuah", "get_well", "thanks",
};

bool isPersonalID(std::string_view id) {
    return std::find(personalIDs.begin(), personalIDs.end(), id) != personalIDs.end();
}

namespace {

std::string textFor(std::string_view key, std::string_view languageID) {
    const auto& table = TemplateTexts::table(languageID);
    const auto entry = table.find(key);
    return entry == table.end() ? std::string() : entry->second;
}

}  // namespace

std::vector<MessageTemplate> defaults(std::string_view languageID) {
    std::vector<MessageTemplate> slots;
    slots.reserve(order.size());
    for (std::string_view key : order) {
        if (isPersonalID(key)) {
            slots.push_back({std::string(key), MessageTemplate::Kind::personal, {}});
        } else {
            slots.push_back({std::string(key), MessageTemplate::Kind::starter, textFor(key, languageID)});
        }
    }
    return slots;
}

std::string label(std::string_view personalID, std::string_view languageID) { return textFor(personalID, languageID); }

std::string title(const MessageTemplate& message, std::string_view languageID) {
    std::string own = message.title();
    if (message.kind == MessageTemplate::Kind::personal && own.empty()) return label(message.id, languageID);
    return own;
}

bool needsFilling(const MessageTemplate& message, std::string_view languageID) {
    if (message.kind != MessageTemplate::Kind::personal) return false;
    const std::string content = Text::trimmed(message.text);
    return content.empty() || content == label(message.id, languageID);
}

std::string editorStart(const MessageTemplate& message, std::string_view languageID) {
    if (message.kind == MessageTemplate::Kind::personal && Text::isBlank(message.text)) {
        return label(message.id, languageID) + "\n";
    }
    return message.text;
}

std::size_t missingCount(const std::vector<MessageTemplate>& messages) {
    return static_cast<std::size_t>(std::count_if(order.begin(), order.end(), [&](std::string_view key) {
        return std::none_of(messages.begin(), messages.end(), [&](const MessageTemplate& m) { return m.id == key; });
    }));
}

std::vector<MessageTemplate> restoringMissing(std::vector<MessageTemplate> messages, std::string_view languageID) {
    std::unordered_set<std::string_view> present;
    for (const MessageTemplate& message : messages) present.insert(message.id);
    std::vector<MessageTemplate> restored;
    for (MessageTemplate& slot : defaults(languageID)) {
        if (!present.contains(slot.id)) restored.push_back(std::move(slot));
    }
    messages.insert(messages.end(), std::make_move_iterator(restored.begin()), std::make_move_iterator(restored.end()));
    return messages;
}

MessageTemplate newCustom(std::string text) { return {UUID::random(), MessageTemplate::Kind::custom, std::move(text)}; }

std::vector<MessageTemplate> withUniqueIDs(std::vector<MessageTemplate> messages) {
    std::unordered_set<std::string> seen;
    for (MessageTemplate& message : messages) {
        while (!seen.insert(message.id).second) message.id = UUID::random();
    }
    return messages;
}

}  // namespace Templates
}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::MessageTemplate>::operator()(const PhoneKit::MessageTemplate& message) const noexcept {
    std::size_t seed = 0;
    PhoneKit::detail::hashCombine(seed, std::hash<std::string>{}(message.id));
    PhoneKit::detail::hashCombine(seed, std::hash<std::string_view>{}(PhoneKit::toString(message.kind)));
    PhoneKit::detail::hashCombine(seed, std::hash<std::string>{}(message.text));
    return seed;
}
