// Turns PhoneKit/data/regions.tsv into the region table and its matchers:
//   tovu-region-tables regions.tsv RegionTables.cpp
// Each pattern becomes a minimal digit automaton, and each calling code one
// more that tells a national number's kind. Before writing anything, every
// automaton is checked against RE2 reading its pattern, on a text through
// each of its transitions and on random texts of every length around the
// ones it allows; any difference fails the build.

#include "numbers/DigitAutomaton.h"
#include "numbers/RegionTables.h"

#include <re2/re2.h>

#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace PhoneKit::detail;

namespace {

struct Row {
    std::string id, code, trunk, mobile, landline;
    std::vector<std::string> zones;
};

[[noreturn]] void fail(const std::string& message) {
    std::cerr << "tovu-region-tables: " << message << "\n";
    std::exit(1);
}

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(line);
    while (std::getline(stream, part, separator)) parts.push_back(part);
    if (!line.empty() && line.back() == separator) parts.emplace_back();
    return parts;
}

std::vector<Row> readRows(const char* path) {
    std::ifstream file(path);
    std::string line;
    if (!std::getline(file, line) || line.rfind("id\tcode\ttrunk\tmobile\tlandline\ttimeZones", 0) != 0) {
        fail(std::string(path) + ": not the region table");
    }
    std::vector<Row> rows;
    while (std::getline(file, line)) {
        const auto f = split(line, '\t');
        if (f.size() < 6) fail("short row: " + line);
        Row row{f[0], f[1], f[2], f[3], f[4], {}};
        for (auto& zone : split(f[5], ' ')) {
            if (!zone.empty()) row.zones.push_back(zone);
        }
        rows.push_back(std::move(row));
    }
    if (rows.empty()) fail("no rows");
    return rows;
}

// Texts that reach every transition of `automaton`: the shortest way to
// each state, a digit, then the shortest way on to a match (or a few random
// digits where there is none), and random texts of every length up to two
// past the longest match.
std::vector<std::string> probes(const DigitAutomaton& automaton, std::mt19937& random) {
    const std::size_t n = automaton.next.size();
    std::vector<std::string> to(n), onward(n);
    std::vector<bool> reached(n, false), finishes(n, false);
    std::vector<DigitState> queue{automaton.start};
    reached[automaton.start] = true;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        for (int d = 0; d < 10; ++d) {
            const DigitState t = automaton.next[queue[i]][d];
            if (reached[t]) continue;
            reached[t] = true;
            to[t] = to[queue[i]] + char('0' + d);
            queue.push_back(t);
        }
    }
    for (std::size_t s = 0; s < n; ++s) finishes[s] = automaton.labels[s] != 0;
    for (bool changed = true; changed;) {  // shortest completions, by relaxation
        changed = false;
        for (std::size_t s = 1; s < n; ++s) {
            for (int d = 0; d < 10; ++d) {
                const DigitState t = automaton.next[s][d];
                if (!finishes[t]) continue;
                std::string way = char('0' + d) + onward[t];
                if (!finishes[s] || way.size() < onward[s].size()) {
                    finishes[s] = true;
                    onward[s] = way;
                    changed = true;
                }
            }
        }
    }
    const auto randomDigits = [&](std::size_t length) {
        std::string text(length, '0');
        for (char& c : text) c = static_cast<char>('0' + random() % 10);
        return text;
    };
    std::vector<std::string> texts{""};
    for (const DigitState s : queue) {
        for (int d = 0; d < 10; ++d) {
            const DigitState t = automaton.next[s][d];
            texts.push_back(to[s] + char('0' + d) + (finishes[t] ? onward[t] : randomDigits(random() % 4)));
        }
    }
    const auto lengths = automaton.lengths();
    const std::size_t longest = lengths.max == SIZE_MAX ? 20 : lengths.max + 2;
    for (std::size_t length = 1; length <= longest; ++length) {
        for (int i = 0; i < 40; ++i) texts.push_back(randomDigits(length));
    }
    return texts;
}

std::unique_ptr<RE2> expression(const std::string& pattern) {
    RE2::Options options;
    options.set_log_errors(false);
    auto compiled = std::make_unique<RE2>("(?:" + pattern + ")", options);
    if (!compiled->ok()) fail("RE2 cannot read " + pattern);
    return compiled;
}

void check(const std::string& what, const DigitAutomaton& automaton, std::mt19937& random,
           const std::function<std::uint8_t(const std::string&)>& expected) {
    for (const std::string& text : probes(automaton, random)) {
        const std::uint8_t ours = automaton.matcher().labelOf(text), theirs = expected(text);
        if (ours != theirs) {
            fail(what + ": \"" + text + "\" gives " + std::to_string(ours) + ", RE2 " + std::to_string(theirs));
        }
    }
}

std::string literal(const std::string& text) {
    if (text.find(")re\"") != std::string::npos) fail("cannot quote " + text);
    return "R\"re(" + text + ")re\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) fail("usage: tovu-region-tables regions.tsv RegionTables.cpp");
    const std::vector<Row> rows = readRows(argv[1]);
    std::mt19937 random(7);

    // All automata share one table; each one's dead state is the table's.
    std::vector<DigitRow> table{DigitRow{}};
    std::vector<std::uint8_t> labels{0};
    const auto append = [&](const DigitAutomaton& automaton) -> DigitState {
        if (automaton.start == 0) return 0;
        const std::size_t offset = table.size() - 1;
        if (offset + automaton.next.size() > 65535) fail("more automaton states than a DigitState can number");
        for (std::size_t s = 1; s < automaton.next.size(); ++s) {
            DigitRow row{};
            for (int d = 0; d < 10; ++d) {
                row[d] = automaton.next[s][d] == 0 ? 0 : static_cast<DigitState>(automaton.next[s][d] + offset);
            }
            table.push_back(row);
            labels.push_back(automaton.labels[s]);
        }
        return static_cast<DigitState>(automaton.start + offset);
    };

    std::map<std::string, DigitState> kindsOfCode;
    std::vector<RowMatchers> starts;
    for (const Row& row : rows) {
        RowMatchers matchers{};
        for (const auto& [pattern, start] :
             {std::pair{&row.mobile, &matchers.mobile}, {&row.landline, &matchers.landline}}) {
            if (!isDigitPattern(*pattern)) fail(row.id + ": a pattern outside the digit syntax: " + *pattern);
            const DigitAutomaton automaton = compileDigitAutomaton(*pattern);
            const auto re = expression(*pattern);
            check(row.id + " " + *pattern, automaton, random,
                  [&](const std::string& text) { return RE2::FullMatch(text, *re) ? 1 : 0; });
            *start = append(automaton);
        }
        if (!kindsOfCode.contains(row.code)) {
            std::vector<LabelledPattern> patterns;
            std::vector<std::pair<std::unique_ptr<RE2>, std::uint8_t>> expressions;
            for (const Row& other : rows) {
                if (other.code != row.code) continue;
                patterns.push_back({other.mobile, kMobileLabel});
                patterns.push_back({other.landline, kLandlineLabel});
                expressions.emplace_back(expression(other.mobile), kMobileLabel);
                expressions.emplace_back(expression(other.landline), kLandlineLabel);
            }
            const DigitAutomaton automaton = compileDigitAutomaton(patterns);
            check("+" + row.code + " kinds", automaton, random, [&](const std::string& text) -> std::uint8_t {
                for (const auto& [re, label] : expressions) {
                    if (RE2::FullMatch(text, *re)) return label;
                }
                return 0;
            });
            kindsOfCode[row.code] = append(automaton);
        }
        matchers.kinds = kindsOfCode[row.code];
        starts.push_back(matchers);
    }

    std::ostringstream out;
    out << "// Generated at build time by tovu-region-tables from PhoneKit/data/regions.tsv.\n"
           "// clang-format off\n"
           "#include \"numbers/RegionTables.h\"\n\nnamespace PhoneKit::detail {\n\n"
           "std::vector<Region> makeRegionTable() {\n    return {\n";
    for (const Row& row : rows) {
        out << "        {\"" << row.id << "\", \"" << row.code << "\", \"" << row.trunk << "\", " << literal(row.mobile)
            << ", " << literal(row.landline) << ", {";
        for (std::size_t i = 0; i < row.zones.size(); ++i) out << (i ? ", \"" : "\"") << row.zones[i] << "\"";
        out << "}},\n";
    }
    out << "    };\n}\n\nconst DigitRow kDigitRows[] = {\n";
    for (const DigitRow& row : table) {
        out << "{";
        for (int d = 0; d < 10; ++d) out << (d ? "," : "") << row[d];
        out << "},\n";
    }
    out << "};\n\nconst std::uint8_t kDigitLabels[] = {";
    for (std::size_t s = 0; s < labels.size(); ++s) out << (s == 0 ? "\n" : s % 40 ? "," : ",\n") << int(labels[s]);
    out << "\n};\n\nconst RowMatchers kRowMatchers[] = {\n";
    for (const RowMatchers& m : starts) out << "{" << m.mobile << "," << m.landline << "," << m.kinds << "},\n";
    out << "};\n\n}  // namespace PhoneKit::detail\n";

    std::ofstream file(argv[2]);
    file << out.str();
    if (!file.flush()) fail(std::string("cannot write ") + argv[2]);
    std::cerr << "tovu-region-tables: " << rows.size() << " regions, " << table.size() - 1 << " automaton states\n";
    return 0;
}
