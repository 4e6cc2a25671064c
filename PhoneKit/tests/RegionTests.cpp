#include "PhoneKit/numbers/Region.h"
#include "PhoneKit/support/SystemTimeZone.h"
#include "TestSupport.h"
#include "numbers/PatternMatcher.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <unordered_set>

using PhoneKit::Region;
using namespace PhoneKit::testing;

// What the lookups and the extractor rely on: home first, then sorted ids;
// each zone in one row; codes of one to three digits, none the prefix of
// another, so a number's first digits name the only rows that compete.
TEST(Region, TableInvariantsHold) {
    const auto& table = Region::all();
    EXPECT_EQ(Region::home(), table.front());
    std::set<std::string> zones, codes;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Region& row = table[i];
        SCOPED_TRACE(row.id);
        if (i >= 2) {
            EXPECT_LT(table[i - 1].id, row.id);
        }
        for (const auto& zone : row.timeZones) EXPECT_TRUE(zones.insert(zone).second) << zone << " in two rows";
        EXPECT_FALSE(row.mobilePattern.empty());
        EXPECT_TRUE(row.code.size() >= 1 && row.code.size() <= 3) << row.code;
        codes.insert(row.code);
    }
    for (const auto& code : codes) {
        for (const auto& other : codes) EXPECT_TRUE(other == code || !other.starts_with(code)) << code << " " << other;
    }
    const std::unordered_set<Region> set(table.begin(), table.end());
    EXPECT_EQ(set.size(), table.size());
    Region copy = Region::home();
    EXPECT_EQ(std::hash<Region>{}(copy), std::hash<Region>{}(Region::home()));
    copy.timeZones.push_back("Asia/Aden");
    EXPECT_EQ(set.count(copy), 0U);
}

TEST(Region, LookupsScanInTableOrder) {
    const struct {
        const char* zone;
        const char* id;  // nullptr: no region
    } cases[] = {
        {"Asia/Riyadh", "SA"}, {"Europe/London", "GB"},      {"GB", "GB"},           {"GB-Eire", "GB"},
        {"US/Eastern", "US"},  {"America/New_York", "US"},   {"Asia/Kolkata", "IN"}, {"Asia/Calcutta", "IN"},
        {"Iceland", "CI"},     {"Atlantic/Jan_Mayen", "DE"}, {"UTC", nullptr},       {"asia/riyadh", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const auto region = Region::forTimeZone(c.zone);
        EXPECT_EQ(region ? region->id : "-", c.id ? c.id : "-");
        EXPECT_EQ(Region::current(c.zone), region.value_or(Region::home()));
    }
    EXPECT_EQ(Region::withID("GB")->code, "44");
    EXPECT_FALSE(Region::withID("gb"));
    EXPECT_FALSE(Region::withID(""));
    EXPECT_TRUE(Region::withID("XK")->timeZones.empty());
}

// Each way a Linux system names its zone, laid out in a folder of its own.
// The copied files are where ICU guesses a twin zone (Helsinki as AX,
// Podgorica as RS): /etc/timezone or the link must win over that guess.
TEST(Region, TheSystemZoneIsReadWhereverTheSystemKeepsIt) {
    namespace fs = std::filesystem;
    const struct {
        const char* tz;         // nullptr: TZ unset
        const char* localtime;  // "->target": a link; other text: a copied file; nullptr: none
        const char* timezone;   // /etc/timezone, nullptr: none
        const char* name;
        const char* source;
        const char* region;
    } cases[] = {
        {"Asia/Dubai", nullptr, nullptr, "Asia/Dubai", "TZ", "AE"},
        {":Asia/Dubai", "->/usr/share/zoneinfo/Asia/Riyadh", nullptr, "Asia/Dubai", "TZ", "AE"},
        {"/usr/share/zoneinfo/Asia/Dubai", nullptr, nullptr, "Asia/Dubai", "TZ", "AE"},
        {":/usr/share/zoneinfo/posix/Europe/Helsinki", nullptr, nullptr, "Europe/Helsinki", "TZ", "FI"},
        {"right/Europe/Bratislava", nullptr, nullptr, "Europe/Bratislava", "TZ", "SK"},
        {"/etc/localtime", "->../usr/share/zoneinfo/America/Puerto_Rico", nullptr, "America/Puerto_Rico", "TZ", "PR"},
        {"", nullptr, "Asia/Dubai", "UTC", "TZ", "SA"},
        // A POSIX rule names no place: the system's own setting does.
        {"<+04>-4", "->/usr/share/zoneinfo/Asia/Dubai", nullptr, "Asia/Dubai", "/etc/localtime", "AE"},
        {nullptr, "->../usr/share/zoneinfo/Europe/Helsinki", "Europe/Mariehamn", "Europe/Helsinki", "/etc/localtime",
         "FI"},
        {nullptr, "->/usr/share/zoneinfo/posix/Europe/Podgorica", nullptr, "Europe/Podgorica", "/etc/localtime", "ME"},
        {nullptr, "->zoneinfo/Asia/Dubai", nullptr, "Asia/Dubai", "/etc/localtime", "AE"},
        {nullptr, "TZif2 copied", "Europe/Podgorica\n", "Europe/Podgorica", "/etc/timezone", "ME"},
        {nullptr, "TZif2 copied", "  Arctic/Longyearbyen \n", "Arctic/Longyearbyen", "/etc/timezone", "SJ"},
        {nullptr, "->/opt/zones/mine", "America/Puerto_Rico", "America/Puerto_Rico", "/etc/timezone", "PR"},
        {nullptr, "->/usr/share/myzoneinfo/Asia/Dubai", "Asia/Dubai", "Asia/Dubai", "/etc/timezone", "AE"},
        // Nothing the files say names a zone: ICU's guess, whatever it is.
        {nullptr, "TZif2 copied", "../../etc/passwd", nullptr, "ICU", nullptr},
        {nullptr, nullptr, "", nullptr, "ICU", nullptr},
        {"/home/me/zone", nullptr, "Europe/Paris evil", nullptr, "ICU", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("TZ=") + (c.tz ? c.tz : "(unset)") + " localtime=" +
                     (c.localtime ? c.localtime : "-") + " timezone=" + (c.timezone ? c.timezone : "-"));
        const TemporaryFolder root;
        fs::create_directories(root.path() / "etc");
        if (c.localtime && std::string_view(c.localtime).starts_with("->")) {
            fs::create_symlink(c.localtime + 2, root.path() / "etc/localtime");
        } else if (c.localtime) {
            write(root.path() / "etc/localtime", c.localtime);
        }
        if (c.timezone) write(root.path() / "etc/timezone", c.timezone);
        const auto zone =
            PhoneKit::SystemTimeZone::find(c.tz ? std::optional<std::string_view>(c.tz) : std::nullopt, root.path());
        EXPECT_EQ(zone.source, c.source);
        if (!c.name) continue;
        EXPECT_EQ(zone.name, c.name);
        EXPECT_EQ(Region::current(zone.name).id, c.region);
    }
}

TEST(Region, FullMatchIsWholeTextAndEmptyPatternNeverMatches) {
    const std::string& mobile = Region::home().mobilePattern;
    const struct {
        const char* text;
        std::string pattern;
        bool matches;
    } cases[] = {
        {"", "", false},
        {"123", "", false},
        {"501234567", mobile, true},
        {"0501234567", mobile, false},
        {"50123456", mobile, false},
        {"5012345678", mobile, false},
        {"12", "1|12", true},
        {"x", "[", false},  // a malformed pattern matches nothing
        // The syntax numbering patterns are written in.
        {"", "(?:)", true},
        {"19", "1(?:2|)9", true},
        {"129", "1(?:2|)9", true},
        {"5", "[^0-4]", true},
        {"3", "[^0-4]", false},
        {"17", "1[\\d]", true},
        {"1234", "1\\d{3,}", true},
        {"123", "1\\d{3,}", false},
        {"1212123", "(?:12)*3", true},
        {"1213", "(?:12)*3", false},
        {"111", "1+?", true},
        {"7", ".", true},
        // Outside it, or not digits: no match.
        {"1", "1**", false},
        {"1", "1{2,1}", false},
        {"1", "1{1001}", false},
        {"12", "1\\w", false},
        {"12", "(12", false},
        {"x5", "x5", false},
        {"5x", "5.", false},
        {"1", std::string(100000, '(') + "1" + std::string(100000, ')'), false},  // too deep: no crash
        {"1", std::string(60, '(') + "1" + std::string(60, ')'), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PhoneKit::fullMatch(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern.substr(0, 20);
    }
    // Patterns compiled together: a text takes the label of the first that
    // matches it; one outside the syntax drops out.
    const PhoneKit::detail::LabelledPattern together[] = {{"(", 3}, {"12", 2}, {"1\\d", 1}};
    const auto both = PhoneKit::detail::compileDigitAutomaton(together);
    EXPECT_EQ(int(both.matcher().labelOf("12")), 2);
    EXPECT_EQ(int(both.matcher().labelOf("13")), 1);
    EXPECT_EQ(int(both.matcher().labelOf("1")), 0);
}

// The generated tables must answer as each pattern compiled afresh, and
// each calling code's kind automaton as its rows asked one by one.
TEST(Region, GeneratedMatchersAgreeWithFreshOnes) {
    using PhoneKit::detail::compiledTable;
    std::mt19937 random(7);
    for (const auto& row : compiledTable()) {
        SCOPED_TRACE(row.region.id);
        for (int i = 0; i < 60; ++i) {
            std::string digits(1 + random() % 16, '0');
            for (char& d : digits) d = static_cast<char>('0' + random() % 10);
            // Half the samples start like a real number of the row.
            if (i % 2 == 0) digits = std::to_string(random() % 10) + digits;
            EXPECT_EQ(row.mobile.matches(digits), PhoneKit::fullMatch(digits, row.region.mobilePattern)) << digits;
            EXPECT_EQ(row.landline.matches(digits), PhoneKit::fullMatch(digits, row.region.landlinePattern)) << digits;
            std::uint8_t kind = 0;
            for (const std::uint16_t index : PhoneKit::detail::rowsCalled(row.region.code)) {
                const auto& other = compiledTable()[index];
                kind = other.mobile.matches(digits) ? 1 : other.landline.matches(digits) ? 2 : 0;
                if (kind != 0) break;
            }
            EXPECT_EQ(int(row.kinds.labelOf(digits)), int(kind)) << digits;
        }
    }
}

// The extractor never reads windows of more than 18 digits: that is sound
// only while no pattern can match more than 15 (code of three plus 15).
TEST(Region, PatternLengthsBoundTheCandidates) {
    using PhoneKit::detail::compileDigitAutomaton;
    for (const Region& row : Region::all()) {
        for (const std::string* pattern : {&row.mobilePattern, &row.landlinePattern}) {
            const auto lengths = compileDigitAutomaton(*pattern).lengths();
            EXPECT_LE(lengths.max, 15U) << row.id << " " << *pattern;
            EXPECT_GE(lengths.min, 4U) << row.id << " " << *pattern;
        }
    }
    const struct {
        const char* pattern;
        std::size_t min, max;
    } cases[] = {
        {"579[0-8]\\d{5}|5(?:[013-689]\\d|7[0-8])\\d{6}", 9, 9},
        {"3[2-9]\\d{7,8}|(?:31|43)\\d{8}", 9, 10},
        {"38\\d{6,10}|(?:2[89]|39)(?:0\\d{5,6}|[1-9]\\d{5})", 8, 12},
        {"1\\d?", 1, 2},
        {"1\\d{3,}", 4, SIZE_MAX},
        {"(?:12)*3", 1, SIZE_MAX},
        {"[5-4]", 0, 0},  // nothing matches
        {"", 0, 0},
    };
    for (const auto& c : cases) {
        const auto lengths = compileDigitAutomaton(c.pattern).lengths();
        EXPECT_EQ(lengths.min, c.min) << c.pattern;
        EXPECT_EQ(lengths.max, c.max) << c.pattern;
    }
}
