#include "common/substring_index.hpp"

#include <algorithm>
#include <unordered_map>

namespace common {
namespace {

// A trie node under construction: the distinct needles order[lo, hi) share its text, which is
// `depth` bytes long.
struct Range {
    NeedleAutomaton::Node node;
    std::uint32_t lo, hi, depth;
};

// Sorts order[lo, hi) by the byte at depth (every needle there is longer than depth).
void sort_by_byte(std::vector<std::uint32_t>& order, std::vector<std::uint32_t>& scratch,
                  const std::vector<std::string_view>& keys, std::uint32_t lo, std::uint32_t hi,
                  std::uint32_t depth) {
    const auto byte = [&](std::uint32_t k) { return static_cast<unsigned char>(keys[k][depth]); };
    if (hi - lo < 64) {
        std::sort(order.begin() + lo, order.begin() + hi,
                  [&](std::uint32_t a, std::uint32_t b) { return byte(a) < byte(b); });
        return;
    }
    std::array<std::uint32_t, 257> start{};
    for (std::uint32_t i = lo; i < hi; ++i) ++start[byte(order[i]) + 1u];
    for (std::size_t c = 1; c < start.size(); ++c) start[c] += start[c - 1];
    for (std::uint32_t i = lo; i < hi; ++i) scratch[start[byte(order[i])]++] = order[i];
    std::copy(scratch.begin(), scratch.begin() + (hi - lo), order.begin() + lo);
}

}  // namespace

NeedleAutomaton::NeedleAutomaton(const std::vector<std::string_view>& needles) {
    // Distinct needles only: a log repeats its airlines and models thousands of times.
    std::vector<std::string_view> keys;
    std::vector<std::uint32_t> key_of(needles.size());
    {
        std::unordered_map<std::string_view, std::uint32_t> index;
        index.reserve(needles.size());
        for (std::size_t i = 0; i < needles.size(); ++i) {
            const auto [it, added] =
                index.try_emplace(needles[i], static_cast<std::uint32_t>(keys.size()));
            if (added) keys.push_back(needles[i]);
            key_of[i] = it->second;
        }
    }

    // The trie, depth first, so that the bytes of a needle are read while they are in the cache;
    // the children of a node get consecutive numbers. The first walk sorts the needles and
    // counts the nodes, the second builds them: a growing vector would hold its old copy next to
    // the new one.
    std::vector<Node> node_of_key(keys.size(), kRoot);
    std::vector<std::uint32_t> order(keys.size());
    for (std::uint32_t k = 0; k < order.size(); ++k) order[k] = k;
    const auto walk = [&](bool build) {
        std::vector<std::uint32_t> scratch(build ? 0 : keys.size());
        std::size_t count = 1;
        std::vector<Range> stack{{kRoot, 0, static_cast<std::uint32_t>(keys.size()), 0}};
        while (!stack.empty()) {
            const Range r = stack.back();
            stack.pop_back();
            std::uint32_t lo = r.lo;
            for (std::uint32_t i = r.lo; i < r.hi; ++i) {
                if (keys[order[i]].size() != r.depth) continue;
                if (build) {
                    node_of_key[order[i]] = r.node;
                    nodes_[r.node].terminal = r.node != kRoot;
                }
                std::swap(order[i], order[lo++]);
            }
            if (!build) sort_by_byte(order, scratch, keys, lo, r.hi, r.depth);
            const auto first_child = static_cast<Node>(count);
            for (std::uint32_t i = lo; i < r.hi;) {
                const auto c = static_cast<unsigned char>(keys[order[i]][r.depth]);
                std::uint32_t j = i + 1;
                while (j < r.hi && static_cast<unsigned char>(keys[order[j]][r.depth]) == c) ++j;
                stack.push_back({static_cast<Node>(count++), i, j, r.depth + 1});
                if (build) nodes_.push_back({.label = c});
                i = j;
            }
            const auto children = static_cast<std::uint16_t>(count - first_child);
            if (build) {
                nodes_[r.node].child_begin = first_child;
                nodes_[r.node].child_count = children;
            }
            // The first child next.
            std::reverse(stack.end() - children, stack.end());
        }
        return count;
    };
    nodes_.reserve(walk(false));
    nodes_.emplace_back();
    walk(true);
    for (Node k = 0; k < nodes_[kRoot].child_count; ++k) {
        const Node u = nodes_[kRoot].child_begin + k;
        root_child_[nodes_[u].label] = u;
    }

    node_of_.resize(needles.size());
    for (std::size_t i = 0; i < needles.size(); ++i) node_of_[i] = node_of_key[key_of[i]];

    // Suffix links, breadth first: a node's links point to shallower nodes, done before it.
    std::vector<Node> queue;
    queue.reserve(nodes_.size());
    queue.push_back(kRoot);
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const Node v = queue[head];
        const Node begin = nodes_[v].child_begin;
        for (Node u = begin; u < begin + nodes_[v].child_count; ++u) {
            queue.push_back(u);
            Node f = kRoot;
            if (v != kRoot) {
                f = nodes_[v].fail;
                Node g = child(f, nodes_[u].label);
                while (g == kRoot && f != kRoot) {
                    f = nodes_[f].fail;
                    g = child(f, nodes_[u].label);
                }
                f = g;
            }
            nodes_[u].fail = f;
            nodes_[u].out = nodes_[f].terminal ? f : nodes_[f].out;
        }
    }
}

SubstringIndex::SubstringIndex(const std::vector<std::string_view>& needles)
    : automaton_(needles), seen_(automaton_.node_count(), false) {}

void SubstringIndex::append(std::string_view bytes) {
    automaton_.feed(bytes, [this](NeedleAutomaton::Node v) {
        if (seen_[v]) return false;
        seen_[v] = true;
        return true;
    });
}

void SubstringIndex::append_line(std::string_view line) {
    automaton_.restart();
    append(line);
    automaton_.restart();
}

}  // namespace common
