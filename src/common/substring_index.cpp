#include "common/substring_index.hpp"

namespace common {

SubstringIndex::SubstringIndex() { clear(); }

void SubstringIndex::clear() {
    states_.assign(1, State{});
    edges_.clear();
    last_ = 0;
}

std::int32_t SubstringIndex::find_edge(std::int32_t state, unsigned char byte) const {
    for (std::int32_t e = states_[static_cast<std::size_t>(state)].first_edge; e >= 0;
         e = edges_[static_cast<std::size_t>(e)].next) {
        if (edges_[static_cast<std::size_t>(e)].byte == byte) {
            return edges_[static_cast<std::size_t>(e)].target;
        }
    }
    return -1;
}

void SubstringIndex::set_edge(std::int32_t state, unsigned char byte, std::int32_t target) {
    auto& st = states_[static_cast<std::size_t>(state)];
    for (std::int32_t e = st.first_edge; e >= 0; e = edges_[static_cast<std::size_t>(e)].next) {
        if (edges_[static_cast<std::size_t>(e)].byte == byte) {
            edges_[static_cast<std::size_t>(e)].target = target;
            return;
        }
    }
    edges_.push_back(Edge{target, st.first_edge, byte});
    states_[static_cast<std::size_t>(state)].first_edge =
        static_cast<std::int32_t>(edges_.size() - 1);
}

void SubstringIndex::extend(unsigned char c) {
    const auto cur = static_cast<std::int32_t>(states_.size());
    states_.push_back(State{states_[static_cast<std::size_t>(last_)].len + 1, -1, -1});
    std::int32_t p = last_;
    while (p != -1 && find_edge(p, c) == -1) {
        set_edge(p, c, cur);
        p = states_[static_cast<std::size_t>(p)].link;
    }
    if (p == -1) {
        states_[static_cast<std::size_t>(cur)].link = 0;
    } else {
        const std::int32_t q = find_edge(p, c);
        if (states_[static_cast<std::size_t>(p)].len + 1 == states_[static_cast<std::size_t>(q)].len) {
            states_[static_cast<std::size_t>(cur)].link = q;
        } else {
            const auto clone = static_cast<std::int32_t>(states_.size());
            states_.push_back(State{states_[static_cast<std::size_t>(p)].len + 1,
                                    states_[static_cast<std::size_t>(q)].link, -1});
            for (std::int32_t e = states_[static_cast<std::size_t>(q)].first_edge; e >= 0;
                 e = edges_[static_cast<std::size_t>(e)].next) {
                const Edge copy = edges_[static_cast<std::size_t>(e)];
                edges_.push_back(Edge{copy.target, states_[static_cast<std::size_t>(clone)].first_edge,
                                      copy.byte});
                states_[static_cast<std::size_t>(clone)].first_edge =
                    static_cast<std::int32_t>(edges_.size() - 1);
            }
            while (p != -1 && find_edge(p, c) == q) {
                set_edge(p, c, clone);
                p = states_[static_cast<std::size_t>(p)].link;
            }
            states_[static_cast<std::size_t>(q)].link = clone;
            states_[static_cast<std::size_t>(cur)].link = clone;
        }
    }
    last_ = cur;
}

void SubstringIndex::append(std::string_view bytes) {
    for (char ch : bytes) extend(static_cast<unsigned char>(ch));
}

bool SubstringIndex::contains(std::string_view needle) const {
    std::int32_t s = 0;
    for (char ch : needle) {
        s = find_edge(s, static_cast<unsigned char>(ch));
        if (s < 0) return false;
    }
    return true;
}

}  // namespace common
