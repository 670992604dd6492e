#pragma once
// Document order for lines inserted anywhere: a linked list whose labels grow along it, so that
// "does a come before b" is one comparison.

#include <cstdint>
#include <vector>

namespace logs {

// Elements in a list order that grows by insertions anywhere: a linked list whose labels grow along
// it, so that "does line a come before line b" is one comparison while lines go in anywhere. When
// two neighbours have no label between them, the smallest enclosing range of labels that is sparse
// enough is spread out evenly (amortised O(log n) per insertion).
class LineOrder {
  public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    [[nodiscard]] std::uint32_t first() const noexcept { return head_; }
    [[nodiscard]] std::uint32_t next(std::uint32_t a) const noexcept { return next_[a]; }
    [[nodiscard]] bool before(std::uint32_t a, std::uint32_t b) const noexcept {
        return label_[a] < label_[b];
    }

    // A new element directly after `after` (kNone: at the end); returns its number.
    std::uint32_t insert_after(std::uint32_t after) {
        const auto y = static_cast<std::uint32_t>(label_.size());
        if (after == kNone) after = tail_;
        if (after == kNone) {
            label_.push_back(kStride);
            next_.push_back(kNone);
            prev_.push_back(kNone);
            head_ = tail_ = y;
            return y;
        }
        if (gap_after(after) < 2) spread_around(after);
        const std::uint64_t label = label_[after] + std::min(gap_after(after) / 2, kStride);
        const std::uint32_t nx = next_[after];
        label_.push_back(label);
        next_.push_back(nx);
        prev_.push_back(after);
        next_[after] = y;
        if (nx == kNone) {
            tail_ = y;
        } else {
            prev_[nx] = y;
        }
        return y;
    }

  private:
    static constexpr int kBits = 62;
    static constexpr std::uint64_t kTop = std::uint64_t{1} << kBits;
    static constexpr std::uint64_t kStride = std::uint64_t{1} << 32;  // room left by appends

    [[nodiscard]] std::uint64_t gap_after(std::uint32_t a) const {
        return (next_[a] == kNone ? kTop : label_[next_[a]]) - label_[a];
    }

    // Relabels the smallest aligned range of 2^i labels around a that holds at most
    // (2 / 1.4)^i elements, leaving a gap after a for the element about to go in.
    void spread_around(std::uint32_t a);
    std::vector<std::uint64_t> label_;
    std::vector<std::uint32_t> next_, prev_;
    std::uint32_t head_ = kNone, tail_ = kNone;
};

}  // namespace logs
