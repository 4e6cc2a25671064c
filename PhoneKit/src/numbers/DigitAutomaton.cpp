#include "DigitAutomaton.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

namespace PhoneKit::detail {

namespace {

constexpr std::uint16_t kAnyDigit = 0x3FF;
constexpr int kUnbounded = -1;
constexpr int kMaxCount = 1000;               // the largest count the expression syntax allows
constexpr std::size_t kMaxNfaNodes = 200000;  // far above any numbering plan, well below trouble
constexpr int kMaxNesting = 64;               // groups in groups: the table's deepest is 5
constexpr std::size_t kMaxStates = std::numeric_limits<DigitState>::max();

// The pattern as a tree: one set of digits, a sequence, a choice or a count.
struct Node {
    enum class Kind { digits, sequence, choice, count } kind;
    std::uint16_t mask = 0;
    int min = 1, max = 1;
    std::vector<std::size_t> children;
};

class Parser {
public:
    explicit Parser(std::string_view pattern) : text_(pattern) {}

    // The root node, or nothing when the pattern is outside the syntax.
    std::optional<std::size_t> parse() {
        auto root = choice();
        if (!root || position_ != text_.size()) return std::nullopt;
        return root;
    }

    std::vector<Node> nodes;

private:
    bool peek(char c) const { return position_ < text_.size() && text_[position_] == c; }
    bool take(char c) {
        if (!peek(c)) return false;
        ++position_;
        return true;
    }
    std::size_t add(Node node) {
        nodes.push_back(std::move(node));
        return nodes.size() - 1;
    }

    std::optional<std::size_t> choice() {
        // The parser and the builder recurse once per group: a bound keeps
        // any pattern from running the stack out.
        if (++depth_ > kMaxNesting) return std::nullopt;
        Node node{Node::Kind::choice, 0, 1, 1, {}};
        do {
            auto part = sequence();
            if (!part) return std::nullopt;
            node.children.push_back(*part);
        } while (take('|'));
        --depth_;
        return node.children.size() == 1 ? node.children.front() : add(std::move(node));
    }

    std::optional<std::size_t> sequence() {
        Node node{Node::Kind::sequence, 0, 1, 1, {}};
        while (position_ < text_.size() && !peek('|') && !peek(')')) {
            auto part = counted();
            if (!part) return std::nullopt;
            node.children.push_back(*part);
        }
        return add(std::move(node));
    }

    std::optional<std::size_t> counted() {
        auto inner = atom();
        if (!inner) return std::nullopt;
        int min = 1, max = 1;
        if (take('?')) {
            min = 0;
        } else if (take('*')) {
            min = 0, max = kUnbounded;
        } else if (take('+')) {
            max = kUnbounded;
        } else if (take('{')) {
            auto low = number();
            if (!low) return std::nullopt;
            min = max = *low;
            if (take(',')) {
                max = kUnbounded;
                if (!peek('}')) {
                    auto high = number();
                    if (!high || *high < min) return std::nullopt;
                    max = *high;
                }
            }
            if (!take('}')) return std::nullopt;
        } else {
            return inner;
        }
        take('?');  // a lazy count matches the same whole texts
        if (peek('?') || peek('*') || peek('+') || peek('{')) return std::nullopt;
        return add(Node{Node::Kind::count, 0, min, max, {*inner}});
    }

    std::optional<int> number() {
        int value = 0;
        const std::size_t start = position_;
        while (position_ < text_.size() && text_[position_] >= '0' && text_[position_] <= '9') {
            value = value * 10 + (text_[position_++] - '0');
            if (value > kMaxCount) return std::nullopt;
        }
        if (position_ == start) return std::nullopt;
        return value;
    }

    std::optional<std::size_t> atom() {
        if (position_ >= text_.size()) return std::nullopt;
        const char c = text_[position_++];
        if (c >= '0' && c <= '9') return digits(static_cast<std::uint16_t>(1U << (c - '0')));
        if (c == '.') return digits(kAnyDigit);
        if (c == '\\' && take('d')) return digits(kAnyDigit);
        if (c == '[') return set();
        if (c == '(') {
            if (take('?') && !(take(':'))) return std::nullopt;
            auto inner = choice();
            if (!inner || !take(')')) return std::nullopt;
            return inner;
        }
        return std::nullopt;
    }

    std::optional<std::size_t> digits(std::uint16_t mask) { return add(Node{Node::Kind::digits, mask, 1, 1, {}}); }

    // A bracketed class of digits: single digits, ranges and \d.
    std::optional<std::size_t> set() {
        const bool negated = take('^');
        std::uint16_t mask = 0;
        bool first = true;
        while (position_ < text_.size() && (first || !peek(']'))) {
            first = false;
            if (text_.substr(position_, 2) == "\\d") {
                position_ += 2;
                mask = kAnyDigit;
                continue;
            }
            const char low = text_[position_++];
            char high = low;
            if (peek('-') && position_ + 1 < text_.size() && text_[position_ + 1] != ']') {
                high = text_[position_ + 1];
                position_ += 2;
            }
            if (low < '0' || high > '9' || high < low) return std::nullopt;
            for (char d = low; d <= high; ++d) mask |= static_cast<std::uint16_t>(1U << (d - '0'));
        }
        if (!take(']')) return std::nullopt;
        return digits(negated ? static_cast<std::uint16_t>(~mask & kAnyDigit) : mask);
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int depth_ = 0;
};

// A Thompson automaton: each node has at most one digit edge and any number
// of empty ones.
struct Nfa {
    struct State {
        std::uint16_t mask = 0;
        std::size_t to = 0;
        std::vector<std::size_t> empty;
    };
    std::vector<State> states;
    bool tooLarge = false;

    std::size_t state() {
        if (states.size() >= kMaxNfaNodes) tooLarge = true;
        states.emplace_back();
        return states.size() - 1;
    }

    // Builds `node` between a fresh entry and a fresh exit.
    std::pair<std::size_t, std::size_t> build(const std::vector<Node>& tree, std::size_t node) {
        const Node& n = tree[node];
        const std::size_t in = state();
        if (tooLarge) return {in, in};
        switch (n.kind) {
            case Node::Kind::digits: {
                const std::size_t out = state();
                states[in].mask = n.mask;
                states[in].to = out;
                return {in, out};
            }
            case Node::Kind::sequence: {
                std::size_t end = in;
                for (const std::size_t child : n.children) {
                    const auto [from, to] = build(tree, child);
                    states[end].empty.push_back(from);
                    end = to;
                    if (tooLarge) break;
                }
                return {in, end};
            }
            case Node::Kind::choice: {
                const std::size_t out = state();
                for (const std::size_t child : n.children) {
                    const auto [from, to] = build(tree, child);
                    states[in].empty.push_back(from);
                    states[to].empty.push_back(out);
                    if (tooLarge) break;
                }
                return {in, out};
            }
            case Node::Kind::count: {
                std::size_t end = in;
                for (int i = 0; i < n.min && !tooLarge; ++i) {
                    const auto [from, to] = build(tree, n.children.front());
                    states[end].empty.push_back(from);
                    end = to;
                }
                if (n.max == kUnbounded) {
                    const auto [from, to] = build(tree, n.children.front());
                    const std::size_t out = state();
                    states[end].empty.insert(states[end].empty.end(), {from, out});
                    states[to].empty.insert(states[to].empty.end(), {from, out});
                    return {in, out};
                }
                // Each optional copy may be skipped straight to the end.
                std::vector<std::size_t> skips;
                for (int i = n.min; i < n.max && !tooLarge; ++i) {
                    const auto [from, to] = build(tree, n.children.front());
                    states[end].empty.push_back(from);
                    skips.push_back(end);
                    end = to;
                }
                for (const std::size_t skip : skips) states[skip].empty.push_back(end);
                return {in, end};
            }
        }
        return {in, in};
    }
};

// The subset construction: each automaton state is the set of Thompson
// states that have a digit edge or end a pattern.
struct Subsets {
    const Nfa& nfa;
    const std::vector<std::size_t>& ends;  // the end of each pattern, in priority order
    std::vector<std::uint8_t> endLabels;
    std::vector<std::uint32_t> seen;
    std::uint32_t stamp = 0;

    std::vector<std::size_t> closure(const std::vector<std::size_t>& from) {
        ++stamp;
        std::vector<std::size_t> stack = from, kept;
        while (!stack.empty()) {
            const std::size_t s = stack.back();
            stack.pop_back();
            if (seen[s] == stamp) continue;
            seen[s] = stamp;
            const auto& state = nfa.states[s];
            if (state.mask != 0 || std::find(ends.begin(), ends.end(), s) != ends.end()) kept.push_back(s);
            stack.insert(stack.end(), state.empty.begin(), state.empty.end());
        }
        std::sort(kept.begin(), kept.end());
        return kept;
    }

    std::uint8_t label(const std::vector<std::size_t>& set) const {
        for (std::size_t i = 0; i < ends.size(); ++i) {
            if (std::binary_search(set.begin(), set.end(), ends[i])) return endLabels[i];
        }
        return 0;
    }
};

// Moore's refinement: states are merged while no digit tells them apart.
DigitAutomaton minimized(const std::vector<DigitRow>& next, const std::vector<std::uint8_t>& labels) {
    const std::size_t n = next.size();
    std::vector<std::size_t> block(n);
    for (std::size_t s = 0; s < n; ++s) block[s] = labels[s];
    for (std::size_t blocks = 0;;) {
        std::map<std::array<std::size_t, 11>, std::size_t> signatures;
        std::vector<std::size_t> refined(n);
        for (std::size_t s = 0; s < n; ++s) {
            std::array<std::size_t, 11> signature{block[s]};
            for (std::size_t d = 0; d < 10; ++d) signature[d + 1] = block[next[s][d]];
            refined[s] = signatures.emplace(signature, signatures.size()).first->second;
        }
        block = std::move(refined);
        if (signatures.size() == blocks) break;
        blocks = signatures.size();
    }
    // Number the blocks breadth first from the start (state 1); the dead
    // state's block is 0, which every state that can never match joins.
    DigitAutomaton out;
    std::vector<std::size_t> number(n, SIZE_MAX);
    std::vector<std::size_t> representative{0};
    std::vector<std::size_t> ofBlock(n, SIZE_MAX);
    ofBlock[block[0]] = 0;
    if (ofBlock[block[1]] == SIZE_MAX) {
        ofBlock[block[1]] = 1;
        representative.push_back(1);
    }
    for (std::size_t i = 1; i < representative.size(); ++i) {
        const std::size_t s = representative[i];
        DigitRow row{};
        for (std::size_t d = 0; d < 10; ++d) {
            std::size_t& target = ofBlock[block[next[s][d]]];
            if (target == SIZE_MAX) {
                target = representative.size();
                representative.push_back(next[s][d]);
            }
            row[d] = static_cast<DigitState>(target);
        }
        out.next.push_back(row);
        out.labels.push_back(labels[s]);
    }
    out.start = representative.size() > 1 ? 1 : 0;
    return out;
}

}  // namespace

DigitAutomaton compileDigitAutomaton(std::span<const LabelledPattern> patterns) {
    Nfa nfa;
    const std::size_t entry = nfa.state();
    std::vector<std::size_t> ends;
    std::vector<std::uint8_t> endLabels;
    for (const LabelledPattern& p : patterns) {
        if (p.pattern.empty()) continue;
        Parser parser(p.pattern);
        const auto root = parser.parse();
        if (!root) continue;
        const std::size_t before = nfa.states.size();
        const auto [from, to] = nfa.build(parser.nodes, *root);
        if (nfa.tooLarge) {  // this pattern is dropped; the ones before it stand
            nfa.states.resize(before);
            nfa.tooLarge = false;
            continue;
        }
        nfa.states[entry].empty.push_back(from);
        ends.push_back(to);
        endLabels.push_back(p.label);
    }
    if (ends.empty()) return {};

    Subsets subsets{nfa, ends, endLabels, std::vector<std::uint32_t>(nfa.states.size())};
    std::map<std::vector<std::size_t>, DigitState> index{{{}, 0}};
    std::vector<std::vector<std::size_t>> sets{{}, subsets.closure({entry})};
    index.emplace(sets[1], 1);
    std::vector<DigitRow> next{DigitRow{}};
    std::vector<std::uint8_t> labels{0};
    for (std::size_t s = 1; s < sets.size(); ++s) {
        DigitRow row{};
        for (std::size_t d = 0; d < 10; ++d) {
            std::vector<std::size_t> moved;
            for (const std::size_t t : sets[s]) {
                if (nfa.states[t].mask & (1U << d)) moved.push_back(nfa.states[t].to);
            }
            auto target = subsets.closure(moved);
            auto [at, added] = index.emplace(target, static_cast<DigitState>(sets.size()));
            if (added) {
                if (sets.size() >= kMaxStates) return {};
                sets.push_back(std::move(target));
            }
            row[d] = at->second;
        }
        next.push_back(row);
        labels.push_back(subsets.label(sets[s]));
    }
    return minimized(next, labels);
}

DigitAutomaton compileDigitAutomaton(std::string_view pattern) {
    const LabelledPattern only{pattern, 1};
    return compileDigitAutomaton(std::span(&only, 1));
}

bool isDigitPattern(std::string_view pattern) { return Parser(pattern).parse().has_value(); }

DigitAutomaton::Lengths DigitAutomaton::lengths() const {
    if (start == 0) return {};
    // The shortest match: breadth first from the start.
    std::vector<std::size_t> depth(next.size(), SIZE_MAX);
    std::vector<DigitState> queue{start};
    depth[start] = 0;
    std::size_t min = SIZE_MAX;
    for (std::size_t i = 0; i < queue.size() && min == SIZE_MAX; ++i) {
        if (labels[queue[i]] != 0) min = depth[queue[i]];
        for (const DigitState t : next[queue[i]]) {
            if (t == 0 || depth[t] != SIZE_MAX) continue;
            depth[t] = depth[queue[i]] + 1;
            queue.push_back(t);
        }
    }
    // The longest: every state but the dead one can still reach a match,
    // so a cycle among them means matches of any length.
    std::vector<int> mark(next.size(), 0);  // 0 new, 1 on the path, 2 done
    std::vector<std::size_t> longest(next.size(), 0);
    bool unbounded = false;
    const auto visit = [&](auto& self, DigitState s) -> void {
        mark[s] = 1;
        for (const DigitState t : next[s]) {
            if (t == 0 || unbounded) continue;
            if (mark[t] == 1) {
                unbounded = true;
                return;
            }
            if (mark[t] == 0) self(self, t);
            longest[s] = std::max(longest[s], longest[t] + 1);
        }
        mark[s] = 2;
    };
    visit(visit, start);
    return {min, unbounded ? SIZE_MAX : longest[start]};
}

}  // namespace PhoneKit::detail
