#include "PhoneKit/numbers/Region.h"

#include <gtest/gtest.h>

#include <algorithm>

using PhoneKit::Region;

namespace {

bool finds(const std::vector<Region>& found, const char* id) {
    return std::any_of(found.begin(), found.end(), [&](const Region& r) { return r.id == id; });
}

}  // namespace

TEST(RegionSearch, FlagsAndNames) {
    EXPECT_EQ(Region::withID("SA")->flag(), "\U0001F1F8\U0001F1E6");
    EXPECT_EQ(Region::withID("XK")->flag(), "\U0001F1FD\U0001F1F0");
    EXPECT_EQ(Region::withID("SA")->name("en"), "Saudi Arabia");
    EXPECT_EQ(Region::withID("SA")->name("ar"), "المملكة العربية السعودية");
    EXPECT_EQ(Region::withID("DE")->name("de-DE"), "Deutschland");
    EXPECT_EQ(Region::withID("GB")->name("fr_FR"), "Royaume-Uni");
    Region unnamed{"QQ", "999", "", "", "", {}};
    EXPECT_EQ(unnamed.name("en"), "QQ");
}

TEST(RegionSearch, FindsByNameCodeAndId) {
    const struct {
        const char* query;
        const char* locale;
        const char* id;
    } cases[] = {
        {"966", "en", "SA"},         {"+966", "en", "SA"},      {"٩٦٦", "en", "SA"},
        {"sa", "en", "SA"},          {"SA", "en", "SA"},        {"saudi", "en", "SA"},
        {"ARABIA", "en", "SA"},      {" + saudi ", "en", "SA"}, {"السعودية", "en", "SA"},
        {"المملكه", "en", "SA"},                              // teh marbuta written as heh
        {"الأردن", "en", "JO"},      {"الاردن", "en", "JO"},  // with and without hamza
        {"Deutschland", "de", "DE"}, {"germany", "de", "DE"},   {"cote d", "en", "CI"},
        {"ＳＡＵＤＩ", "en", "SA"},  // fullwidth letters
        {"réunion", "en", "RE"},     {"reunion", "en", "RE"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(finds(Region::search(c.query, c.locale), c.id)) << c.query << " in " << c.locale;
    }
    EXPECT_TRUE(Region::search("zzzz", "en").empty());
    EXPECT_FALSE(finds(Region::search("966", "en"), "AE"));
}

TEST(RegionSearch, EmptyQueryGivesEveryRowByLocalName) {
    for (const char* query : {"", "+", " + + "}) {
        const auto all = Region::search(query, "en");
        ASSERT_EQ(all.size(), 243U) << query;
        EXPECT_EQ(all.front().name("en"), "Afghanistan");
    }
    // Locale-aware: "Åland Islands" sorts as "Aland", between Afghanistan and Albania.
    const auto english = Region::search("", "en");
    auto at = [&](const char* id) {
        return std::find_if(english.begin(), english.end(), [&](const Region& r) { return r.id == id; }) -
               english.begin();
    };
    EXPECT_EQ(at("AF"), 0);
    EXPECT_EQ(at("AX"), 1);
    EXPECT_EQ(at("AL"), 2);
    const auto arabic = Region::search("", "ar");
    EXPECT_NE(arabic.front().id, english.front().id);  // ordered by the Arabic names
}
