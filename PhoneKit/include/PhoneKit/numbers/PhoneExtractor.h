#pragma once

#include "PhoneKit/links/URL.h"
#include "PhoneKit/numbers/ChatSource.h"
#include "PhoneKit/numbers/Region.h"

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PhoneKit {

/// A phone number in international form: the calling code followed by the
/// national significant number, ASCII digits only, no plus, never empty.
/// Made only by the extractor and by decoding.
struct PhoneNumber {
    enum class Kind { mobile, landline, other };

    std::string digits;
    Kind kind = Kind::other;

    /// "+966 50 123 4567": plus, calling code, blank, the rest (a nine-digit
    /// rest grouped 2-3-4); "+" and the digits when no code is known.
    std::string display() const;
    /// The same appended to `out`, for output built a line at a time.
    void appendDisplay(std::string& out) const;

    /// {"digits":"966501234567","kind":"mobile"}
    std::string json() const;
    /// The number of a JSON object with the two members; nothing when one is
    /// missing or mistyped, when "kind" is unknown, or when "digits" is not a
    /// non-empty string of ASCII digits (such digits could never be dialled).
    static std::optional<PhoneNumber> fromJSON(std::string_view json);

    friend bool operator==(const PhoneNumber&, const PhoneNumber&) = default;
};

std::string_view toString(PhoneNumber::Kind kind);
std::optional<PhoneNumber::Kind> kindFromString(std::string_view raw);
std::ostream& operator<<(std::ostream& out, PhoneNumber::Kind kind);
std::ostream& operator<<(std::ostream& out, const PhoneNumber& number);

namespace PhoneExtractor {

/// Every phone number written in `text`, read for a user in `region`:
/// normalised, each digits string once (its first occurrence wins), mobiles
/// and other numbers first, landlines last. Any byte string is accepted;
/// ill-formed UTF-8 reads as U+FFFD.
std::vector<PhoneNumber> numbers(std::string_view text, const Region& region);

/// `numbers` over a text that comes in pieces (standard input, a large
/// file), in bounded memory: the text is read in windows cut only where no
/// number can go across (after an ASCII mark that neither continues nor
/// glues a run of digits), so the answer is `numbers` of the whole text.
class Scan {
public:
    static constexpr std::size_t kWindow = 64 * 1024;

    /// `window`: the bytes read at once, when the text allows a cut there.
    explicit Scan(const Region& region, std::size_t window = kWindow);
    Scan(const Scan&) = delete;
    Scan& operator=(const Scan&) = delete;
    ~Scan();

    /// The next piece; pieces may split the text anywhere, even a character.
    void add(std::string_view piece);
    /// The numbers of all the pieces.
    std::vector<PhoneNumber> finish();

private:
    std::size_t scanWindows(std::string_view text);

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace PhoneExtractor

/// Small pure rules between the interface and the number logic.
namespace LaunchDecision {

/// What to do with a text that should hold a number.
struct Action {
    enum class Case { open, choose, nothingFound };

    Case kind = Case::nothingFound;
    std::vector<PhoneNumber> numbers;  ///< one for open, two or more for choose

    static Action open(PhoneNumber number) { return {Case::open, {std::move(number)}}; }
    static Action choose(std::vector<PhoneNumber> numbers) { return {Case::choose, std::move(numbers)}; }
    static Action nothingFound() { return {}; }

    friend bool operator==(const Action&, const Action&) = default;
};

/// What a link of the app's own "tovu" scheme asks for.
struct Route {
    enum class Case { chatPicker, readClipboard, nothing };

    Case kind = Case::nothing;
    std::string id;  ///< the template id of chatPicker, else empty

    static Route chatPicker(std::string id) { return {Case::chatPicker, std::move(id)}; }
    static Route readClipboard() { return {Case::readClipboard, {}}; }
    static Route nothing() { return {}; }

    bool readsClipboard() const { return kind == Case::readClipboard; }
    friend bool operator==(const Route&, const Route&) = default;
};

/// The outcome of asking the system for the clipboard text.
enum class PasteResult { allowed, declined, refusedWithoutAsking };

/// The sample number of the companion app's setup screen.
inline constexpr std::string_view setupSample = "0000000000";

/// Open the one preferred (non-landline) number, or the only number; let the
/// user choose among several; or report that there is none.
Action action(std::string_view text, const Region& region);

/// The single number that the home region reads in `text` when it differs
/// from the one opened under `region`, the only number found there.
std::optional<PhoneNumber> homeAlternative(std::string_view text, const PhoneNumber& opened, const Region& region);

/// "tovu://clipboard" with no query at all.
bool isWidgetTap(const URL& url);
Route route(const URL& url, std::string_view key);
/// tovu://template?id=…&key=… with both values percent-encoded.
URL templateURL(std::string_view id, std::string_view key);
/// The template id of a template link whose "key" equals `key` (compared in
/// constant time); nothing for any other link.
std::optional<std::string> templateTap(const URL& url, std::string_view key);

bool shouldRead(long changeCount, std::optional<long> lastHandled, bool forced, bool setupShowing);
PasteResult pasteResult(bool gotText, double secondsTaken);
bool opensAtOnce(ChatSource source);

std::ostream& operator<<(std::ostream& out, const Action& action);
std::ostream& operator<<(std::ostream& out, const Route& route);

}  // namespace LaunchDecision
}  // namespace PhoneKit

template <>
struct std::hash<PhoneKit::PhoneNumber> {
    std::size_t operator()(const PhoneKit::PhoneNumber& number) const noexcept;
};
