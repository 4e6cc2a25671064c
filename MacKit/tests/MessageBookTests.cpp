#include "MacKit/MessageBook.h"

#include <PhoneKit/messages/AppLanguage.h>
#include <PhoneKit/messages/TemplateTexts.h>

#include <gtest/gtest.h>

using namespace MacKit;
using PhoneKit::MessageTemplate;
using Kind = MessageTemplate::Kind;

namespace {

// Shared values in memory that count the writes, as a settings file would
// see them.
class CountingValues final : public PhoneKit::SharedValues {
public:
    std::optional<std::string> data(std::string_view key) const override {
        const auto found = values.find(std::string(key));
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void set(const std::optional<std::string>& bytes, std::string_view key) override {
        ++writes;
        if (bytes) {
            values[std::string(key)] = *bytes;
        } else {
            values.erase(std::string(key));
        }
    }
    std::map<std::string, std::string> values;
    int writes = 0;
};

struct Fixture {
    std::shared_ptr<CountingValues> values = std::make_shared<CountingValues>();
    PhoneKit::TemplateStore store{values};

    MessageBook open(const char* language = "en") const { return MessageBook(store, language); }
    std::vector<MessageTemplate> stored() const { return store.load().value(); }
};

const MessageTemplate& withID(const MessageBook& book, std::string_view id) {
    return *std::find_if(book.messages().begin(), book.messages().end(),
                         [&](const MessageTemplate& m) { return m.id == id; });
}

std::string text(const char* language, const char* key) { return PhoneKit::TemplateTexts::all().at(language).at(key); }

}  // namespace

TEST(MessageBook, FirstStartSeedsAndSavesTheDefaults) {
    Fixture f;
    const MessageBook book = f.open("ar");
    EXPECT_EQ(book.messages(), PhoneKit::Templates::defaults("ar"));
    EXPECT_EQ(f.stored(), book.messages());
    EXPECT_EQ(f.values->writes, 1);

    // A later start reads what is there, and an empty list stays empty.
    f.store.save({});
    EXPECT_TRUE(f.open().messages().empty());
    EXPECT_EQ(f.values->writes, 2);
}

// A list cut short (a crash, a full disk) keeps every message it still holds
// whole, instead of the defaults; the bytes it could not read are kept too,
// never over an earlier copy.
TEST(MessageBook, AnUnreadableListKeepsItsWholeMessagesAndItsBytes) {
    const std::string whole =
        R"([{"id":"a","kind":"custom","text":"First {with} [brackets] and \"quotes\""},)"
        R"({"id":"iban","kind":"personal","text":"My IBAN\nSA03"},{"id":"b","kind":"custom","text":"Last"}])";
    const struct {
        std::string stored;
        std::vector<std::string> ids;  // empty: the defaults
    } cases[] = {
        {whole.substr(0, whole.size() - 1), {"a", "iban", "b"}},  // only the closing bracket is gone
        {whole.substr(0, whole.find(R"({"id":"b")")), {"a", "iban"}},
        {whole.substr(0, whole.find(R"(My IBAN)")), {"a"}},
        {whole.substr(0, 10), {}},
        {R"([{"id":"v1","kind":"voice","text":"from a newer version"}])", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Fixture f;
        f.values->values["templates"] = c.stored;
        f.values->values["templates.unreadable"] = "an older copy";
        const MessageBook book = f.open();
        std::vector<std::string> ids;
        for (const auto& message : book.messages()) ids.push_back(message.id);
        if (c.ids.empty()) {
            EXPECT_EQ(book.messages(), PhoneKit::Templates::defaults("en"));
        } else {
            EXPECT_EQ(ids, c.ids);
        }
        EXPECT_EQ(f.values->values["templates.unreadable"], "an older copy");
        EXPECT_EQ(f.values->values["templates.unreadable.2"], c.stored);
        EXPECT_EQ(f.stored(), book.messages());
    }
}

TEST(MessageBook, SavesNewAndEditedMessages) {
    Fixture f;
    MessageBook book = f.open();
    const int writes = f.values->writes;
    book.save("  \n\t ", std::nullopt);
    EXPECT_EQ(f.values->writes, writes);  // blank: nothing changes, nothing is written
    EXPECT_EQ(book.messages().size(), 13U);

    book.save("  Hello\n\n", std::nullopt);
    ASSERT_EQ(book.messages().size(), 14U);
    const MessageTemplate added = book.messages().back();
    EXPECT_EQ(added.kind, Kind::custom);
    EXPECT_EQ(added.text, "Hello");
    EXPECT_EQ(added.id.size(), 36U);
    EXPECT_EQ(f.stored(), book.messages());

    const MessageTemplate thanks = withID(book, "thanks");
    book.save(" Thanks a lot ", thanks);
    EXPECT_EQ(book.messages()[12], (MessageTemplate{"thanks", Kind::starter, "Thanks a lot"}));

    book.remove(thanks);
    book.save("Back again", thanks);  // edited after being deleted: back at the end
    EXPECT_EQ(book.messages().back(), (MessageTemplate{"thanks", Kind::starter, "Back again"}));
    EXPECT_EQ(f.stored(), book.messages());

    // Characters, not bytes, are what a message may hold: 65,536 Arabic
    // letters fit; one more is refused and nothing changes.
    std::string longest;
    for (std::size_t i = 0; i < PhoneKit::TemplateLimits::characters; ++i) longest += "م";
    book.save(longest, added);
    EXPECT_EQ(f.open().messages()[12].text, longest);
    book.save(longest + "م", added);
    EXPECT_EQ(f.open().messages()[12].text, longest);

    // A full list takes edits but no new message.
    std::vector<MessageTemplate> full;
    for (std::size_t i = 0; i < PhoneKit::TemplateLimits::messages; ++i)
        full.push_back(PhoneKit::Templates::newCustom("m"));
    book.replaceAll(full);
    book.save("One more", std::nullopt);
    EXPECT_EQ(f.open().messages().size(), PhoneKit::TemplateLimits::messages);
    book.save("Edited", book.messages().back());
    EXPECT_EQ(f.open().messages().back().text, "Edited");
}

TEST(MessageBook, DeletesRestoresAndSends) {
    Fixture f;
    MessageBook book = f.open();
    const int writes = f.values->writes;
    book.remove({"no-such-id", Kind::custom, ""});
    EXPECT_EQ(f.values->writes, writes + 1);  // saved even when nothing matched

    while (!book.messages().empty()) book.remove(book.messages().front());
    EXPECT_EQ(f.stored(), std::vector<MessageTemplate>{});
    EXPECT_EQ(book.missingCount(), 13U);
    book.restoreMissing();
    EXPECT_EQ(book.messages(), PhoneKit::Templates::defaults("en"));
    EXPECT_EQ(f.stored(), book.messages());

    EXPECT_EQ(book.sendURL(withID(book, "iban"), true), std::nullopt);
    EXPECT_EQ(book.sendURL(withID(book, "thanks"), true)->string(),
              "whatsapp://send?text=Thank%20you%20so%20much%20%F0%9F%8C%B9%0AI%20really%20appreciate%20it");
    EXPECT_EQ(book.sendURL(withID(book, "thanks"), false)->string().substr(0, 21), "https://wa.me/?text=T");
    EXPECT_EQ(MessageBook::appPickerURL(" ").string(), "whatsapp://send");
    EXPECT_EQ(book.editorStart(std::nullopt), "");
    EXPECT_EQ(book.editorStart(withID(book, "iban")), "My IBAN\n");
    EXPECT_EQ(book.title(withID(book, "iban")), "My IBAN");
}

TEST(MessageBook, SwitchingLanguageMovesOnlyUntouchedTexts) {
    Fixture f;
    MessageBook book = f.open("en");
    book.save("My IBAN", withID(book, "iban"));                                       // only the label
    book.save("Home location\nKing Fahd Rd, Riyadh", withID(book, "home_location"));  // filled in
    book.save("Congratulations, both of you!", withID(book, "wedding"));              // edited
    book.save("A message of my own", std::nullopt);
    book.switchLanguage("ar");

    EXPECT_EQ(book.languageID(), "ar");
    EXPECT_EQ(withID(book, "baby_boy").text, text("ar", "baby_boy"));
    EXPECT_EQ(withID(book, "national_address").text, "");
    EXPECT_EQ(withID(book, "iban").text, "");
    EXPECT_EQ(book.title(withID(book, "iban")), "رقم الآيبان");
    EXPECT_EQ(withID(book, "home_location").text, "Home location\nKing Fahd Rd, Riyadh");
    EXPECT_EQ(withID(book, "wedding").text, "Congratulations, both of you!");
    EXPECT_EQ(book.messages().back().text, "A message of my own");
    EXPECT_EQ(f.stored(), book.messages());
}

// From the untouched defaults of every language to every other: each
// starter ends in the new language, each personal slot empty.
// A list saved by an earlier version holds its built-in texts as they were
// worded then: untouched, they take today's wording and still follow a switch.
TEST(MessageBook, EarlierWordingsOfBuiltInTextsStillCountAsUntouched) {
    Fixture f;
    const auto& old = PhoneKit::TemplateTexts::retired().front();
    f.store.save({{std::string(old.id), Kind::starter, std::string(old.text)}, {"own", Kind::custom, "Mine"}});
    MessageBook book = f.open(std::string(old.languageID).c_str());
    EXPECT_EQ(withID(book, old.id).text, PhoneKit::TemplateTexts::table(old.languageID).at(std::string(old.id)));
    EXPECT_EQ(f.stored(), book.messages());
    book.switchLanguage("fr");
    EXPECT_EQ(withID(book, old.id).text, text("fr", std::string(old.id).c_str()));
    EXPECT_EQ(withID(book, "own").text, "Mine");
    for (const auto& earlier : PhoneKit::TemplateTexts::retired()) {  // each one worded otherwise now
        EXPECT_NE(earlier.text, PhoneKit::TemplateTexts::table(earlier.languageID).at(std::string(earlier.id)));
    }
}

TEST(MessageBook, SwitchesFromEachLanguagesDefaults) {
    for (const auto& from : PhoneKit::AppLanguage::all()) {
        for (const auto& to : PhoneKit::AppLanguage::all()) {
            Fixture f;
            MessageBook book = f.open(from.id.c_str());
            book.switchLanguage(to.id);
            EXPECT_EQ(book.messages(), PhoneKit::Templates::defaults(to.id)) << from.id << " -> " << to.id;
        }
    }
    // A French text in an English book is still an untouched one.
    Fixture f;
    f.store.save({{"eid", Kind::starter, text("fr", "eid")}, {"eid2", Kind::starter, text("fr", "eid")}});
    MessageBook book = f.open("en");
    book.switchLanguage("de");
    EXPECT_EQ(book.messages()[0].text, text("de", "eid"));
    EXPECT_EQ(book.messages()[1].text, text("fr", "eid"));  // another id: not a built-in text
}
