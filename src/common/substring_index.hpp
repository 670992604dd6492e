#pragma once
// Answers "does this text occur anywhere in a text that only grows at its end" in time
// proportional to the query, where a plain search would rescan the whole growing text.
// An online suffix automaton: appending n bytes costs amortised O(n).

#include <cstdint>
#include <string_view>
#include <vector>

namespace common {

class SubstringIndex {
public:
    SubstringIndex();
    void append(std::string_view bytes);
    // Same answer as text.find(needle) != npos on the appended text (empty needle: true).
    [[nodiscard]] bool contains(std::string_view needle) const;
    void clear();

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

    std::vector<State> states_;
    std::vector<Edge> edges_;
    std::int32_t last_ = 0;
};

}  // namespace common
