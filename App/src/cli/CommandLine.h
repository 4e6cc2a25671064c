#pragma once

#include <PhoneKit/numbers/Region.h>

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/// What the commands share: strict options, the --region option, reading
/// standard input and finishing the output.
namespace CommandLine {

/// What --version prints.
inline constexpr std::string_view kVersion = "tovu " TOVU_VERSION;

/// An option a command takes, named without its dashes: "json" is --json.
struct Option {
    std::string_view name;
    char letter = 0;          // -V for --version, or none
    bool takesValue = false;  // --region ID or --region=ID
    /// Qt's and the session manager's (-session ID, -platform NAME): one dash
    /// or two, and left in argv for QApplication to take.
    bool qt = false;
};

/// The arguments of a command read against its options.
struct Parsed {
    std::vector<std::pair<std::string, std::string>> given;  // option name, value ("" for a flag)
    std::vector<std::string> operands;
    bool help = false;    // -h or --help
    std::string problem;  // what is wrong, empty when nothing is

    bool has(std::string_view option) const;
    /// The value given last for `option`.
    std::optional<std::string> value(std::string_view option) const;
};

/// Options may come before, among or after the operands; "--" ends them and
/// "-" is an operand. Anything else that starts with a dash and is no option
/// of the command is a problem, so that a mistyped option never becomes
/// text to search for numbers.
Parsed parse(const std::vector<std::string>& arguments, std::span<const Option> options);

/// A command's name and its help.
struct Command {
    std::string_view name;      // "tovu numbers"
    std::string_view synopsis;  // its one-line usage
    std::string_view usage;     // the lines of --help
};

/// Prints "tovu COMMAND: PROBLEM" and the one-line usage on `err`: exit code 2.
int usageError(std::ostream& err, const Command& command, std::string_view problem);

/// The exit code when the arguments end the run before the command's work:
/// a usage error, or the help printed for -h/--help.
std::optional<int> answered(const Parsed& parsed, const Command& command, std::ostream& out, std::ostream& err);

/// The region of an id on the command line; "gb" means GB.
std::optional<PhoneKit::Region> regionNamed(std::string id);

/// The --region of `parsed`, else the region of the system's time zone;
/// nothing, with the problem in `problem`, for an id that names no region.
std::optional<PhoneKit::Region> region(const Parsed& parsed, std::string& problem);

/// `in` (standard input, or the file `what` names) up to `limit` bytes, so
/// that an endless input (/dev/zero) costs no more; nothing, with the reason
/// in `problem`, when it cannot be read (closed, a folder, EIO).
std::optional<std::string> readAll(std::istream& in, std::string_view what, std::size_t limit, std::string& problem);

/// "cannot read WHAT: " and why the last read failed, from errno.
std::string readFailure(std::string_view what);

/// Flushes `out` and returns `code`, or 1 with a message on `err` when the
/// output was not all written. A reader that hung up (EPIPE) gets no
/// message: it asked for no more.
int finish(std::ostream& out, std::ostream& err, std::string_view command, int code);

/// The arguments joined with single blanks.
std::string joined(const std::vector<std::string>& texts);

}  // namespace CommandLine
