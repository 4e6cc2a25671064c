#include "MacKit/MessageBook.h"

#include <PhoneKit/links/WhatsAppLink.h>
#include <PhoneKit/messages/AppLanguage.h>
#include <PhoneKit/messages/TemplateTexts.h>
#include <PhoneKit/support/Text.h>

#include <algorithm>
#include <map>
#include <utility>

namespace MacKit {

using PhoneKit::MessageTemplate;
namespace Templates = PhoneKit::Templates;

namespace {

// A built-in text in an earlier version's wording, untouched by the user,
// reads in today's, and so follows a change of language as the others do.
std::vector<MessageTemplate> inCurrentWording(std::vector<MessageTemplate> messages) {
    for (MessageTemplate& message : messages) {
        if (message.kind != MessageTemplate::Kind::starter) continue;
        for (const auto& old : PhoneKit::TemplateTexts::retired()) {
            if (old.id == message.id && old.text == message.text) {
                message.text = PhoneKit::TemplateTexts::table(old.languageID).at(message.id);
                break;
            }
        }
    }
    return messages;
}

}  // namespace

MessageBook::MessageBook(PhoneKit::TemplateStore store, std::string languageID)
    : languageID_(std::move(languageID)), store_(std::move(store)) {
    if (auto stored = store_.load()) {
        // Deleting or editing one message must never touch another.
        messages_ = inCurrentWording(Templates::withUniqueIDs(*stored));
        if (messages_ != *stored) saveAll();
        return;
    }
    // Seeding overwrites the stored list; one this version cannot read
    // (a newer version's, or one cut short) is the user's work, so keep a
    // copy first, and go on with every message of it that still reads.
    store_.keepUnreadableTemplates();
    auto salvaged = store_.salvage();
    messages_ = salvaged.empty() ? Templates::defaults(languageID_) : std::move(salvaged);
    saveAll();
}

MessageBook MessageBook::opened(PhoneKit::TemplateStore store, const std::optional<std::string>& shownIn,
                                const std::string& languageID) {
    if (!shownIn || *shownIn == languageID) return MessageBook(std::move(store), languageID);
    MessageBook book(std::move(store), *shownIn);
    book.switchLanguage(languageID);
    return book;
}

std::vector<MessageTemplate> MessageBook::found(const PhoneKit::TemplateStore& store, std::string_view languageID) {
    if (auto stored = store.load()) return inCurrentWording(Templates::withUniqueIDs(*stored));
    auto salvaged = store.salvage();
    return salvaged.empty() ? Templates::defaults(languageID) : salvaged;
}

std::string MessageBook::startLanguage(const std::optional<std::string>& stored, bool chosen,
                                       std::string_view interfaceID) {
    const auto& languages = PhoneKit::AppLanguage::all();
    // A choice from a later version, or a hand-edited one, is no choice.
    if (chosen && stored && std::any_of(languages.begin(), languages.end(), [&](const PhoneKit::AppLanguage& l) {
            return l.id == *stored;
        })) {
        return *stored;
    }
    return std::string(interfaceID);
}

std::string MessageBook::title(const MessageTemplate& message) const { return Templates::title(message, languageID_); }

bool MessageBook::needsFilling(const MessageTemplate& message) const {
    return Templates::needsFilling(message, languageID_);
}

std::string MessageBook::editorStart(const std::optional<MessageTemplate>& message) const {
    return message ? Templates::editorStart(*message, languageID_) : std::string();
}

bool MessageBook::accepts(std::string_view text, const std::optional<MessageTemplate>& editing) const {
    const std::string content = PhoneKit::Text::trimmed(text);
    if (content.empty() || !PhoneKit::fitsInMessage(content)) return false;
    const bool replaces = editing && std::any_of(messages_.begin(), messages_.end(),
                                                 [&](const MessageTemplate& m) { return m.id == editing->id; });
    return replaces || messages_.size() < PhoneKit::TemplateLimits::messages;
}

void MessageBook::save(std::string_view text, const std::optional<MessageTemplate>& editing) {
    if (!accepts(text, editing)) return;
    std::string content = PhoneKit::Text::trimmed(text);
    MessageTemplate record = editing ? MessageTemplate{editing->id, editing->kind, std::move(content)}
                                     : Templates::newCustom(std::move(content));
    const auto existing =
        std::find_if(messages_.begin(), messages_.end(), [&](const MessageTemplate& m) { return m.id == record.id; });
    if (existing != messages_.end()) {
        *existing = std::move(record);
    } else {
        messages_.push_back(std::move(record));
    }
    saveAll();
}

void MessageBook::replaceAll(std::vector<MessageTemplate> messages) {
    messages_ = std::move(messages);
    saveAll();
}

void MessageBook::remove(const MessageTemplate& message) {
    std::erase_if(messages_, [&](const MessageTemplate& m) { return m.id == message.id; });
    saveAll();
}

std::size_t MessageBook::missingCount() const { return Templates::missingCount(messages_); }

void MessageBook::restoreMissing() {
    messages_ = Templates::restoringMissing(std::move(messages_), languageID_);
    saveAll();
}

std::optional<PhoneKit::URL> MessageBook::sendURL(const MessageTemplate& message, bool whatsAppInstalled) const {
    if (needsFilling(message)) return std::nullopt;
    return whatsAppInstalled ? PhoneKit::WhatsAppLink::appPicker(message.text)
                             : PhoneKit::WhatsAppLink::picker(message.text);
}

std::vector<PhoneKit::URL> MessageBook::sendCandidates(const MessageTemplate& message, bool whatsAppInstalled) const {
    return sendCandidates(message, languageID_, whatsAppInstalled);
}

std::vector<PhoneKit::URL> MessageBook::sendCandidates(const MessageTemplate& message, std::string_view languageID,
                                                       bool whatsAppInstalled) {
    if (Templates::needsFilling(message, languageID)) return {};
    std::vector<PhoneKit::URL> links;
    if (whatsAppInstalled) links.push_back(PhoneKit::WhatsAppLink::appPicker(message.text));
    links.push_back(PhoneKit::WhatsAppLink::picker(message.text));
    return links;
}

PhoneKit::URL MessageBook::appPickerURL(std::string_view text) { return PhoneKit::WhatsAppLink::appPicker(text); }

void MessageBook::switchLanguage(std::string_view languageID) {
    const std::string old = std::exchange(languageID_, std::string(languageID));
    std::map<std::string, std::string, std::less<>> incoming;
    for (MessageTemplate& slot : Templates::defaults(languageID_)) incoming.emplace(slot.id, std::move(slot.text));
    std::vector<std::vector<MessageTemplate>> builtIn;
    for (const PhoneKit::AppLanguage& language : PhoneKit::AppLanguage::all()) {
        builtIn.push_back(Templates::defaults(language.id));
    }
    // Untouched means equal to a built-in text of any language, so a list
    // that already went through several switches still follows.
    auto untouched = [&](const MessageTemplate& message) {
        return std::any_of(builtIn.begin(), builtIn.end(), [&](const std::vector<MessageTemplate>& slots) {
            return std::any_of(slots.begin(), slots.end(), [&](const MessageTemplate& slot) {
                return slot.id == message.id && slot.text == message.text;
            });
        });
    };

    for (MessageTemplate& message : messages_) {
        if (message.kind == MessageTemplate::Kind::personal) {
            if (Templates::needsFilling(message, old)) message.text.clear();  // shows the new label
        } else if (message.kind == MessageTemplate::Kind::starter && untouched(message)) {
            if (const auto text = incoming.find(message.id); text != incoming.end()) message.text = text->second;
        }
    }
    saveAll();
}

void MessageBook::saveAll() const { store_.save(messages_); }

}  // namespace MacKit
