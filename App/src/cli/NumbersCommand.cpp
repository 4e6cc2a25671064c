#include "cli/NumbersCommand.h"

#include "cli/CommandLine.h"

#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>
#include <PhoneKit/support/Files.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

namespace NumbersCommand {

namespace {

using PhoneKit::PhoneNumber;
using PhoneKit::Region;

struct Options {
    Region region;
    bool json = false;
    bool lines = false;
    std::vector<std::string> texts;
};

// Writes the numbers of one text: a JSON array, or tab-separated
// DISPLAY, DIGITS, KIND fields, one number a line (`lines` false) or all on
// one line (`lines` true).
void write(const std::vector<PhoneNumber>& numbers, const Options& options, std::ostream& out) {
    if (options.json) {
        auto array = nlohmann::ordered_json::array();
        for (const PhoneNumber& number : numbers) {
            array.push_back(
                {{"digits", number.digits}, {"kind", PhoneKit::toString(number.kind)}, {"display", number.display()}});
        }
        out << array.dump() << '\n';
        return;
    }
    // A line is built whole and written at once.
    thread_local std::string line;
    line.clear();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (options.lines && i > 0) line += '\t';
        numbers[i].appendDisplay(line);
        line.append("\t").append(numbers[i].digits).append("\t").append(PhoneKit::toString(numbers[i].kind));
        if (!options.lines) line += '\n';
    }
    if (options.lines) line += '\n';
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

}  // namespace

constexpr CommandLine::Command kCommand{
    "tovu numbers", "tovu numbers [--region ID] [--json] [--lines [--line-buffered]] [TEXT...]",
    "  tovu numbers [--region ID] [--json] [--lines [--line-buffered]] [TEXT...]\n"
    "      List the phone numbers in TEXT (or standard input): one per line as\n"
    "      DISPLAY<TAB>DIGITS<TAB>KIND, or a JSON array with --json. With --lines\n"
    "      every input line is read alone and gets one output line, written at\n"
    "      once to a terminal or with --line-buffered. The region\n"
    "      (SA, GB, ...) defaults to the one of the system's time zone, else SA.\n"};

std::string_view usage() { return kCommand.usage; }

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    static constexpr CommandLine::Option kOptions[] = {{"region", 0, true}, {"json"}, {"lines"}, {"line-buffered"}};
    const CommandLine::Parsed parsed = CommandLine::parse(arguments, kOptions);
    if (const auto code = CommandLine::answered(parsed, kCommand, out, err)) return *code;
    std::string problem;
    const auto region = CommandLine::region(parsed, problem);
    if (!region) return CommandLine::usageError(err, kCommand, problem);
    const Options options{*region, parsed.has("json"), parsed.has("lines"), parsed.operands};

    if (options.lines) {
        // Line by line, so any amount of input streams through. Each answer
        // goes out at once to a terminal or when asked (a program reading
        // answers to the lines it writes); else the output is written in
        // blocks, and reading no longer flushes it.
        const bool lineBuffered = parsed.has("line-buffered") || (&out == &std::cout && ::isatty(STDOUT_FILENO));
        std::istringstream given(CommandLine::joined(options.texts));
        std::istream& source = options.texts.empty() ? in : given;
        source.tie(nullptr);
        std::string line;
        errno = 0;
        while (std::getline(source, line) && out) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            write(PhoneKit::PhoneExtractor::numbers(line, options.region), options, out);
            if (lineBuffered) out.flush();
        }
        if (source.bad()) {
            err << kCommand.name << ": " << CommandLine::readFailure("standard input") << '\n';
            return 1;
        }
        return CommandLine::finish(out, err, kCommand.name, 0);
    }
    // Standard input streams through in pieces, in bounded memory.
    PhoneKit::PhoneExtractor::Scan scan(options.region);
    if (!options.texts.empty()) {
        scan.add(CommandLine::joined(options.texts));
    } else if (!PhoneKit::Files::readPieces(in, [&](std::string_view piece) { scan.add(piece); })) {
        err << kCommand.name << ": " << CommandLine::readFailure("standard input") << '\n';
        return 1;
    }
    write(scan.finish(), options, out);
    return CommandLine::finish(out, err, kCommand.name, 0);
}

}  // namespace NumbersCommand
