#include "PhoneKit/numbers/PhoneExtractor.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace PhoneKit;
using namespace PhoneKit::testing;

// Each text read whole, as when typed into the field.
TEST(PhoneNumber, EveryReadingOfOneCandidate) {
    const struct {
        const char* text;
        const char* region;
        Numbers expected;
    } cases[] = {
        // trunk, bare national mobile, code without plus, "00", plus
        {"0501234567", "SA", {mobile("966501234567")}},
        {"501234567", "SA", {mobile("966501234567")}},
        {"966501234567", "SA", {mobile("966501234567")}},
        {"00966501234567", "SA", {mobile("966501234567")}},
        {"+966 50 123 4567", "SA", {mobile("966501234567")}},
        {"+966 050 123 4567", "SA", {mobile("966501234567")}},
        {"0112345678", "SA", {landline("966112345678")}},
        {"112345678", "SA", {}},  // a landline needs its trunk prefix
        // bare calling codes
        {"966112345678", "SA", {landline("966112345678")}},
        {"966912345678", "SA", {}},  // home code without plus must be valid
        {"971912345678", "SA", {other("971912345678")}},
        {"201012345678", "SA", {mobile("201012345678")}},
        {"9660501234567", "SA", {mobile("966501234567")}},      // trunk zero after the bare code
        {"4407400123456", "SA", {}},                            // "44" is no bare code
        {"971912345678901", "SA", {other("971912345678901")}},  // fifteen digits, the longest there is
        {"9719123456789012", "SA", {}},
        // the region decides, the home region is the second chance
        {"9876543210", "SA", {}},
        {"9876543210", "IN", {mobile("919876543210")}},
        {"09876543210", "SA", {}},
        {"09876543210", "IN", {mobile("919876543210")}},
        {"07400 123456", "GB", {mobile("447400123456")}},
        {"0501234567", "GB", {mobile("966501234567")}},
        {"07400 123456", "SA", {}},
        {"0501234567", "AE", {mobile("971501234567")}},
        {"06 20 123 4567", "HU", {mobile("36201234567")}},  // two-digit trunk
        // a national number of fewer than nine digits only as a whole run
        {"33123456", "QA", {mobile("97433123456")}},
        {"12 33123456", "QA", {}},
        {"12 501234567", "SA", {mobile("966501234567")}},
        {"8 912 345 67 89", "RU", {mobile("79123456789")}},  // trunk 8
        // the international reading
        {"+0501234567", "SA", {}},
        {"+9665012", "SA", {}},
        {"+966501234567890", "SA", {other("966501234567890")}},  // 15 digits, the most a number has
        {"+9665012345678901", "SA", {}},
        {"0096650123456789", "SA", {other("96650123456789")}},
        {"00 50 123 4567", "SA", {other("501234567")}},
        {"+44 (0) 7400 123456", "SA", {mobile("447400123456")}},
        {"+39 06 1234 5678", "SA", {landline("390612345678")}},  // Italy keeps its zero
        {"+1 202 555 0123", "SA", {mobile("12025550123")}},      // NANP numbers cannot be told apart
        {"+999 123 45678", "SA", {other("99912345678")}},        // unknown code, unchecked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + c.region);
        EXPECT_EQ(PhoneExtractor::numbers(c.text, region(c.region)), c.expected);
    }
}

TEST(PhoneNumber, KindComesFromTheFirstFittingRow) {
    const struct {
        const char* text;
        PhoneNumber expected;
    } cases[] = {
        {"+447911123456", mobile("447911123456")},   // GB's patterns miss it, GG's mobile takes it
        {"+1 999 555 0123", other("19995550123")},   // no code-1 row knows area 999
        {"+1 787 234 5678", mobile("17872345678")},  // identical patterns: mobile wins
        {"+44 20 7946 0958", landline("442079460958")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PhoneExtractor::numbers(c.text, Region::home()), Numbers{c.expected});
    }
}

TEST(PhoneNumber, DisplayGroupsNineDigitRests) {
    const struct {
        const char* digits;
        const char* display;
    } cases[] = {
        {"966501234567", "+966 50 123 4567"},
        {"447400123456", "+44 7400123456"},
        {"12025550123", "+1 2025550123"},
        {"201012345678", "+20 1012345678"},
        {"999123", "+999123"},
        {"79123456789", "+7 9123456789"},
        {"33612345678", "+33 61 234 5678"},
    };
    for (const auto& c : cases) EXPECT_EQ(other(c.digits).display(), c.display) << c.digits;
}

TEST(PhoneNumber, JSONRoundTripsAndRefusesMalformedObjects) {
    EXPECT_EQ(mobile("966501234567").json(), R"({"digits":"966501234567","kind":"mobile"})");
    for (const PhoneNumber& number : {mobile("966501234567"), landline("966112345678"), other("999123")}) {
        EXPECT_EQ(PhoneNumber::fromJSON(number.json()), number);
    }
    EXPECT_EQ(PhoneNumber::fromJSON(R"({"kind":"landline","extra":1,"digits":"4420"})"), landline("4420"));
    for (const char* bad :
         {R"({"digits":"966501234567"})", R"({"kind":"mobile"})", R"({"digits":966501234567,"kind":"mobile"})",
          R"({"digits":"966501234567","kind":"Mobile"})", R"({"digits":"","kind":"mobile"})",
          R"({"digits":"+966501234567","kind":"mobile"})", R"({"digits":"٩٦٦","kind":"mobile"})",
          R"(["966501234567","mobile"])", "", "{", "null"}) {
        EXPECT_FALSE(PhoneNumber::fromJSON(bad)) << bad;
    }
}
