#include "PhoneKit/numbers/Region.h"

#include <gtest/gtest.h>

#include <algorithm>

using PhoneKit::Region;

namespace {

bool finds(const std::vector<Region>& found, const char* id) {
    return std::any_of(found.begin(), found.end(), [&](const Region& r) { return r.id == id; });
}

}  // namespace

TEST(RegionSearch, FlagsAndNameFallback) {
    EXPECT_EQ(Region::withID("SA")->flag(), "\U0001F1F8\U0001F1E6");
    EXPECT_EQ(Region::withID("XK")->flag(), "\U0001F1FD\U0001F1F0");
    EXPECT_EQ((Region{"QQ", "999", "", "", "", {}}).name("en"), "QQ");  // a region ICU has no name for
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

// Locale-aware order: "Åland Islands" sorts as "Aland", between Afghanistan and Albania.
TEST(RegionSearch, EmptyQueryGivesEveryRowByLocalName) {
    for (const char* query : {"", "+", " + + "}) {
        const auto all = Region::search(query, "en");
        ASSERT_EQ(all.size(), Region::all().size()) << query;
        EXPECT_EQ((std::vector<std::string>{all[0].id, all[1].id, all[2].id}),
                  (std::vector<std::string>{"AF", "AX", "AL"}));
    }
    EXPECT_NE(Region::search("", "ar").front().id, "AF");  // ordered by the Arabic names
}
