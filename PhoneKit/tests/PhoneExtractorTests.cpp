#include "PhoneKit/numbers/PhoneExtractor.h"
#include "TestSupport.h"
#include "numbers/PhoneExtractorDetail.h"

#include <gtest/gtest.h>

#include <random>

using namespace PhoneKit;
using namespace PhoneKit::testing;
using namespace std::string_literals;

TEST(PhoneExtractor, FindsNumbersTheWayPeopleWriteThem) {
    const auto sa = mobile("966501234567");
    const struct {
        const char* text;
        Numbers expected;
    } cases[] = {
        {"", {}},
        {"Call 0501234567 or 0112345678", {sa, landline("966112345678")}},
        {"0112345678 or 0501234567", {sa, landline("966112345678")}},  // mobiles first
        {"0501234567 0112345678", {sa, landline("966112345678")}},     // one run, two groups
        {"0501234567, 0551234567", {sa, mobile("966551234567")}},
        {"0501234567,0551234567", {sa}},  // the second continues an amount
        {"+966 50 123 4567 and 0501234567", {sa}},
        {"+966 (50) 123-4567", {sa}},
        {"050-123-4567", {sa}},
        {"(050) 123-4567", {sa}},
        {"05 01 23 45 67", {sa}},
        {"+966 5 0 1 2 3 4 5 6 7", {sa}},
        {"+966  -  50 123 4567", {sa}},                // three separators still join
        {"050    1234567", {}},                        // four split the run
        {"٠٥٠١٢٣٤٥٦٧", {sa}},                          // Arabic-Indic digits
        {"۰۵۰۱۲۳۴۵۶۷", {sa}},                          // Extended Arabic-Indic digits
        {"०५०१२३४५६७", {sa}},                          // Devanagari digits
        {"０５０１２３４５６７", {sa}},                // fullwidth digits
        {"050\u2013123\u20144567", {sa}},              // en and em dashes
        {"050\u00A0123\u202F4567", {sa}},              // no-break spaces
        {"050\u2212123\u22124567", {sa}},              // minus signs
        {"\uFF0B966 50 123 4567", {sa}},               // fullwidth plus
        {"\uFE62966501234567", {sa}},                  // small plus
        {"\u200E+966\u200F 50 123 4567\u200E", {sa}},  // direction marks vanish
        {"05\u00AD01234567", {sa}},                    // soft hyphen
        {"abc0501234567", {}},
        {"x0501234567", {}},
        {"z0501234567", {}},
        {"0501234567abc", {}},
        {"0501234567z", {}},
        {"0501234567 ext 12", {sa}},
        {"2024-05-12", {}},
        {"12.05.2024", {}},
        {"+12 05 2024", {other("12052024")}},
        {"2024/05/12", {}},
        {"966501234567 966501234567", {}},
        {"+966501234567 +966501234567", {sa}},
        {"Price 1,234,567", {}},
        {"Price ١٬٢٣٤", {}},
        {"Tel: +966-50-123-4567.", {sa}},
        {",0501234567", {sa}},
        {"1,0501234567", {}},
        {"1\u060C0501234567", {}},  // Arabic comma after a digit
        {"1\u066C0501234567", {}},  // Arabic thousands separator
        {"1\u066B0501234567", {}},  // Arabic decimal separator
        {"a,0501234567", {sa}},     // a comma after a letter is just punctuation
        {"0501234567/0551234567", {sa, mobile("966551234567")}},
        {"0501234567 0551234567 0112345678", {sa, mobile("966551234567"), landline("966112345678")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PhoneExtractor::numbers(c.text, Region::home()), c.expected);
    }
}

namespace {

detail::Runs runsOf(std::string_view text) {
    std::u32string scalars;
    detail::normalized(text, scalars);
    detail::Runs runs;
    detail::runs(scalars, runs);
    return runs;
}

std::vector<std::string_view> groupsOf(const detail::Runs& runs, const detail::Run& run) {
    std::vector<std::string_view> groups;
    for (std::size_t i = 0; i < runs.groupCount(run); ++i) groups.push_back(runs.group(run, i));
    return groups;
}

}  // namespace

TEST(PhoneExtractor, RunsRecordPlusGlueAndGroups) {
    const auto runs = runsOf("+966 50-123 / x7 / 1,234 / (12) 5678abc / 9");
    const auto& list = runs.list;
    ASSERT_EQ(list.size(), 6U);
    EXPECT_EQ(groupsOf(runs, list[0]), (std::vector<std::string_view>{"966", "50", "123"}));
    EXPECT_EQ(runs.window(list[0], 1, 2), "50123");
    EXPECT_TRUE(list[0].hasPlus);
    EXPECT_TRUE(list[1].isPartOfSomethingElse);   // x7
    EXPECT_FALSE(list[2].isPartOfSomethingElse);  // 1
    EXPECT_TRUE(list[3].isPartOfSomethingElse);   // 234 after "1,"
    EXPECT_EQ(groupsOf(runs, list[4]), (std::vector<std::string_view>{"12", "5678"}));
    EXPECT_TRUE(list[4].isPartOfSomethingElse);  // 5678abc
    EXPECT_EQ(groupsOf(runs, list[5]), (std::vector<std::string_view>{"9"}));
    EXPECT_FALSE(list[5].hasPlus);
}

// Hostile and broken input always gives an answer.
TEST(PhoneExtractor, BadInputGivesAnAnswer) {
    const struct {
        std::string text;
        Numbers expected;
    } cases[] = {
        {"05012\37734567"s, {}},  // a stray byte splits the run
        {"0501234567\303"s, {mobile("966501234567")}},
        {"\355\240\2000501234567"s, {mobile("966501234567")}},  // encoded surrogate
        {"\300\260501234567"s, {mobile("966501234567")}},       // overlong "0" is no digit
        {"050\0001234567"s, {}},
        {"0501234567\0"s, {mobile("966501234567")}},
        {"\u0301\u0301\u0301", {}},
        {"\u03010501234567", {mobile("966501234567")}},
        {std::string(5000, '+'), {}},
        {std::string(5000, '-'), {}},
        {std::string(5000, '0'), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        EXPECT_EQ(PhoneExtractor::numbers(c.text, Region::home()), c.expected);
    }

    std::string megabyte;
    while (megabyte.size() < 1'000'000) megabyte += "call 050 123 4567 or +44 7400 123456, 1,234 ";
    EXPECT_EQ(PhoneExtractor::numbers(megabyte, Region::home()),
              (Numbers{mobile("966501234567"), mobile("447400123456")}));
}

TEST(PhoneExtractor, ARegionOutsideTheTableIsReadByItsOwnPatterns) {
    Region custom{"ZZ", "999", "0", "7\\d{7}", "", {}};
    EXPECT_EQ(PhoneExtractor::numbers("071234567", custom), Numbers{other("99971234567")});
    EXPECT_EQ(PhoneExtractor::numbers("0501234567", custom), Numbers{mobile("966501234567")});
}

namespace {

// The rules as written: every window from every start, no length bound.
Numbers plainReading(std::string_view text, const Region& region) {
    std::optional<detail::CompiledRegion> scratch;
    const detail::Reading reading = detail::reading(region, scratch);
    Numbers found;
    const detail::Runs runs = runsOf(text);
    for (const auto& run : runs.list) {
        if (run.isPartOfSomethingElse || detail::looksLikeDate(runs, run)) continue;
        const auto groups = groupsOf(runs, run);
        const std::size_t n = groups.size();
        for (std::size_t start = 0; start < n;) {
            std::optional<PhoneNumber> hit;
            std::size_t end = n;
            while (!hit && end-- > start) {
                std::string candidate;
                for (std::size_t g = start; g <= end; ++g) candidate += groups[g];
                hit = detail::number(candidate, run.hasPlus && start == 0, start == 0 && end == n - 1, reading);
            }
            if (!hit) {
                ++start;
                continue;
            }
            start = end + 1;
            if (std::none_of(found.begin(), found.end(),
                             [&](const PhoneNumber& f) { return f.digits == hit->digits; })) {
                found.push_back(*hit);
            }
        }
    }
    detail::orderLandlinesLast(found);
    return found;
}

}  // namespace

// Skipping windows longer than any number must not change a single result,
// nor reading the text in pieces and windows of any size.
TEST(PhoneExtractor, BoundedWindowsGiveThePlainResults) {
    std::mt19937 random(2026);
    const std::vector<std::string> pieces = {
        "0", "05", "050", "0501234567", "966",  "+966",         "00",  "0112345678", "44", "7400",       "123456",
        "1", "12", "123", "1234",       "4567", "201012345678", "971", "9",          "55", "0551234567", "3",
    };
    const std::vector<std::string> separators = {" ", "-",   ".",        "(",      ")",     " - ", "  ",
                                                 ",", "/",   "    ",     " x ",    "+",     "x",   "\n",
                                                 ";", "a\n", "\xD9\xA3", "\xC3\n", "\u200F"};
    const char* regions[] = {"SA", "GB", "AE", "IN", "US", "EG"};
    for (int t = 0; t < 3000; ++t) {
        std::string text;
        const int parts = 1 + static_cast<int>(random() % (t % 10 == 0 ? 60 : 12));
        for (int p = 0; p < parts; ++p) {
            if (random() % 7 == 0) {
                text += std::string(1 + random() % 25, static_cast<char>('0' + random() % 10));  // long run
            } else {
                text += pieces[random() % pieces.size()];
            }
            text += separators[random() % separators.size()];
        }
        const Region& region = PhoneKit::testing::region(regions[t % 6]);
        const Numbers plain = plainReading(text, region);
        ASSERT_EQ(PhoneExtractor::numbers(text, region), plain) << text << " in " << region;
        PhoneExtractor::Scan scan(region, 1 + random() % 40);
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t piece = 1 + random() % 9;
            scan.add(std::string_view(text).substr(at, piece));
            at += piece;
        }
        ASSERT_EQ(scan.finish(), plain) << text << " in " << region << " in pieces";
    }
    // What glues a run to the text before it stays with it, whatever the window.
    for (const std::string text : {"x0501234567", "tel:+966501234567", "1,0501234567", "a;0501234567\nb0551234567"}) {
        for (std::size_t window = 1; window < text.size(); ++window) {
            PhoneExtractor::Scan scan(Region::home(), window);
            scan.add(text);
            EXPECT_EQ(scan.finish(), plainReading(text, Region::home())) << text << " in windows of " << window;
        }
    }
}
