#include "cli/NumbersCommand.h"

#include "cli/CommandLine.h"

#include <PhoneKit/numbers/PhoneExtractor.h>
#include <PhoneKit/numbers/Region.h>

#include <nlohmann/json.hpp>

#include <istream>
#include <iterator>
#include <optional>
#include <ostream>

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
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (options.lines && i > 0) out << '\t';
        out << numbers[i].display() << '\t' << numbers[i].digits << '\t' << PhoneKit::toString(numbers[i].kind);
        if (!options.lines) out << '\n';
    }
    if (options.lines) out << '\n';
}

void eachLine(const std::string& text, const auto& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(line);
        start = end + 1;
    }
}

}  // namespace

const char* usage() {
    return "  tovu numbers [--region ID] [--json] [--lines] [TEXT...]\n"
           "      List the phone numbers in TEXT (or standard input): one per line as\n"
           "      DISPLAY<TAB>DIGITS<TAB>KIND, or a JSON array with --json. With --lines\n"
           "      every input line is read alone and gets one output line. The region\n"
           "      (SA, GB, ...) defaults to the one of the system's time zone, else SA.\n";
}

int run(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
    Options options{Region::current(), false, false, {}};
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            options.texts.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--lines") {
            options.lines = true;
        } else if (bool ok = true; CommandLine::takeRegion(arguments, i, options.region, ok, err, "numbers")) {
            if (!ok) return 2;
        } else {
            err << "tovu numbers: unknown option " << argument << "\nusage:\n" << usage();
            return 2;
        }
    }

    if (options.lines && options.texts.empty()) {
        // Line by line, so any amount of input streams through.
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            write(PhoneKit::PhoneExtractor::numbers(line, options.region), options, out);
        }
        return 0;
    }
    const std::string text = options.texts.empty() ? std::string(std::istreambuf_iterator<char>(in), {})
                                                   : CommandLine::joined(options.texts);
    if (options.lines) {
        eachLine(text, [&](std::string_view line) {
            write(PhoneKit::PhoneExtractor::numbers(line, options.region), options, out);
        });
    } else {
        write(PhoneKit::PhoneExtractor::numbers(text, options.region), options, out);
    }
    return 0;
}

}  // namespace NumbersCommand
