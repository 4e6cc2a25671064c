#include "PhoneKit/numbers/Region.h"
#include "PhoneKit/support/SystemTimeZone.h"
#include "TestSupport.h"
#include "numbers/PatternMatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <unordered_set>

using PhoneKit::Region;

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

std::vector<Region> regionsFromDataFile() {
    std::ifstream file(TOVU_REGIONS_TSV);
    std::string line;
    std::getline(file, line);  // header
    std::vector<Region> rows;
    while (std::getline(file, line)) {
        const auto fields = split(line, '\t');
        std::vector<std::string> zones;
        for (const auto& zone : split(fields.at(5), ' ')) {
            if (!zone.empty()) zones.push_back(zone);
        }
        rows.push_back({fields.at(0), fields.at(1), fields.at(2), fields.at(3), fields.at(4), zones});
    }
    return rows;
}

}  // namespace

TEST(Region, CompiledTableEqualsTheDataFileRowByRow) {
    const auto data = regionsFromDataFile();
    ASSERT_EQ(data.size(), Region::all().size());
    for (std::size_t i = 0; i < data.size(); ++i) {
        SCOPED_TRACE(data[i].id);
        EXPECT_EQ(Region::all()[i], data[i]);
    }
}

TEST(Region, TableShapeHolds) {
    const auto& table = Region::all();
    ASSERT_EQ(table.size(), 243U);
    EXPECT_EQ(table.front().id, "SA");
    EXPECT_EQ(table[1].id, "AC");
    EXPECT_EQ(table.back().id, "ZW");
    EXPECT_EQ(Region::home(), table.front());
    for (std::size_t i = 2; i < table.size(); ++i) EXPECT_LT(table[i - 1].id, table[i].id) << table[i].id;

    std::map<std::string, int> trunks;
    std::map<std::string, std::vector<std::string>> byCode;
    std::set<std::string> zones;
    std::vector<std::string> identicalPatterns;
    for (const Region& row : table) {
        ++trunks[row.trunk];
        byCode[row.code].push_back(row.id);
        for (const auto& zone : row.timeZones) EXPECT_TRUE(zones.insert(zone).second) << zone << " in two rows";
        if (row.mobilePattern == row.landlinePattern) identicalPatterns.push_back(row.id);
        EXPECT_FALSE(row.mobilePattern.empty()) << row.id;
    }
    EXPECT_EQ(trunks, (std::map<std::string, int>{{"0", 112}, {"", 100}, {"1", 26}, {"8", 4}, {"06", 1}}));
    EXPECT_EQ(identicalPatterns, (std::vector<std::string>{"CA", "GU", "MP", "PR", "US", "VI"}));

    const std::map<std::string, std::vector<std::string>> shared = {
        {"1", {"AG", "AI", "AS", "BB", "BM", "BS", "CA", "DM", "DO", "GD", "GU", "JM", "KN",
               "KY", "LC", "MP", "MS", "PR", "SX", "TC", "TT", "US", "VC", "VG", "VI"}},
        {"7", {"KZ", "RU"}},
        {"39", {"IT", "VA"}},
        {"44", {"GB", "GG", "IM", "JE"}},
        {"47", {"NO", "SJ"}},
        {"61", {"AU", "CC", "CX"}},
        {"212", {"EH", "MA"}},
        {"262", {"RE", "YT"}},
        {"358", {"AX", "FI"}},
        {"590", {"BL", "GP", "MF"}},
        {"599", {"BQ", "CW"}},
    };
    for (const auto& [code, ids] : byCode) {
        if (ids.size() > 1) {
            EXPECT_EQ(shared.at(code), ids) << code;
        }
        // Codes are prefix-free and of one to three digits: the first one to
        // three digits of a number name the only rows that compete.
        EXPECT_TRUE(code.size() >= 1 && code.size() <= 3) << code;
        for (const auto& [other, unused] : byCode) {
            if (other != code) {
                EXPECT_FALSE(other.starts_with(code)) << code << " prefixes " << other;
            }
        }
    }
    EXPECT_EQ(std::count_if(byCode.begin(), byCode.end(), [](const auto& e) { return e.second.size() > 1; }),
              static_cast<long>(shared.size()));
}

TEST(Region, LookupsScanInTableOrder) {
    const struct {
        const char* zone;
        const char* id;  // nullptr: no region
    } cases[] = {
        {"Asia/Riyadh", "SA"},
        {"Europe/London", "GB"},
        {"GB", "GB"},
        {"GB-Eire", "GB"},
        {"America/New_York", "US"},
        {"US/Eastern", "US"},
        {"Asia/Calcutta", "IN"},
        {"Asia/Kolkata", "IN"},
        {"Iceland", "CI"},
        {"Atlantic/Jan_Mayen", "DE"},
        {"UTC", nullptr},
        {"asia/riyadh", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const auto region = Region::forTimeZone(c.zone);
        if (c.id == nullptr) {
            EXPECT_FALSE(region.has_value());
            EXPECT_EQ(Region::current(c.zone), Region::home());
        } else {
            ASSERT_TRUE(region.has_value());
            EXPECT_EQ(region->id, c.id);
            EXPECT_EQ(Region::current(c.zone), *region);
        }
    }
    EXPECT_EQ(Region::withID("GB")->code, "44");
    EXPECT_FALSE(Region::withID("gb"));
    EXPECT_FALSE(Region::withID(""));
    for (const char* id : {"AC", "XK"}) EXPECT_TRUE(Region::withID(id)->timeZones.empty()) << id;
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
        const PhoneKit::testing::TemporaryFolder root;
        fs::create_directories(root.path() / "etc");
        if (c.localtime && std::string_view(c.localtime).starts_with("->")) {
            fs::create_symlink(c.localtime + 2, root.path() / "etc/localtime");
        } else if (c.localtime) {
            std::ofstream(root.path() / "etc/localtime") << c.localtime;
        }
        if (c.timezone) std::ofstream(root.path() / "etc/timezone") << c.timezone;
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " ~ " + c.pattern.substr(0, 20));
        EXPECT_EQ(PhoneKit::fullMatch(c.text, c.pattern), c.matches);
    }
}

// The extractor reuses matchers compiled once; they must answer exactly as
// an expression built afresh for each match.
TEST(Region, CompiledMatchersAgreeWithFreshMatches) {
    std::mt19937 random(7);
    for (const auto& row : PhoneKit::detail::compiledTable()) {
        SCOPED_TRACE(row.region.id);
        for (int i = 0; i < 60; ++i) {
            std::string digits(1 + random() % 16, '0');
            for (char& d : digits) d = static_cast<char>('0' + random() % 10);
            // Half the samples start like a real number of the row.
            if (i % 2 == 0) digits = std::to_string(random() % 10) + digits;
            EXPECT_EQ(row.mobile.matches(digits), PhoneKit::fullMatch(digits, row.region.mobilePattern)) << digits;
            EXPECT_EQ(row.landline.matches(digits), PhoneKit::fullMatch(digits, row.region.landlinePattern)) << digits;
        }
    }
}

TEST(Region, EqualRegionsHashEqualAndRowsHashApart) {
    std::unordered_set<Region> set(Region::all().begin(), Region::all().end());
    EXPECT_EQ(set.size(), 243U);
    Region copy = Region::home();
    EXPECT_EQ(std::hash<Region>{}(copy), std::hash<Region>{}(Region::home()));
    copy.timeZones.push_back("Asia/Aden");
    EXPECT_NE(copy, Region::home());
    EXPECT_EQ(set.count(copy), 0U);
}

// The extractor never reads windows of more than 18 digits: that is sound
// only while no pattern can match more than 15 (code of three plus 15).
TEST(Region, PatternLengthsBoundTheCandidates) {
    using PhoneKit::detail::PatternMatcher;
    for (const Region& row : Region::all()) {
        for (const std::string* pattern : {&row.mobilePattern, &row.landlinePattern}) {
            if (pattern->empty()) continue;
            const auto lengths = PatternMatcher::lengthsOf(*pattern);
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
        {"a+", 0, SIZE_MAX},  // unknown syntax: no bound
        {"(?:12", 0, SIZE_MAX},
    };
    for (const auto& c : cases) {
        const auto lengths = PatternMatcher::lengthsOf(c.pattern);
        EXPECT_EQ(lengths.min, c.min) << c.pattern;
        EXPECT_EQ(lengths.max, c.max) << c.pattern;
    }
}
