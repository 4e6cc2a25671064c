#include "PhoneKit/numbers/PhoneExtractor.h"

#include "PhoneExtractorDetail.h"
#include "PhoneKit/support/RawValues.h"
#include "PhoneKit/support/Text.h"
#include "RegionTables.h"
#include "support/Hashing.h"
#include "support/Unicode.h"

#include <unicode/utf8.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <ostream>
#include <unordered_set>

namespace PhoneKit {

namespace {

using detail::CompiledRegion;
using detail::Reading;

// Codes under which a number typed without plus or "00" still counts as
// international: the home region's neighbours and the diasporas most often
// met there.
constexpr std::array<std::string_view, 17> kBareCountryCodes = {
    "966", "971", "965", "973", "974", "968", "962", "961", "963", "964", "967", "970", "249", "880", "20", "91", "92",
};

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool isSeparator(char32_t c) { return c == U' ' || c == U'-' || c == U'.' || c == U'(' || c == U')'; }
bool isThousandsMark(char32_t c) { return c == U',' || c == 0x066C || c == 0x066B || c == 0x060C; }

// The first row of the calling code whose mobile or landline pattern
// matches decides: one walk through the code's generated automaton.
PhoneNumber::Kind kindOf(std::string_view digits) {
    const auto rows = detail::rowsCalled(digits);
    if (rows.empty()) return PhoneNumber::Kind::other;
    const CompiledRegion& row = detail::compiledTable()[rows.front()];
    switch (row.kinds.labelOf(digits.substr(row.region.code.size()))) {
        case detail::kMobileLabel: return PhoneNumber::Kind::mobile;
        case detail::kLandlineLabel: return PhoneNumber::Kind::landline;
        default: return PhoneNumber::Kind::other;
    }
}

PhoneNumber classified(std::string digits) {
    const PhoneNumber::Kind kind = kindOf(digits);
    return {std::move(digits), kind};
}

// A zero written between calling code and national number ("+44 (0)7400…").
std::string strippingTrunkZero(std::string_view digits) {
    for (const std::uint16_t index : detail::rowsCalled(digits)) {
        const Region& row = Region::all()[index];
        if (row.trunk != "0") continue;
        if (digits.size() > row.code.size() && digits[row.code.size()] == '0') {
            return row.code + std::string(digits.substr(row.code.size() + 1));
        }
    }
    return std::string(digits);
}

std::optional<PhoneNumber> localNumber(std::string_view s, const CompiledRegion& compiled, bool wholeRun) {
    const Region& region = compiled.region;
    if (!region.trunk.empty() && startsWith(s, region.trunk)) {
        const std::string_view national = s.substr(region.trunk.size());
        if (compiled.matchesEither(national)) return classified(region.code + std::string(national));
    }
    if (!wholeRun && s.size() < 9) return std::nullopt;
    // Without its trunk prefix a national number counts only as a mobile:
    // "112345678" is too likely something else to be a Riyadh landline.
    if (compiled.mobile.matches(s)) return classified(region.code + std::string(s));
    if (wholeRun && startsWith(s, region.code) && compiled.mobile.matches(s.substr(region.code.size()))) {
        return classified(std::string(s));
    }
    return std::nullopt;
}

std::optional<PhoneNumber> internationalNumber(std::string_view s) {
    if (s.size() < 8 || s.size() > 15 || s.front() == '0') return std::nullopt;
    return classified(strippingTrunkZero(s));
}

}  // namespace

namespace detail {

void normalized(std::string_view text, std::u32string& out) {
    out.resize(text.size());  // never more scalars than bytes
    char32_t* kept = out.data();
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (i < length) {
        if (bytes[i] < 0x80) {  // nothing ASCII changes
            *kept++ = bytes[i++];
            continue;
        }
        UChar32 scalar;
        U8_NEXT_OR_FFFD(bytes, i, length, scalar);  // ill-formed UTF-8 reads as U+FFFD
        const auto c = static_cast<char32_t>(scalar);
        const Unicode::Properties properties = Unicode::of(c);
        switch (properties.category) {
            case Unicode::Category::decimalDigit: *kept++ = U'0' + properties.digitValue; continue;
            case Unicode::Category::dashPunctuation: *kept++ = U'-'; continue;
            case Unicode::Category::spaceSeparator: *kept++ = U' '; continue;
            case Unicode::Category::format: continue;  // direction marks, joiners, soft hyphens
            default: break;
        }
        if (c == 0x2212) {
            *kept++ = U'-';
        } else if (c == 0xFF0B || c == 0xFE62) {
            *kept++ = U'+';
        } else {
            *kept++ = c;
        }
    }
    out.resize(static_cast<std::size_t>(kept - out.data()));
}

Reading reading(const Region& region, std::optional<CompiledRegion>& scratch) {
    const CompiledRegion& row = compiled(region, scratch);
    const CompiledRegion& home = compiledTable().front();
    return {row, home, &row == &home};
}

void runs(const std::u32string& s, Runs& into) {
    into.digits.clear();
    into.ends.clear();
    into.list.clear();
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        if (!isDigit(s[i])) {
            ++i;
            continue;
        }
        Run run;
        if (i > 0) {
            const char32_t before = s[i - 1];
            run.hasPlus = before == U'+';
            // "1,234": the run continues an amount.
            run.isPartOfSomethingElse = isLetter(before) || (isThousandsMark(before) && i >= 2 && isDigit(s[i - 2]));
        }
        run.firstGroup = into.ends.size();
        std::size_t groupEnd = i;
        while (true) {
            while (groupEnd < n && isDigit(s[groupEnd])) into.digits += static_cast<char>(s[groupEnd++]);
            into.ends.push_back(into.digits.size());
            std::size_t next = groupEnd;
            while (next < n && next - groupEnd < 3 && isSeparator(s[next])) ++next;
            if (next == groupEnd || next == n || !isDigit(s[next])) break;
            i = groupEnd = next;
        }
        // "0501234567abc"; a letter after a blank ("… ext 12") does not count.
        if (groupEnd < n && isLetter(s[groupEnd])) run.isPartOfSomethingElse = true;
        run.endGroup = into.ends.size();
        into.list.push_back(run);
        i = groupEnd;
    }
}

bool looksLikeDate(const Runs& runs, const Run& run) {
    if (run.hasPlus || runs.groupCount(run) != 3) return false;
    const std::size_t a = runs.group(run, 0).size(), b = runs.group(run, 1).size(), c = runs.group(run, 2).size();
    return (a == 4 && b == 2 && c == 2) || (a == 2 && b == 2 && c == 4);
}

std::optional<PhoneNumber> number(std::string_view s, bool explicitPlus, bool wholeRun, const Reading& reading) {
    if (startsWith(s, "00")) return internationalNumber(s.substr(2));  // "00" is international, plus or not
    if (explicitPlus) return internationalNumber(s);

    if (auto local = localNumber(s, reading.region, wholeRun)) return local;
    if (!reading.regionIsHome) {
        if (auto home = localNumber(s, reading.home, wholeRun)) return home;
    }
    if (!wholeRun || s.size() < 11 || s.size() > 15) return std::nullopt;
    const auto* code = std::find_if(kBareCountryCodes.begin(), kBareCountryCodes.end(),
                                    [&](std::string_view c) { return startsWith(s, c); });
    if (code == kBareCountryCodes.end()) return std::nullopt;
    PhoneNumber bare = classified(strippingTrunkZero(s));
    // A home-code number typed without plus must be valid to count.
    if (bare.kind == PhoneNumber::Kind::other && startsWith(bare.digits, reading.home.region.code)) {
        return std::nullopt;
    }
    return bare;
}

void orderLandlinesLast(std::vector<PhoneNumber>& numbers) {
    std::stable_partition(numbers.begin(), numbers.end(),
                          [](const PhoneNumber& n) { return n.kind != PhoneNumber::Kind::landline; });
}

}  // namespace detail

namespace PhoneExtractor {

namespace {

// The numbers found so far, each digits string once: a look through the
// list while it is short (most texts hold a few), a set once it is long.
class Found {
public:
    void add(PhoneNumber number) {
        if (seen_.empty() && numbers_.size() < 32) {
            if (std::any_of(numbers_.begin(), numbers_.end(),
                            [&](const PhoneNumber& n) { return n.digits == number.digits; })) {
                return;
            }
        } else {
            if (seen_.empty()) {
                for (const PhoneNumber& n : numbers_) seen_.insert(n.digits);
            }
            if (!seen_.insert(number.digits).second) return;
        }
        numbers_.push_back(std::move(number));
    }

    std::vector<PhoneNumber> take() {
        std::vector<PhoneNumber> numbers = std::move(numbers_);
        numbers_.clear();
        seen_.clear();
        detail::orderLandlinesLast(numbers);
        return numbers;
    }

private:
    std::vector<PhoneNumber> numbers_;
    std::unordered_set<std::string> seen_;
};

// One text read whole. The buffers live on between calls: a text costs no
// allocation once they are as large as it needs.
void scanText(std::string_view text, const Reading& reading, Found& found) {
    thread_local std::u32string scalars;
    thread_local detail::Runs runs;
    detail::normalized(text, scalars);
    detail::runs(scalars, runs);
    for (const detail::Run& run : runs.list) {
        if (run.isPartOfSomethingElse || detail::looksLikeDate(runs, run)) continue;
        const std::size_t n = runs.groupCount(run);
        std::size_t start = 0;
        while (start < n) {
            // The longest window that could still be a number; longer ones
            // are skipped, which keeps the work linear in the text.
            std::size_t last = start, length = runs.group(run, start).size();
            while (last + 1 < n && length + runs.group(run, last + 1).size() <= detail::kMaxCandidateDigits) {
                length += runs.group(run, ++last).size();
            }
            std::optional<PhoneNumber> hit;
            if (runs.group(run, start).size() <= detail::kMaxCandidateDigits) {
                for (std::size_t end = last + 1; end-- > start;) {
                    hit = detail::number(runs.window(run, start, end), run.hasPlus && start == 0,
                                         start == 0 && end == n - 1, reading);
                    if (hit) {
                        start = end + 1;
                        break;
                    }
                }
            }
            if (hit) {
                found.add(std::move(*hit));
            } else {
                ++start;
            }
        }
    }
}

// A byte after which a window may end: ASCII, and neither part of a run
// (digits and the separators inside one) nor what glues the run after it to
// something else (a letter, "+", a thousands comma). UTF-8 never has it
// inside a character, and normalising leaves it as it is.
bool isCut(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x80 && !isDigit(byte) && !isLetter(byte) && !isSeparator(byte) && c != '+' && c != ',';
}

}  // namespace

struct Scan::State {
    explicit State(const Region& region, std::size_t windowBytes)
        : reading(detail::reading(region, scratch)), window(windowBytes) {}

    std::optional<CompiledRegion> scratch;  // before `reading`, which may point into it
    const Reading reading;
    const std::size_t window;
    std::string pending;       // the text since the last cut
    std::size_t searched = 0;  // of `pending`, looked through for a cut in vain
    Found found;
};

Scan::Scan(const Region& region, std::size_t window) : state_(std::make_unique<State>(region, window)) {}

Scan::~Scan() = default;

void Scan::add(std::string_view piece) {
    State& s = *state_;
    if (s.pending.empty()) {  // most pieces are read in place
        s.pending.assign(piece.substr(scanWindows(piece)));
        return;
    }
    s.pending.append(piece);
    s.pending.erase(0, scanWindows(s.pending));
}

std::vector<PhoneNumber> Scan::finish() {
    State& s = *state_;
    scanText(s.pending, s.reading, s.found);
    s.pending.clear();
    s.searched = 0;
    return s.found.take();
}

// Reads the windows at the start of `text` that end at a cut: how many bytes.
std::size_t Scan::scanWindows(std::string_view text) {
    State& s = *state_;
    std::size_t read = 0;
    while (text.size() - read > s.window) {
        const std::string_view rest = text.substr(read);
        // The last cut in the window, else the first one after it.
        std::size_t cut = s.window;
        while (cut > 0 && !isCut(rest[cut - 1])) --cut;
        if (cut == 0) {
            cut = std::max(s.window, s.searched);
            while (cut < rest.size() && !isCut(rest[cut])) ++cut;
            if (cut == rest.size()) {
                s.searched = rest.size();  // the next piece goes on from here
                break;
            }
            ++cut;
        }
        scanText(rest.substr(0, cut), s.reading, s.found);
        read += cut;
        s.searched = 0;
    }
    return read;
}

std::vector<PhoneNumber> numbers(std::string_view text, const Region& region) {
    if (text.size() > Scan::kWindow) {
        Scan scan(region);
        scan.add(text);
        return scan.finish();
    }
    // A short text, the usual case, read without a Scan's state.
    std::optional<CompiledRegion> scratch;
    const Reading reading = detail::reading(region, scratch);
    Found found;
    scanText(text, reading, found);
    return found.take();
}

}  // namespace PhoneExtractor

namespace LaunchDecision {

Action action(std::string_view text, const Region& region) {
    std::vector<PhoneNumber> numbers = PhoneExtractor::numbers(text, region);
    const auto preferred = std::count_if(numbers.begin(), numbers.end(),
                                         [](const PhoneNumber& n) { return n.kind != PhoneNumber::Kind::landline; });
    // Numbers come landlines last, so a lone preferred number is the first.
    if (preferred == 1 || numbers.size() == 1) return Action::open(std::move(numbers.front()));
    if (!numbers.empty()) return Action::choose(std::move(numbers));
    return Action::nothingFound();
}

std::optional<PhoneNumber> homeAlternative(std::string_view text, const PhoneNumber& opened, const Region& region) {
    if (region == Region::home()) return std::nullopt;
    const auto numbers = PhoneExtractor::numbers(text, region);
    if (numbers.size() != 1 || numbers.front() != opened) return std::nullopt;
    auto home = PhoneExtractor::numbers(text, Region::home());
    if (home.size() != 1 || home.front() == opened) return std::nullopt;
    return std::move(home.front());
}

bool isWidgetTap(const URL& url) { return url.scheme() == "tovu" && url.host() == "clipboard" && !url.query(); }

Route route(const URL& url, std::string_view key) {
    if (isWidgetTap(url)) return Route::readClipboard();
    if (auto id = templateTap(url, key)) return Route::chatPicker(std::move(*id));
    return Route::nothing();
}

URL templateURL(std::string_view id, std::string_view key) {
    return URL::withQuery("tovu", "template", {{"id", std::string(id)}, {"key", std::string(key)}});
}

std::optional<std::string> templateTap(const URL& url, std::string_view key) {
    if (url.scheme() != "tovu" || url.host() != "template" || key.empty()) return std::nullopt;
    const auto items = url.queryItems();
    if (!items || items->empty()) return std::nullopt;
    auto first = [&](std::string_view name) {
        return std::find_if(items->begin(), items->end(),
                            [&](const URL::QueryItem& item) { return item.name == name; });
    };
    const auto given = first("key");
    // The key guards the link against other apps; compare it without
    // leaking through timing how much of it matched.
    if (given == items->end() || !given->value || !Text::constantTimeEquals(*given->value, key)) return std::nullopt;
    const auto id = first("id");
    if (id == items->end() || !id->value || id->value->empty()) return std::nullopt;
    return id->value;
}

bool shouldRead(long changeCount, std::optional<long> lastHandled, bool forced, bool setupShowing) {
    if (setupShowing) return false;
    if (forced) return true;
    return !lastHandled || *lastHandled != changeCount;
}

PasteResult pasteResult(bool gotText, double secondsTaken) {
    if (gotText) return PasteResult::allowed;
    // An answer faster than a person can click came without asking anyone.
    return secondsTaken < 0.25 ? PasteResult::refusedWithoutAsking : PasteResult::declined;
}

bool opensAtOnce(ChatSource source) { return source != ChatSource::app; }

std::ostream& operator<<(std::ostream& out, const Action& action) {
    switch (action.kind) {
        case Action::Case::open: out << "open"; break;
        case Action::Case::choose: out << "choose"; break;
        case Action::Case::nothingFound: return out << "nothingFound";
    }
    out << "(";
    for (std::size_t i = 0; i < action.numbers.size(); ++i) out << (i ? ", " : "") << action.numbers[i];
    return out << ")";
}

std::ostream& operator<<(std::ostream& out, const Route& route) {
    switch (route.kind) {
        case Route::Case::chatPicker: return out << "chatPicker(" << route.id << ")";
        case Route::Case::readClipboard: return out << "readClipboard";
        case Route::Case::nothing: return out << "nothing";
    }
    return out;
}

}  // namespace LaunchDecision

std::string PhoneNumber::display() const {
    std::string out;
    appendDisplay(out);
    return out;
}

void PhoneNumber::appendDisplay(std::string& out) const {
    const auto rows = detail::rowsCalled(digits);
    out += '+';
    if (rows.empty()) {
        out += digits;
        return;
    }
    const std::string_view code = Region::all()[rows.front()].code;
    const std::string_view rest = std::string_view(digits).substr(code.size());
    out.append(code).append(" ");
    if (rest.size() == 9) {
        out.append(rest.substr(0, 2)).append(" ").append(rest.substr(2, 3)).append(" ").append(rest.substr(5));
    } else {
        out.append(rest);
    }
}

std::string PhoneNumber::json() const {
    nlohmann::ordered_json object = {{"digits", digits}, {"kind", toString(kind)}};
    return object.dump();
}

std::optional<PhoneNumber> PhoneNumber::fromJSON(std::string_view json) {
    const auto object = nlohmann::json::parse(json, nullptr, false);
    if (!object.is_object()) return std::nullopt;
    const auto digits = object.find("digits");
    const auto kind = object.find("kind");
    if (digits == object.end() || kind == object.end() || !digits->is_string() || !kind->is_string()) {
        return std::nullopt;
    }
    const auto& text = digits->get_ref<const std::string&>();
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const auto parsedKind = kindFromString(kind->get_ref<const std::string&>());
    if (!parsedKind) return std::nullopt;
    return PhoneNumber{text, *parsedKind};
}

std::string_view toString(PhoneNumber::Kind kind) {
    switch (kind) {
        case PhoneNumber::Kind::mobile: return "mobile";
        case PhoneNumber::Kind::landline: return "landline";
        case PhoneNumber::Kind::other: return "other";
    }
    return {};
}

std::optional<PhoneNumber::Kind> kindFromString(std::string_view raw) {
    using Kind = PhoneNumber::Kind;
    return fromRawValue(std::array{Kind::mobile, Kind::landline, Kind::other}, raw);
}

std::ostream& operator<<(std::ostream& out, PhoneNumber::Kind kind) { return out << toString(kind); }

std::ostream& operator<<(std::ostream& out, const PhoneNumber& number) {
    return out << number.digits << " (" << number.kind << ")";
}

}  // namespace PhoneKit

std::size_t std::hash<PhoneKit::PhoneNumber>::operator()(const PhoneKit::PhoneNumber& number) const noexcept {
    std::size_t seed = std::hash<std::string>{}(number.digits);
    PhoneKit::detail::hashCombine(seed, std::hash<std::string_view>{}(PhoneKit::toString(number.kind)));
    return seed;
}
