#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace PhoneKit::detail {

/// A state of a digit automaton; 0 is the dead state, from which nothing
/// is ever accepted.
using DigitState = std::uint16_t;
/// Each state's next state for the digits 0 to 9.
using DigitRow = std::array<DigitState, 10>;

/// A deterministic automaton over the digits, read from flat tables that it
/// does not own (the region tables generated at build time, or a
/// `DigitAutomaton`). Whatever ends in a state is that state's label;
/// label 0 is no match, and any character other than a digit is none.
struct DigitMatcher {
    const DigitRow* next = nullptr;
    const std::uint8_t* labels = nullptr;
    DigitState start = 0;  ///< 0: matches nothing

    std::uint8_t labelOf(std::string_view digits) const {
        DigitState state = start;
        for (const char c : digits) {
            const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c)) - '0';
            if (state == 0 || digit > 9) return 0;
            state = next[state][digit];
        }
        return labels ? labels[state] : 0;
    }
    bool matches(std::string_view digits) const { return labelOf(digits) != 0; }
};

/// A minimal automaton of its own, as compiled from numbering patterns.
struct DigitAutomaton {
    std::vector<DigitRow> next{DigitRow{}};  ///< row 0 is the dead state
    std::vector<std::uint8_t> labels{0};
    DigitState start = 0;

    DigitMatcher matcher() const { return {next.data(), labels.data(), start}; }

    /// The fewest and most digits a match has; max is SIZE_MAX when a
    /// match may be as long as one likes, and both are 0 for no match.
    struct Lengths {
        std::size_t min = 0;
        std::size_t max = 0;
    };
    Lengths lengths() const;
};

/// A pattern and the label of the texts it matches whole.
struct LabelledPattern {
    std::string_view pattern;
    std::uint8_t label = 1;
};

/// Compiles numbering patterns in the regular-expression syntax they are
/// written in (digits, `\d`, classes, `(?:…)`, `|`, `?`, `*`, `+` and counts)
/// into one minimal automaton that gives a text the label of the first
/// pattern matching it whole. A pattern outside that syntax, or too large
/// to compile, matches nothing, and so does an empty one.
DigitAutomaton compileDigitAutomaton(std::span<const LabelledPattern> patterns);
DigitAutomaton compileDigitAutomaton(std::string_view pattern);

/// Whether `pattern` is within the syntax the compiler reads.
bool isDigitPattern(std::string_view pattern);

}  // namespace PhoneKit::detail
