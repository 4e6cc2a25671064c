#pragma once

#include <PhoneKit/links/URL.h>
#include <PhoneKit/messages/Templates.h>
#include <PhoneKit/stores/TemplateStore.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace MacKit {

/// The user's ready-made messages while the application runs: loaded or
/// seeded, edited, kept in the reader's language, saved after every change.
/// Main thread only.
class MessageBook {
public:
    /// Loads the list (a repeated id gets a fresh one); with none stored, or none readable, seeds the defaults
    /// of `languageID` and saves them at once. An unreadable list is copied
    /// aside first (see TemplateStore::keepUnreadableTemplates), and what of
    /// it still reads (the whole messages of a list cut short) is used
    /// instead of the defaults.
    MessageBook(PhoneKit::TemplateStore store, std::string languageID);
    /// The book of the stored list, last shown in `shownIn` (nothing when
    /// no language was recorded), moved to `languageID`.
    static MessageBook opened(PhoneKit::TemplateStore store, const std::optional<std::string>& shownIn,
                              const std::string& languageID);
    /// The list a start would find, read without writing anything: the
    /// stored list, what still reads of a damaged one, or the ready-made
    /// messages of `languageID`.
    static std::vector<PhoneKit::MessageTemplate> found(const PhoneKit::TemplateStore& store,
                                                        std::string_view languageID);
    /// The language the messages are in at a start: the one the user chose
    /// for them, while it is one they come in, else the interface's.
    static std::string startLanguage(const std::optional<std::string>& stored, bool chosen,
                                     std::string_view interfaceID);

    const std::vector<PhoneKit::MessageTemplate>& messages() const { return messages_; }
    const std::string& languageID() const { return languageID_; }

    std::string title(const PhoneKit::MessageTemplate& message) const;
    bool needsFilling(const PhoneKit::MessageTemplate& message) const;
    /// The editor's first text; empty for a new message.
    std::string editorStart(const std::optional<PhoneKit::MessageTemplate>& message) const;

    /// Whether `save` would store the text: not blank, not longer than a
    /// message may be, and for a new message, room left in the list.
    bool accepts(std::string_view text, const std::optional<PhoneKit::MessageTemplate>& editing) const;
    /// Stores the trimmed text: over the edited message (same id, kind and
    /// place; appended if it was deleted meanwhile) or as a new custom
    /// message at the end. A text it does not accept changes and saves nothing.
    void save(std::string_view text, const std::optional<PhoneKit::MessageTemplate>& editing);
    /// Takes `messages` as the whole list (an import) and saves it.
    void replaceAll(std::vector<PhoneKit::MessageTemplate> messages);
    /// Removes every message with this id and saves, even when none matched.
    void remove(const PhoneKit::MessageTemplate& message);
    std::size_t missingCount() const;
    void restoreMissing();

    /// WhatsApp with the message filled in and no chat chosen; nothing for a
    /// personal slot that still needs filling.
    std::optional<PhoneKit::URL> sendURL(const PhoneKit::MessageTemplate& message, bool whatsAppInstalled) const;
    /// The links to try in order, as `ChatLink::candidates` for a number:
    /// the app's picker first when WhatsApp is installed, then the web
    /// picker. None for a personal slot that still needs filling.
    std::vector<PhoneKit::URL> sendCandidates(const PhoneKit::MessageTemplate& message, bool whatsAppInstalled) const;
    /// The same for a message of a list in `languageID`, without its book.
    static std::vector<PhoneKit::URL> sendCandidates(const PhoneKit::MessageTemplate& message,
                                                     std::string_view languageID, bool whatsAppInstalled);
    static PhoneKit::URL appPickerURL(std::string_view text);

    /// Moves the untouched built-in texts and unfilled labels to another
    /// language; whatever the user wrote stays as written.
    void switchLanguage(std::string_view languageID);

private:
    void saveAll() const;

    std::vector<PhoneKit::MessageTemplate> messages_;
    std::string languageID_;
    PhoneKit::TemplateStore store_;
};

}  // namespace MacKit
