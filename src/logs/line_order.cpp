#include "logs/line_order.hpp"

#include <cmath>

namespace logs {

void LineOrder::spread_around(std::uint32_t a) {
    std::uint32_t lo = a, hi = a;  // first and last element in the range
    std::uint64_t count = 1;
    for (int bits = 1; bits <= kBits; ++bits) {
        const std::uint64_t base = label_[a] >> bits << bits;
        const std::uint64_t end = base + (std::uint64_t{1} << bits);
        while (prev_[lo] != kNone && label_[prev_[lo]] >= base) {
            lo = prev_[lo];
            ++count;
        }
        while (next_[hi] != kNone && label_[next_[hi]] < end) {
            hi = next_[hi];
            ++count;
        }
        if (static_cast<double>(count + 1) > std::pow(2.0 / 1.4, bits) && bits < kBits) {
            continue;
        }
        const std::uint64_t step = (end - base) / (count + 1);
        std::uint64_t label = base;
        for (std::uint32_t e = lo;; e = next_[e]) {
            label_[e] = label;
            label += e == a ? 2 * step : step;
            if (e == hi) break;
        }
        return;
    }
}

}  // namespace logs
