#include "MacKit/DesktopSearch.h"
#include "MacKit/PanelLogic.h"

#include <gtest/gtest.h>

using namespace MacKit;
using PhoneKit::Region;

TEST(ClipboardPolicy, ReadsFreelyOnlyWhenAllowed) {
    using ClipboardPolicy::Action;
    const struct {
        ClipboardAccess access;
        bool looksLikeNumber;
        Action action;
    } cases[] = {
        {ClipboardAccess::allowed, true, Action::read},      {ClipboardAccess::allowed, false, Action::read},
        {ClipboardAccess::ask, true, Action::offerPaste},    {ClipboardAccess::ask, false, Action::nothing},
        {ClipboardAccess::denied, true, Action::offerPaste}, {ClipboardAccess::denied, false, Action::nothing},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClipboardPolicy::onOpen(c.access, c.looksLikeNumber), c.action) << toString(c.access);
        EXPECT_EQ(ClipboardPolicy::needsDetection(c.access), c.access != ClipboardAccess::allowed);
    }
    EXPECT_EQ(ClipboardPolicy::toString(Action::offerPaste), "offerPaste");
}

TEST(Prefill, FillsAnEmptyFieldWithTheClipboardsNumbers) {
    const std::string beyond = std::string(10'000, 'x') + " 0501234567";
    // A number cut by the limit: only "050123" of it is seen.
    const std::string straddling = std::string(9'994, 'x') + " 0501234567";
    // 5,000 user-perceived characters of two scalars (three bytes) each: the
    // number after them is within the limit only when clusters are counted.
    std::string clusters;
    for (int i = 0; i < 5'000; ++i) clusters += "e\u0301";
    const struct {
        std::string field;
        std::optional<std::string> clipboard;
        std::optional<std::string> result;
    } cases[] = {
        {"", "0501234567", "+966 50 123 4567"},
        {" \n", "call 0501234567", "+966 50 123 4567"},
        {"0", "0501234567", std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"", "", std::nullopt},
        {"", "   ", std::nullopt},
        {"", "no number", std::nullopt},
        {"", "0112345678 or 0501234567", "+966 50 123 4567, +966 11 234 5678"},
        {"", beyond, std::nullopt},
        {"", straddling, std::nullopt},
        {"", clusters + " 0501234567", "+966 50 123 4567"},
        {"", clusters + clusters + " 0501234567", std::nullopt},
        {"", "e\u0301 0501234567", "+966 50 123 4567"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard.value_or("(none)").substr(0, 30));
        const std::optional<std::string_view> clipboard =
            c.clipboard ? std::optional<std::string_view>(*c.clipboard) : std::nullopt;
        EXPECT_EQ(Prefill::text(c.field, clipboard, Region::home()), c.result);
    }
    const std::string justInside = std::string(9'988, 'x') + " 0501234567";  // ends at character 10,000
    EXPECT_EQ(Prefill::text("", justInside, Region::home()), "+966 50 123 4567");
}

TEST(ChatLink, DeepLinkWhenInstalledElseWeb) {
    const PhoneKit::PhoneNumber number{"966501234567", PhoneKit::PhoneNumber::Kind::landline};
    EXPECT_EQ(ChatLink::url(number, true).string(), "whatsapp://send?phone=966501234567");
    EXPECT_EQ(ChatLink::url(number, false).string(), "https://wa.me/966501234567");
    EXPECT_EQ(ChatLink::probe().string(), "whatsapp://send?phone=0");
    // Tried in order: the app first, then the web link any browser opens.
    const auto strings = [](const std::vector<PhoneKit::URL>& links) {
        std::vector<std::string> out;
        for (const auto& link : links) out.push_back(link.string());
        return out;
    };
    EXPECT_EQ(strings(ChatLink::candidates(number, true)),
              (std::vector<std::string>{"whatsapp://send?phone=966501234567", "https://wa.me/966501234567"}));
    EXPECT_EQ(strings(ChatLink::candidates(number, false)), std::vector<std::string>{"https://wa.me/966501234567"});
}

TEST(TelLink, TheNumberOfATelLink) {
    const struct {
        const char* link;
        std::optional<std::string> number;
    } cases[] = {
        {"tel:+966501234567", "+966501234567"},
        {"TEL:+966-50-123-4567;ext=12", "+966-50-123-4567"},
        {"tel:%2B966%2050%20123%204567", "+966 50 123 4567"},
        {"tel:0501234567;phone-context=+966", "0501234567"},
        {"tel:%2", "%2"},
        {"tel:%2B%39%36%36", "+966"},
        {"tel:%09+966501234567%0A", "+966501234567"},  // escapes with a leading zero digit
        {"tel:+966%2f50", "+966/50"},                  // lowercase hex up to f
        {"tel:", std::nullopt},
        {"tel:;ext=1", std::nullopt},
        {"mailto:a@b.c", std::nullopt},
        {"te", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TelLink::number(c.link), c.number) << c.link;
}

TEST(LoginItemPolicy, RegistersOnceAndOnlyForThePersonalBuild) {
    EXPECT_TRUE(LoginItemPolicy::registersAtLaunch(false, Flavour::personal));
    EXPECT_FALSE(LoginItemPolicy::registersAtLaunch(false, Flavour::website));
    EXPECT_FALSE(LoginItemPolicy::registersAtLaunch(false, Flavour::appStore));
    for (Flavour flavour : allFlavours) EXPECT_FALSE(LoginItemPolicy::registersAtLaunch(true, flavour));
}

// What the desktop's search offers for a query, and what an id handed back
// opens: only what the query's own answers could have named.
TEST(DesktopSearch, AnswersAndTheTargetsOfTheirIDs) {
    const Region saudi = *Region::withID("SA");
    const auto messages = PhoneKit::Templates::defaults("ar");
    DesktopSearch::Titles titles;
    const auto ids = [&](std::string_view query) {
        std::vector<std::string> found;
        for (const auto& answer : DesktopSearch::answers(query, saudi, messages, "ar", titles)) {
            found.push_back(answer.id);
        }
        return found;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(ids("٠٥٠١٢٣٤٥٦٧"), V{"chat:966501234567"});
    EXPECT_EQ(ids("عيد"), V{"message:eid"});    // the Arabic title "عيدكم مبارك"
    EXPECT_EQ(ids("عِيدُكم"), V{"message:eid"});  // vowel marks aside
    EXPECT_EQ(ids(std::string(DesktopSearch::maximumQuery + 1, ' ') + "0501234567"), V{});
    EXPECT_EQ(ids(std::string(DesktopSearch::maximumQuery - 10, ' ') + "0501234567"), V{"chat:966501234567"});
    std::string many;
    for (int i = 0; i < 20; ++i) many += "05012345" + std::to_string(10 + i) + " ";
    EXPECT_EQ(ids(many).size(), DesktopSearch::maximumAnswers);

    const auto opens = [&](std::string_view id) {
        const auto target = DesktopSearch::target(id, saudi, messages, "ar");
        return target.chat ? target.chat->digits : target.message ? target.message->id : "nothing";
    };
    EXPECT_EQ(opens("chat:966501234567"), "966501234567");
    EXPECT_EQ(opens("message:eid"), "eid");
    for (const char* id : {"chat:", "chat:12", "chat:96650123456x", "chat:+966501234567", "message:iban",
                           "message:", "eid", "966501234567"}) {
        EXPECT_EQ(opens(id), "nothing") << id;
    }
}
