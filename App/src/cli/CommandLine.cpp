#include "cli/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <istream>
#include <ostream>

namespace CommandLine {

namespace {

// The option `argument` names, and where its name ends; Qt's take one dash
// as well as two.
const Option* optionOf(std::string_view argument, std::span<const Option> options, std::string_view& name) {
    const bool twoDashes = argument.starts_with("--");
    if (!twoDashes && argument.size() == 2) {  // -V
        for (const Option& option : options) {
            if (option.letter != 0 && option.letter == argument[1]) return name = option.name, &option;
        }
    }
    std::string_view body = argument.substr(twoDashes ? 2 : 1);
    body = body.substr(0, body.find('='));
    for (const Option& option : options) {
        if (option.name == body && (twoDashes || option.qt)) return name = option.name, &option;
    }
    return nullptr;
}

}  // namespace

bool Parsed::has(std::string_view option) const {
    return std::any_of(given.begin(), given.end(), [&](const auto& entry) { return entry.first == option; });
}

std::optional<std::string> Parsed::value(std::string_view option) const {
    for (auto entry = given.rbegin(); entry != given.rend(); ++entry) {
        if (entry->first == option) return entry->second;
    }
    return std::nullopt;
}

Parsed parse(const std::vector<std::string>& arguments, std::span<const Option> options) {
    Parsed parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && parsed.problem.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h" || argument == "--help") {
            parsed.help = true;
            continue;
        }
        std::string_view name;
        const Option* option = optionOf(argument, options, name);
        if (!option) {
            parsed.problem = "unknown option " + argument;
            continue;
        }
        const std::size_t equals = argument.find('=');
        if (!option->takesValue) {
            if (equals != std::string::npos) parsed.problem = "--" + std::string(name) + " takes no value";
            parsed.given.emplace_back(name, "");
        } else if (equals != std::string::npos) {
            parsed.given.emplace_back(name, argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            parsed.given.emplace_back(name, arguments[++i]);
        } else {
            parsed.problem = "--" + std::string(name) + " needs a value";
        }
    }
    return parsed;
}

int usageError(std::ostream& err, const Command& command, std::string_view problem) {
    err << command.name << ": " << problem << "\nusage: " << command.synopsis << '\n';
    return 2;
}

std::optional<int> answered(const Parsed& parsed, const Command& command, std::ostream& out, std::ostream& err) {
    if (!parsed.problem.empty()) return usageError(err, command, parsed.problem);
    if (!parsed.help) return std::nullopt;
    out << "usage:\n" << command.usage;
    return finish(out, err, command.name, 0);
}

std::optional<PhoneKit::Region> regionNamed(std::string id) {
    std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::toupper(c); });
    return PhoneKit::Region::withID(id);
}

std::optional<PhoneKit::Region> region(const Parsed& parsed, std::string& problem) {
    const auto id = parsed.value("region");
    if (!id) return PhoneKit::Region::current();
    auto found = regionNamed(*id);
    if (!found) problem = "unknown region \"" + *id + "\" (use a two-letter id such as SA or GB)";
    return found;
}

std::optional<std::string> readAll(std::istream& in, std::string_view what, std::size_t limit, std::string& problem) {
    std::string bytes;
    char chunk[1 << 16];
    errno = 0;
    while (bytes.size() < limit) {
        const auto wanted = std::streamsize(std::min(sizeof chunk, limit - bytes.size()));
        if (!in.read(chunk, wanted) && in.gcount() == 0) break;
        bytes.append(chunk, std::size_t(in.gcount()));
    }
    if (!in.bad()) return bytes;
    problem = readFailure(what);
    return std::nullopt;
}

std::string readFailure(std::string_view what) {
    return "cannot read " + std::string(what) + ": " + (errno ? std::strerror(errno) : "read error");
}

int finish(std::ostream& out, std::ostream& err, std::string_view command, int code) {
    // A write that failed earlier left its errno; the stream has done
    // nothing since.
    if (out) {
        errno = 0;
        out.flush();
    }
    if (out) return code;
    if (errno != EPIPE) {
        err << command << ": cannot write the output: " << (errno ? std::strerror(errno) : "write error") << '\n';
    }
    return 1;
}

std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) text += ' ';
        text += texts[i];
    }
    return text;
}

}  // namespace CommandLine
