#include "PhoneKit/numbers/PhoneExtractor.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace PhoneKit;
using namespace PhoneKit::testing;
using LaunchDecision::Action;
using LaunchDecision::Route;

namespace {

URL url(const char* text) {
    auto parsed = URL::parse(text);
    if (!parsed) throw std::invalid_argument(text);
    return *parsed;
}

}  // namespace

TEST(LaunchDecision, ActionOpensOneChoosesSeveralOrFindsNothing) {
    const struct {
        const char* text;
        Action expected;
    } cases[] = {
        {"0501234567", Action::open(mobile("966501234567"))},
        {"0112345678", Action::open(landline("966112345678"))},
        {"0501234567 0112345678", Action::open(mobile("966501234567"))},
        {"0112345678 0114567890 0501234567", Action::open(mobile("966501234567"))},
        {"0501234567 0551234567 0112345678",
         Action::choose({mobile("966501234567"), mobile("966551234567"), landline("966112345678")})},
        {"0112345678 0114567890", Action::choose({landline("966112345678"), landline("966114567890")})},
        {"+971912345678 or 0501234567", Action::choose({other("971912345678"), mobile("966501234567")})},
        {"hello", Action::nothingFound()},
        {"", Action::nothingFound()},
        {"2024-05-12", Action::nothingFound()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LaunchDecision::action(c.text, Region::home()), c.expected);
    }
}

TEST(LaunchDecision, HomeAlternativeOffersTheOtherReading) {
    EXPECT_EQ(LaunchDecision::homeAlternative("0501234567", mobile("971501234567"), region("AE")),
              mobile("966501234567"));
    // GB already falls back to the home reading, so both agree.
    EXPECT_EQ(LaunchDecision::homeAlternative("0501234567", mobile("966501234567"), region("GB")), std::nullopt);
    EXPECT_EQ(LaunchDecision::homeAlternative("0501234567", mobile("966501234567"), Region::home()), std::nullopt);
    // Only when the region's reading is exactly the opened number.
    EXPECT_EQ(LaunchDecision::homeAlternative("0501234567", mobile("971501234568"), region("AE")), std::nullopt);
    EXPECT_EQ(LaunchDecision::homeAlternative("0501234567 0551234567", mobile("971501234567"), region("AE")),
              std::nullopt);
}

TEST(LaunchDecision, RoutesOfTheAppsOwnLinks) {
    const std::string key = "s3cret-key";
    const struct {
        std::string link;
        std::string key;
        Route expected;
    } cases[] = {
        {"tovu://clipboard", key, Route::readClipboard()},
        {"tovu://clipboard/", key, Route::readClipboard()},
        {"tovu://clipboard?x=1", key, Route::nothing()},
        {"tovu://clipboard?", key, Route::nothing()},  // a query, even empty
        {"TOVU://clipboard", key, Route::nothing()},
        {"tovu://Clipboard", key, Route::nothing()},
        {"http://clipboard", key, Route::nothing()},
        {"tovu:clipboard", key, Route::nothing()},
        {LaunchDecision::templateURL("greeting", key).string(), key, Route::chatPicker("greeting")},
        {"tovu://template?id=greeting&key=" + key, key, Route::chatPicker("greeting")},
        {"tovu://template?key=" + key + "&id=a&id=b", key, Route::chatPicker("a")},  // first item wins
        {"tovu://template?id=greeting&key=" + key, "other", Route::nothing()},
        {"tovu://template?id=greeting&key=" + key, "", Route::nothing()},
        {"tovu://template?id=greeting&key=", "", Route::nothing()},
        {"tovu://template?id=greeting&key=" + key + "x", key, Route::nothing()},
        {"tovu://template?id=greeting&key", key, Route::nothing()},  // a key item without value
        {"tovu://template?id=&key=" + key, key, Route::nothing()},
        {"tovu://template?key=" + key, key, Route::nothing()},
        {"tovu://template?id=greeting", key, Route::nothing()},  // no key at all
        {"tovu://template", key, Route::nothing()},
        {"tovu://template?", key, Route::nothing()},
        {"tovu://other?id=greeting&key=" + key, key, Route::nothing()},
        {"tovo://template?id=greeting&key=" + key, key, Route::nothing()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link + " with key " + c.key);
        const Route route = LaunchDecision::route(url(c.link.c_str()), c.key);
        EXPECT_EQ(route, c.expected);
        EXPECT_EQ(route.readsClipboard(), c.expected.kind == Route::Case::readClipboard);
    }
}

TEST(LaunchDecision, TemplateLinksRoundTripAnyText) {
    for (const std::string& text :
         {std::string("a b"), std::string("a&b=c"), std::string("1+1"), std::string("#top"), std::string("?x"),
          std::string("50%"), std::string("%41"), std::string("مرحبا"), std::string("👋🏽"), std::string(" "),
          std::string("/"), std::string("a\0b", 3), std::string("\xFF\x00", 2)}) {
        SCOPED_TRACE(text);
        const URL link = LaunchDecision::templateURL(text, text);
        EXPECT_EQ(link.scheme(), "tovu");
        EXPECT_EQ(link.host(), "template");
        EXPECT_EQ(URL::parse(link.string()), link);
        EXPECT_EQ(LaunchDecision::templateTap(link, text), text);
        EXPECT_EQ(LaunchDecision::templateTap(link, text + "x"), std::nullopt);
    }
    EXPECT_EQ(LaunchDecision::templateURL("a b", "k").string(), "tovu://template?id=a%20b&key=k");
    // An empty key makes the link worthless, even one made with it.
    EXPECT_EQ(LaunchDecision::templateTap(LaunchDecision::templateURL("id", ""), ""), std::nullopt);
}

TEST(LaunchDecision, ClipboardPasteAndOpeningRules) {
    using LaunchDecision::PasteResult;
    using LaunchDecision::shouldRead;
    EXPECT_FALSE(shouldRead(5, 5, false, false));
    EXPECT_TRUE(shouldRead(5, 4, false, false));
    EXPECT_TRUE(shouldRead(5, std::nullopt, false, false));
    EXPECT_TRUE(shouldRead(5, 5, true, false));
    for (bool forced : {false, true}) {
        for (std::optional<long> last : {std::optional<long>{}, std::optional<long>{4}, std::optional<long>{5}}) {
            EXPECT_FALSE(shouldRead(5, last, forced, true));
        }
    }
    EXPECT_EQ(LaunchDecision::pasteResult(false, 0.249), PasteResult::refusedWithoutAsking);
    EXPECT_EQ(LaunchDecision::pasteResult(false, 0.25), PasteResult::declined);
    EXPECT_EQ(LaunchDecision::pasteResult(true, 0.0), PasteResult::allowed);
    EXPECT_EQ(LaunchDecision::pasteResult(true, 10.0), PasteResult::allowed);

    for (ChatSource source : allChatSources) {
        EXPECT_EQ(LaunchDecision::opensAtOnce(source), source != ChatSource::app) << toString(source);
        EXPECT_EQ(chatSourceFromString(toString(source)), source);
    }
    EXPECT_EQ(chatSourceFromString("Widget"), std::nullopt);
}
