#include "common/substring_index.hpp"

#include <algorithm>
#include <functional>

#if defined(__GLIBC__)
#include <string.h>
#endif

namespace common {

std::size_t find_bytes(std::string_view hay, std::string_view needle) noexcept {
    if (needle.empty()) return 0;
    if (needle.size() > hay.size()) return std::string_view::npos;
#if defined(__GLIBC__)
    // glibc's memmem is the two-way algorithm: linear even on repetitive text.
    const void* hit = memmem(hay.data(), hay.size(), needle.data(), needle.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - hay.data());
#else
    const auto it = std::search(hay.begin(), hay.end(),
                                std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
    return it == hay.end() ? std::string_view::npos : static_cast<std::size_t>(it - hay.begin());
#endif
}

SubstringIndex::SubstringIndex(std::size_t budget_bytes) : budget_(budget_bytes) {
    clear();
}

void SubstringIndex::clear() {
    plain_ = false;
    states_.assign(1, State{});
    edges_.clear();
    last_ = 0;
    text_.clear();
    triples_.reset();
}

void SubstringIndex::switch_to_plain() {
    plain_ = true;
    std::vector<State>().swap(states_);
    std::vector<Edge>().swap(edges_);
    triples_ = std::make_unique<std::bitset<1u << 24>>();
    note_triples(text_);
}

void SubstringIndex::note_triples(std::string_view bytes) {
    // Triples that straddle the end of the earlier text are counted by passing it in whole at the
    // switch and two bytes of context afterwards.
    for (std::size_t i = 0; i + 2 < bytes.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        const auto c = static_cast<unsigned char>(bytes[i + 2]);
        triples_->set((std::size_t{a} << 16) | (std::size_t{b} << 8) | c);
    }
}

bool SubstringIndex::triples_present(std::string_view needle) const {
    for (std::size_t i = 0; i + 2 < needle.size(); ++i) {
        const auto a = static_cast<unsigned char>(needle[i]);
        const auto b = static_cast<unsigned char>(needle[i + 1]);
        const auto c = static_cast<unsigned char>(needle[i + 2]);
        if (!triples_->test((std::size_t{a} << 16) | (std::size_t{b} << 8) | c)) return false;
    }
    return true;
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
        if (states_[static_cast<std::size_t>(p)].len + 1 ==
            states_[static_cast<std::size_t>(q)].len) {
            states_[static_cast<std::size_t>(cur)].link = q;
        } else {
            const auto clone = static_cast<std::int32_t>(states_.size());
            states_.push_back(State{states_[static_cast<std::size_t>(p)].len + 1,
                                    states_[static_cast<std::size_t>(q)].link, -1});
            for (std::int32_t e = states_[static_cast<std::size_t>(q)].first_edge; e >= 0;
                 e = edges_[static_cast<std::size_t>(e)].next) {
                const Edge copy = edges_[static_cast<std::size_t>(e)];
                edges_.push_back(Edge{
                    copy.target, states_[static_cast<std::size_t>(clone)].first_edge, copy.byte});
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
    const std::size_t old_size = text_.size();
    text_.append(bytes);
    if (!plain_ && text_.size() > budget_) {
        switch_to_plain();
        return;
    }
    if (plain_) {
        const std::size_t from = old_size >= 2 ? old_size - 2 : 0;
        note_triples(std::string_view(text_).substr(from));
        return;
    }
    for (char ch : bytes) extend(static_cast<unsigned char>(ch));
}

bool SubstringIndex::contains(std::string_view needle) const {
    if (plain_) {
        if (!triples_present(needle)) return false;
        return find_bytes(text_, needle) != std::string_view::npos;
    }
    std::int32_t s = 0;
    for (char ch : needle) {
        s = find_edge(s, static_cast<unsigned char>(ch));
        if (s < 0) return false;
    }
    return true;
}

}  // namespace common
