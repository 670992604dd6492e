#pragma once
// Answers "does this needle occur in the text written so far" for a text that only grows at its
// end, when every needle that will be asked about is known before the text is written (the log
// code collects them in one pass first). An Aho-Corasick automaton over the distinct needles is
// fed with the text as it grows: appending n bytes costs O(n) plus the needles found for the first
// time, a question costs O(1), and the memory is about 14 bytes per byte of distinct needle text,
// however long the text grows.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace common {

class NeedleAutomaton {
  public:
    using Node = std::uint32_t;
    static constexpr Node kRoot = 0;

    // The views need to live only while the constructor runs.
    explicit NeedleAutomaton(const std::vector<std::string_view>& needles);

    // The node of needle i: equal needles share one, the empty needle is kRoot (never reported).
    [[nodiscard]] Node node(std::size_t i) const noexcept { return node_of_[i]; }
    [[nodiscard]] std::size_t node_count() const noexcept { return nodes_.size(); }

    // Feeds bytes at the end of the text. At every byte, visit(node) is called for the needles
    // that end there, longest first (each one a suffix of the one before), until visit returns
    // false.
    template <class Visit>
    void feed(std::string_view bytes, Visit&& visit);
    // What is fed next starts a new text: no needle is found across the cut.
    void restart() noexcept { state_ = kRoot; }

  private:
    // One record per node, so that a step costs one cache line. The children of a node have
    // consecutive numbers, in increasing order of their label.
    struct NodeData {
        Node child_begin = 0;
        Node fail = kRoot;  // longest proper suffix that is a node
        Node out = kRoot;   // longest proper suffix that is a needle (kRoot: none)
        std::uint16_t child_count = 0;
        unsigned char label = 0;
        bool terminal = false;  // a needle ends here
    };
    [[nodiscard]] Node child(Node v, unsigned char c) const noexcept;

    std::vector<Node> node_of_;
    std::vector<NodeData> nodes_;
    std::array<Node, 256> root_child_{};
    Node state_ = kRoot;
};

inline NeedleAutomaton::Node NeedleAutomaton::child(Node v, unsigned char c) const noexcept {
    if (v == kRoot) return root_child_[c];
    Node lo = nodes_[v].child_begin;
    const Node end = lo + nodes_[v].child_count;
    Node hi = end;
    while (lo < hi) {
        const Node mid = lo + (hi - lo) / 2;
        if (nodes_[mid].label < c) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo < end && nodes_[lo].label == c ? lo : kRoot;
}

template <class Visit>
void NeedleAutomaton::feed(std::string_view bytes, Visit&& visit) {
    Node s = state_;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        Node next = child(s, c);
        while (next == kRoot && s != kRoot) {
            s = nodes_[s].fail;
            next = child(s, c);
        }
        s = next;
        for (Node v = nodes_[s].terminal ? s : nodes_[s].out; v != kRoot && visit(v);
             v = nodes_[v].out) {
        }
    }
    state_ = s;
}

// The needles that occur in a growing text. A needle found once is marked; the needles that are
// suffixes of a marked one are marked too (they ended at the same byte), so the walk along the
// suffix chain stops at the first marked needle and every needle is marked once.
class SubstringIndex {
  public:
    explicit SubstringIndex(const std::vector<std::string_view>& needles);

    // Same answer as text.find(needles[i]) != npos on the text appended so far.
    [[nodiscard]] bool contains(std::size_t i) const {
        const auto v = automaton_.node(i);
        return v == NeedleAutomaton::kRoot || seen_[v];
    }
    // Continues the text.
    void append(std::string_view bytes);
    // A line of its own: no needle is found across its ends.
    void append_line(std::string_view line);

  private:
    NeedleAutomaton automaton_;
    std::vector<bool> seen_;
};

}  // namespace common
