#include "PhoneKit/messages/AppLanguage.h"
#include "PhoneKit/messages/TemplateTexts.h"
#include "PhoneKit/messages/Templates.h"
#include "PhoneKit/support/Text.h"

#include <gtest/gtest.h>

#include <unicode/uchar.h>
#include <unicode/unistr.h>

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

// What the language checks below read the texts as: Unicode scalars, and back
// to UTF-8 for the failure messages.
std::string utf8(std::u32string_view text) {
    std::string out;
    icu::UnicodeString::fromUTF32(reinterpret_cast<const UChar32*>(text.data()), static_cast<int32_t>(text.size()))
        .toUTF8String(out);
    return out;
}

bool isCJK(char32_t c) {  // CJK punctuation, kana, ideographs, full-width forms
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool endsSentence(char32_t c) { return std::u32string_view(U".!?。！？\n").find(c) != std::u32string_view::npos; }

bool isLetter(char32_t c) { return u_isalpha(static_cast<UChar32>(c)) || isCJK(c); }

// How a form is looked for in a text: as a whole word (letter case aside), as
// any part of the text, or at the end of a sentence (only marks, spaces and
// emoji after it).
enum class Match { word, part, sentenceEnd };

bool contains(const std::u32string& text, std::u32string_view form, Match match) {
    if (match == Match::word) {
        std::u32string word;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i < text.size() && u_isalnum(static_cast<UChar32>(text[i]))) {
                word += static_cast<char32_t>(u_tolower(static_cast<UChar32>(text[i])));
                continue;
            }
            if (word == form) return true;
            word.clear();
        }
        return false;
    }
    for (std::size_t at = text.find(form); at != std::u32string::npos; at = text.find(form, at + 1)) {
        if (match == Match::part) return true;
        std::size_t after = at + form.size();
        while (after < text.size() && !endsSentence(text[after]) && !isLetter(text[after])) ++after;
        if (after == text.size() || endsSentence(text[after])) return true;
    }
    return false;
}

std::vector<std::u32string_view> words(std::u32string_view forms) {
    std::vector<std::u32string_view> out;
    for (std::size_t at = 0; at <= forms.size();) {
        const std::size_t end = std::min(forms.find(U' ', at), forms.size());
        out.push_back(forms.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The first text of `texts` that uses one of `forms`, and the form; empty if none does.
std::string firstUse(const std::vector<std::u32string>& texts, const std::vector<std::u32string_view>& forms,
                     Match match) {
    for (const auto& text : texts) {
        for (const auto form : forms) {
            if (contains(text, form, match)) return "\"" + utf8(form) + "\" in \"" + utf8(text) + "\"";
        }
    }
    return {};
}

// Each punctuation rule gives the position of the first mark that breaks it
// in one text, or npos.
constexpr std::size_t kept = std::u32string::npos;

// French: a narrow no-break space (U+202F) before ! ? : ; and nowhere else;
// never a plain or a wide no-break space there, nor nothing.
std::size_t frenchSpacing(const std::u32string& text) {
    const std::u32string_view doubled = U"!?:;";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (doubled.find(c) != doubled.npos && (i == 0 || text[i - 1] != U'\u202F')) return i;
        if (c == U'\u202F' && (i + 1 == text.size() || doubled.find(text[i + 1]) == doubled.npos)) return i;
        if (c == U'\u202F' && i > 0 && (text[i - 1] == U' ' || text[i - 1] == U'\u00A0')) return i;
        if (c == U'\u00A0') return i;
    }
    return kept;
}

// Spanish: every ! and ? closes a ¡ or ¿ opened in the same sentence, and
// every ¡ and ¿ is closed before the sentence ends.
std::size_t spanishMarks(const std::u32string& text) {
    std::u32string open;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'¡' || c == U'¿') {
            open += c;
        } else if (c == U'!' || c == U'?') {
            if (open.empty() || open.back() != (c == U'!' ? U'¡' : U'¿')) return i;
            open.pop_back();
        } else if ((c == U'.' || c == U'\n') && !open.empty()) {
            return i;
        }
    }
    return open.empty() ? kept : text.size();
}

// Chinese and Japanese: full-width marks among CJK characters, no ASCII
// ! ? , . : ; beside one, and no space between two of them.
std::size_t fullWidthMarks(const std::u32string& text) {
    const std::u32string_view ascii = U"!?,.:;";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool besideCJK = (i > 0 && isCJK(text[i - 1])) || (i + 1 < text.size() && isCJK(text[i + 1]));
        const bool betweenCJK = i > 0 && i + 1 < text.size() && isCJK(text[i - 1]) && isCJK(text[i + 1]);
        if (ascii.find(text[i]) != ascii.npos && besideCJK) return i;
        if (text[i] == U' ' && betweenCJK) return i;
    }
    return kept;
}

// Japanese besides: the ideographic comma 、 and full stop 。, not the Chinese ，．
std::size_t japaneseMarks(const std::u32string& text) {
    if (const std::size_t broken = fullWidthMarks(text); broken != kept) return broken;
    const std::size_t chinese = text.find_first_of(U"，．");
    return chinese == std::u32string::npos ? kept : chinese;
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

TEST(Templates, EachLanguageKeepsOneRegisterAndItsOwnPunctuation) {
    const auto texts = [](const std::string& language) {
        std::vector<std::u32string> out;
        for (const auto& [key, text] : TemplateTexts::all().at(language)) out.push_back(Text::scalars(text));
        return out;
    };

    // Forms (space-separated) a table uses at most one side of (`other`
    // empty: never `forms`). `sample` breaks the rule, so that it is seen to bite.
    const struct {
        const char *language, *what;
        Match match;
        std::u32string forms, other, sample;
    } usages[] = {
        {"ru", "ты beside вы", Match::word,
         U"ты тебя тебе тобой тобою твой твоя твоё твое твои твоего твоей твоему твоим твоих твоими твою твоём твоем",
         U"вы вас вам вами ваш ваша ваше ваши вашего вашей вашему вашим ваших вашими вашу вашем",
         U"Поздравляю Тебя и вашу семью"},
        {"ru", "Бог beside Аллах", Match::word, U"бог бога богу богом боге", U"аллах аллаха аллаху аллахом аллахе",
         U"Да примет Аллах. Пусть Бог поможет"},
        {"fr", "tu beside vous", Match::word, U"tu te toi ton ta tes", U"vous votre vos",
         U"Merci à toi et à votre famille"},
        {"es", "tú beside usted", Match::word, U"tú te ti tu tus contigo tuyo tuya tuyos tuyas", U"usted",
         U"Gracias a usted y a tu familia"},
        {"pt-BR", "tu beside você", Match::word, U"tu ti teu tua teus tuas contigo", U"você vocês",
         U"Obrigado a você e à tua família"},
        {"ko", "당신, cold towards the reader", Match::part, U"당신", U"", U"당신의 선행"},
        {"ko", "하나님, the Protestant name (Muslims say 알라)", Match::part, U"하나님", U"", U"하나님께서"},
        {"ko", "해요 endings beside 합니다 endings", Match::sentenceEnd, U"요", U"니다",
         U"축하드려요 👶\n행복하시길 바랍니다"},
        {"ja", "あなた, which polite Japanese leaves out", Match::part, U"あなた", U"", U"あなたに感謝します"},
        {"ja", "the plain だ among polite endings", Match::sentenceEnd, U"だ である", U"", U"大切な日だ 🎓"},
        {"zh-Hans", "星期五 beside 主麻", Match::part, U"星期五", U"主麻", U"主麻吉庆\n愿这个星期五平安"},
    };
    for (const auto& rule : usages) {
        SCOPED_TRACE(std::string(rule.language) + ": " + rule.what);
        const auto breaks = [&rule](const std::vector<std::u32string>& table) {
            const std::string use = firstUse(table, words(rule.forms), rule.match);
            if (use.empty() || rule.other.empty()) return use;
            const std::string otherUse = firstUse(table, words(rule.other), rule.match);
            return otherUse.empty() ? otherUse : use + " beside " + otherUse;
        };
        EXPECT_NE(breaks({rule.sample}), "");
        EXPECT_EQ(breaks(texts(rule.language)), "");
    }

    const struct {
        const char* language;
        std::size_t (*firstBreak)(const std::u32string&);
        std::u32string_view sample;  // breaks the rule
    } punctuation[] = {
        {"fr", frenchSpacing, U"Bravo ! Merci\u202F!"},
        {"fr", frenchSpacing, U"Bravo!"},
        {"es", spanishMarks, U"¡Qué bien! Muchas gracias!"},
        {"es", spanishMarks, U"¡Qué bien. Gracias"},
        {"zh-Hans", fullWidthMarks, U"谢谢!"},
        {"zh-Hans", fullWidthMarks, U"恭喜, 恭喜"},
        {"ja", japaneseMarks, U"ありがとう,本当に"},
        {"ja", japaneseMarks, U"ありがとう，本当に"},
    };
    for (const auto& rule : punctuation) {
        SCOPED_TRACE(rule.language);
        EXPECT_NE(rule.firstBreak(std::u32string(rule.sample)), kept) << utf8(rule.sample);
        for (const auto& text : texts(rule.language)) {
            const std::size_t at = rule.firstBreak(text);
            EXPECT_EQ(at, kept) << "at character " << at << " of \"" << utf8(text) << "\"";
        }
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
