#include "PhoneKit/messages/AppLanguage.h"
#include "PhoneKit/messages/TemplateTexts.h"
#include "PhoneKit/messages/Templates.h"
#include "PhoneKit/support/Text.h"
#include "support/Unicode.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string_view>

using namespace PhoneKit;
using Kind = MessageTemplate::Kind;
using namespace std::string_literals;

namespace {

MessageTemplate personal(const char* id, std::string text = {}) { return {id, Kind::personal, std::move(text)}; }
MessageTemplate custom(std::string text) {
    return {"C0FFEE00-0000-4000-8000-000000000000", Kind::custom, std::move(text)};
}

std::vector<std::string> ids(const std::vector<MessageTemplate>& messages) {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.id);
    return out;
}

}  // namespace

TEST(MessageTemplate, TitleAndPreviewComeFromTrimmedLines) {
    const struct {
        const char* text;
        const char* title;
        const char* preview;
    } cases[] = {
        {"", "", ""},
        {"\n\n \t\n", "", ""},
        {"  Hello  ", "Hello", ""},
        {"Hello\nworld", "Hello", "world"},
        {"\n  Title 🌹 \r\n\r\n line one \u2028line two\u2029\tthree\t", "Title 🌹", "line one line two three"},
        {"\u3000全角\u3000\n次", "全角", "次"},  // an ideographic space is a blank
        {"a\vb\fc\u0085d", "a", "b c d"},
    };
    for (const auto& c : cases) {
        const MessageTemplate message = custom(c.text);
        EXPECT_EQ(message.title(), c.title) << c.text;
        EXPECT_EQ(message.preview(), c.preview) << c.text;
    }
    EXPECT_EQ(personal("iban").analyticsName(), "iban");
    EXPECT_EQ((MessageTemplate{"thanks", Kind::starter, ""}).analyticsName(), "thanks");
    EXPECT_EQ(custom("x").analyticsName(), "custom");
    EXPECT_EQ((MessageTemplate{"x", Kind::location, ""}).analyticsName(), "location");
}

TEST(MessageTemplate, StoredFormReadsStrictlyAndWritesInOrder) {
    const std::vector<MessageTemplate> list = {{"thanks", Kind::starter, "Thank you \"so\" much 🌹\nreally"},
                                               personal("iban"),
                                               custom("/\\\u0001"),
                                               {"p1", Kind::location, "x"}};
    const std::string json = encodeTemplates(list);
    const std::string start = R"([{"id":"thanks","kind":"starter","text":"Thank you \"so\" much )";
    EXPECT_EQ(json.substr(0, start.size()), start);
    EXPECT_EQ(decodeTemplates(json), list);
    EXPECT_EQ(decodeTemplates("[]"), std::vector<MessageTemplate>{});
    EXPECT_EQ(decodeTemplates(R"([{"text":"t","extra":[1],"kind":"custom","id":"a"}])"),
              (std::vector<MessageTemplate>{{"a", Kind::custom, "t"}}));

    const std::string deep = std::string(100000, '[') + std::string(100000, ']');  // valid, deeply nested
    for (const std::string& bad :
         {R"([{"id":"a","kind":"custom"}])"s,           // missing text
          R"([{"id":"a","kind":"draft","text":""}])"s,  // a newer kind
          R"([{"id":"a","kind":"Custom","text":""}])"s, R"([{"id":1,"kind":"custom","text":""}])"s,
          R"([{"id":"a","kind":"custom","text":null}])"s,
          R"([{"id":"a","kind":"custom","text":""}, 7])"s,            // one bad element fails all
          R"({"id":"a","kind":"custom","text":""})"s,                 // not an array
          "[{\"id\":\"a\",\"kind\":\"custom\",\"text\":\"\xFF\"}]"s,  // ill-formed UTF-8
          "not json"s, ""s, "null"s, deep}) {
        EXPECT_EQ(decodeTemplates(bad), std::nullopt) << bad.substr(0, 60);
    }
    // A bad byte that slipped into a text is written as U+FFFD, not lost with the list.
    EXPECT_EQ(decodeTemplates(encodeTemplates({custom("a\xFFz")}))->front().text, "a\uFFFDz");
}

TEST(Templates, SlotsAndTheirTexts) {
    const auto english = Templates::defaults("en");
    ASSERT_EQ(english.size(), Templates::order.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        EXPECT_EQ(english[i].id, Templates::order[i]);
        EXPECT_EQ(english[i].kind, Templates::isPersonalID(english[i].id) ? Kind::personal : Kind::starter);
        EXPECT_EQ(english[i].text, english[i].kind == Kind::personal ? "" : Templates::label(english[i].id, "en"));
    }
    EXPECT_EQ(Templates::label("nonsense", "en"), "");

    // Every language: thirteen keys, the English shape and emoji, distinct texts.
    const auto& reference = TemplateTexts::all().at("en");
    EXPECT_EQ(TemplateTexts::all().size(), AppLanguage::all().size());
    std::map<std::string, std::string> languageOfText;  // no text is word for word another language's
    for (const AppLanguage& language : AppLanguage::all()) {
        SCOPED_TRACE(language.id);
        const auto& table = TemplateTexts::all().at(language.id);
        ASSERT_EQ(table.size(), Templates::order.size());
        for (std::string_view key : Templates::order) {
            const std::string& text = table.at(std::string(key));
            const std::string& original = reference.at(std::string(key));
            const auto emoji = [](const std::string& t) {  // the last word of the title line
                const std::string title = t.substr(0, t.find('\n'));
                return title.substr(title.rfind(' ') + 1);
            };
            EXPECT_FALSE(text.empty()) << key;
            const auto [same, isNew] = languageOfText.emplace(text, language.id);
            EXPECT_TRUE(isNew) << key << " reads as in " << same->second;
            EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 1) << key;
            for (const char* stray : {"  ", " \n", "\n "}) EXPECT_EQ(text.find(stray), std::string::npos) << key;
            EXPECT_TRUE(text.front() != ' ' && text.back() != ' ') << key;
            if (Templates::isPersonalID(key)) {
                EXPECT_EQ(text.find('\n'), std::string::npos) << key;
            } else if (language.id != "ar") {
                EXPECT_EQ(text.find('\n') == std::string::npos, original.find('\n') == std::string::npos) << key;
                EXPECT_EQ(emoji(text), emoji(original)) << key;
            }
        }
    }
}

// The Saudi National Address is named as Saudi Arabia's, not as a word-for-word
// "national address"; German says du to the one person a wish goes to (ihr only
// to the couple).
TEST(Templates, WordingOfSaudiAddressAndGermanDu) {
    const struct {
        const char* language;
        const char* calque;
    } calques[] = {
        {"zh-Hans", "国家地址"},       {"ja", "ナショナルアドレス"},   {"ko", "국가 주소"},
        {"es", "Dirección nacional"},  {"fr", "Adresse nationale"},    {"de", "Nationale Adresse"},
        {"it", "Indirizzo nazionale"}, {"pt-BR", "Endereço nacional"}, {"ru", "Национальный адрес"},
    };
    for (const auto& c : calques) {
        EXPECT_NE(TemplateTexts::all().at(c.language).at("national_address"), c.calque) << c.language;
    }
    const std::regex plural(R"((^|[\s.,!?])(ihr|euch|euer|eure[mnrs]?)($|[\s.,!?]))", std::regex::icase);
    for (const auto& [key, text] : TemplateTexts::all().at("de")) {
        if (key == "wedding") continue;
        EXPECT_FALSE(std::regex_search(text, plural)) << key << ": " << text;
    }
}

TEST(Templates, TableLookupFallsBackByBaseLanguage) {
    const struct {
        const char* asked;
        const char* table;
    } cases[] = {
        {"en", "en"},       {"en-GB", "en"},   {"en_US", "en"},        {"fr-CA", "fr"},      {"pt", "pt-BR"},
        {"pt-PT", "pt-BR"}, {"zh", "zh-Hans"}, {"zh-Hant", "zh-Hans"}, {"zh-TW", "zh-Hans"}, {"sv", "en"},
        {"", "en"},         {"-", "en"},       {"ar-SA", "ar"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(&TemplateTexts::table(c.asked), &TemplateTexts::all().at(c.table)) << c.asked;
    }
    EXPECT_EQ(Templates::defaults("fr-CA")[12].text, TemplateTexts::all().at("fr").at("thanks"));
}

TEST(Templates, PersonalSlotsNeedFillingUntilWrittenIn) {
    const struct {
        MessageTemplate message;
        bool needsFilling;
        const char* title;
        const char* editorStart;
    } cases[] = {
        {personal("iban"), true, "My IBAN", "My IBAN\n"},
        {personal("iban", " \n\t"), true, "My IBAN", "My IBAN\n"},
        {personal("iban", "My IBAN"), true, "My IBAN", "My IBAN"},
        {personal("iban", "\n My IBAN \n\n"), true, "My IBAN", "\n My IBAN \n\n"},
        {personal("iban", "My IBAN\nSA03 8000 0000 6080 1016 7519"), false, "My IBAN",
         "My IBAN\nSA03 8000 0000 6080 1016 7519"},
        {personal("iban", "My IBAN!"), false, "My IBAN!", "My IBAN!"},
        {personal("iban", "رقم الآيبان"), false, "رقم الآيبان", "رقم الآيبان"},  // the Arabic label is text in English
        {custom(""), false, "", ""},
        {{"thanks", Kind::starter, "  "}, false, "", "  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.text);
        EXPECT_EQ(Templates::needsFilling(c.message, "en"), c.needsFilling);
        EXPECT_EQ(Templates::title(c.message, "en"), c.title);
        EXPECT_EQ(Templates::editorStart(c.message, "en"), c.editorStart);
    }
    EXPECT_EQ(Templates::title(personal("iban"), "ar"), "رقم الآيبان");
    EXPECT_TRUE(Templates::needsFilling(personal("iban", "رقم الآيبان"), "ar"));
}

TEST(Templates, RestoringBringsBackOnlyDeletedSlots) {
    const auto full = Templates::defaults("en");
    EXPECT_EQ(Templates::missingCount(full), 0U);
    EXPECT_EQ(Templates::restoringMissing(full, "ar"), full);
    EXPECT_EQ(Templates::missingCount({}), 13U);
    EXPECT_EQ(Templates::restoringMissing({}, "en"), full);

    std::vector<MessageTemplate> edited = {custom("mine"), {"thanks", Kind::custom, "edited"}, personal("iban", "x")};
    EXPECT_EQ(Templates::missingCount(edited), 11U);
    const auto restored = Templates::restoringMissing(edited, "de");
    ASSERT_EQ(restored.size(), 14U);
    EXPECT_EQ(std::vector<MessageTemplate>(restored.begin(), restored.begin() + 3), edited);
    EXPECT_EQ(ids({restored.begin() + 3, restored.end()}),
              (std::vector<std::string>{"baby_boy", "baby_girl", "condolence", "national_address", "home_location",
                                        "wedding", "graduation", "eid", "ramadan", "jumuah", "get_well"}));
    EXPECT_EQ(restored[3].text, TemplateTexts::all().at("de").at("baby_boy"));

    const MessageTemplate a = Templates::newCustom("hi"), b = Templates::newCustom("hi");
    EXPECT_EQ(a.kind, Kind::custom);
    EXPECT_NE(a.id, b.id);
    EXPECT_TRUE(
        std::regex_match(a.id, std::regex("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}")));
}

TEST(AppLanguage, MatchingAndLocales) {
    const struct {
        const char* identifier;
        const char* id;  // nullptr: none
    } cases[] = {
        {"en", "en"},         {"en-GB", "en"},         {"en_US", "en"},
        {"ar", "ar"},         {"ar-SA", "ar"},         {"zh-Hans", "zh-Hans"},
        {"zh", "zh-Hans"},    {"zh-CN", "zh-Hans"},    {"zh-Hans-CN", "zh-Hans"},
        {"zh-Hant", nullptr}, {"zh-Hant-TW", nullptr}, {"zh-TW", "zh-Hans"},
        {"pt", "pt-BR"},      {"pt-PT", "pt-BR"},      {"pt-BR", "pt-BR"},
        {"fr-CA", "fr"},      {"sv", nullptr},         {"", nullptr},
        {"123", nullptr},
    };
    for (const auto& c : cases) {
        const auto language = AppLanguage::matching(std::string_view(c.identifier));
        EXPECT_EQ(language ? language->id : "(none)", c.id ? c.id : "(none)") << c.identifier;
    }
    EXPECT_EQ(AppLanguage::matching(std::nullopt), std::nullopt);

    std::set<std::string> rightToLeft;
    for (const AppLanguage& language : AppLanguage::all()) {
        if (language.isRightToLeft()) rightToLeft.insert(language.id);
    }
    EXPECT_EQ(rightToLeft, std::set<std::string>{"ar"});
    EXPECT_EQ(AppLanguage::english(), (AppLanguage{"en", "English"}));
    EXPECT_EQ(AppLanguage::matching("pt-BR")->locale(), "pt_BR");
    EXPECT_EQ(AppLanguage::matching("zh-Hans")->locale(), "zh_Hans");
    EXPECT_EQ(AppLanguage::matching("ar")->dateLocale(), "ar@numbers=latn");
}

TEST(Text, PrefixOfCharactersCountsClusters) {
    const struct {
        std::string text;
        std::size_t count;
        std::string prefix;
    } cases[] = {
        {"abc", 2, "ab"},          {"abc", 3, "abc"}, {"e\u0301x", 1, "e\u0301"}, {"👋🏽!", 1, "👋🏽"},
        {"a\xFF", 2, "a\xFF"},  // no more bytes than characters asked: the text as it is
        {"a\xFFzz", 2, "a\uFFFD"},
    };
    for (const auto& c : cases) EXPECT_EQ(Text::prefixOfCharacters(c.text, c.count), c.prefix) << c.text;
}

// The compiled-in properties must be ICU's, code point by code point.
TEST(Text, UnicodePropertiesAreICUs) {
    using PhoneKit::Unicode::Category;
    for (UChar32 c = 0; c <= 0x10FFFF; ++c) {
        const auto ours = PhoneKit::Unicode::of(static_cast<char32_t>(c));
        const auto type = u_charType(c);
        const Category expected = type == U_DECIMAL_DIGIT_NUMBER ? Category::decimalDigit
                                  : type == U_DASH_PUNCTUATION   ? Category::dashPunctuation
                                  : type == U_SPACE_SEPARATOR    ? Category::spaceSeparator
                                  : type == U_FORMAT_CHAR        ? Category::format
                                  : type == U_CONTROL_CHAR       ? Category::control
                                                                 : Category::other;
        ASSERT_EQ(ours.category, expected) << std::hex << c;
        ASSERT_EQ(ours.whiteSpace, u_isUWhiteSpace(c) != 0) << std::hex << c;
        if (expected == Category::decimalDigit) {
            ASSERT_EQ(ours.digitValue, u_charDigitValue(c)) << std::hex << c;
        }
    }
}
