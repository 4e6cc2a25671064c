#include "PhoneKit/links/WhatsAppLink.h"

#include <gtest/gtest.h>

using namespace PhoneKit;

TEST(WhatsAppLink, BuildsTheFourForms) {
    const struct {
        URL url;
        const char* expected;
    } cases[] = {
        {WhatsAppLink::app("15550100"), "whatsapp://send?phone=15550100"},
        {WhatsAppLink::app("15550100", "Hi there"), "whatsapp://send?phone=15550100&text=Hi%20there"},
        {WhatsAppLink::app("0"), "whatsapp://send?phone=0"},
        {WhatsAppLink::web("15550100"), "https://wa.me/15550100"},
        {WhatsAppLink::web("15550100", "Hi"), "https://wa.me/15550100?text=Hi"},
        {WhatsAppLink::picker("Thanks!"), "https://wa.me/?text=Thanks%21"},
        {WhatsAppLink::appPicker("a&b"), "whatsapp://send?text=a%26b"},
        {WhatsAppLink::appPicker(" \t\n\r\n "), "whatsapp://send"},
        {WhatsAppLink::picker("\u00A0\u2028\u3000"), "https://wa.me/"},  // Unicode blanks are blank too
        {WhatsAppLink::app("15550100", std::nullopt), "whatsapp://send?phone=15550100"},
        {WhatsAppLink::app("15550100", ""), "whatsapp://send?phone=15550100"},
        {WhatsAppLink::web("15550100", "\n"), "https://wa.me/15550100"},
        {WhatsAppLink::appPicker(" hi\n"), "whatsapp://send?text=%20hi%0A"},  // blanks of a real text stay
    };
    for (const auto& c : cases) EXPECT_EQ(c.url.string(), c.expected);
}

TEST(WhatsAppLink, EscapesAllButTheUnreservedCharacters) {
    const struct {
        const char* text;
        const char* encoded;
    } cases[] = {
        {"-._~", "-._~"},
        {"AZaz09", "AZaz09"},
        {"!*'()/?#@+%", "%21%2A%27%28%29%2F%3F%23%40%2B%25"},
        {"= &;:,$[]", "%3D%20%26%3B%3A%2C%24%5B%5D"},
        {"مرحبا", "%D9%85%D8%B1%D8%AD%D8%A8%D8%A7"},
        {"你好", "%E4%BD%A0%E5%A5%BD"},
        {"👋", "%F0%9F%91%8B"},
        {"a\xFF"
         "b",
         "a%EF%BF%BDb"},  // ill-formed UTF-8 is repaired, not dropped
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhatsAppLink::appPicker(c.text).string(), std::string("whatsapp://send?text=") + c.encoded) << c.text;
    }
}
