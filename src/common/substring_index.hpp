#pragma once
// Answers "does this text occur anywhere in a text that only grows at its end" in time
// proportional to the query, where a plain search would rescan the whole growing text.
// An online suffix automaton: appending n bytes costs amortised O(n).
//
// The automaton needs tens of bytes per indexed byte. The texts indexed here are lists of short
// log fields (kilobytes in a real day), so a budget bounds the memory that a damaged log with
// huge fields could take: past it the index drops the automaton and answers with a plain
// search of the text, filtered by which byte triples occur at all. The answers stay exact.

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Position of the first occurrence of needle in hay (npos when none), linear in the worst case.
std::size_t find_bytes(std::string_view hay, std::string_view needle) noexcept;

class SubstringIndex {
  public:
    static constexpr std::size_t kDefaultBudget = std::size_t{2} << 20;  // indexed bytes

    explicit SubstringIndex(std::size_t budget_bytes = kDefaultBudget);
    void append(std::string_view bytes);
    // Same answer as text.find(needle) != npos on the appended text (empty needle: true).
    [[nodiscard]] bool contains(std::string_view needle) const;
    void clear();
    [[nodiscard]] bool using_automaton() const noexcept { return !plain_; }

  private:
    struct State {
        std::int32_t len = 0;
        std::int32_t link = -1;
        std::int32_t first_edge = -1;
    };
    struct Edge {
        std::int32_t target;
        std::int32_t next;
        unsigned char byte;
    };
    [[nodiscard]] std::int32_t find_edge(std::int32_t state, unsigned char byte) const;
    void set_edge(std::int32_t state, unsigned char byte, std::int32_t target);
    void extend(unsigned char byte);
    void switch_to_plain();
    void note_triples(std::string_view bytes);
    [[nodiscard]] bool triples_present(std::string_view needle) const;

    std::size_t budget_;
    bool plain_ = false;
    std::vector<State> states_;
    std::vector<Edge> edges_;
    std::int32_t last_ = 0;
    // Plain mode: the text itself and which byte triples occur in it (2 MiB of bits).
    std::string text_;
    std::unique_ptr<std::bitset<1u << 24>> triples_;
};

}  // namespace common
