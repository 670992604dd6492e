#include "logs/line_order.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <list>
#include <random>
#include <vector>

namespace {

using logs::LineOrder;

// Inserts as the grouped result lists do (under one anchor again and again, right after the
// newest line, at the end, anywhere) and compares the walk and the order of every neighbour pair
// with a plain list kept in the same order.
TEST(LineOrder, walkAndComparisonsFollowTheInsertions) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        LineOrder order;
        std::list<std::uint32_t> reference;
        std::vector<std::list<std::uint32_t>::iterator> where;  // by element number
        std::uint32_t anchor = order.insert_after(LineOrder::kNone);
        where.push_back(reference.insert(reference.end(), anchor));
        std::uint32_t last = anchor;
        for (int i = 0; i < 60000; ++i) {
            std::uint32_t after = anchor;  // the common case: under one airline's line
            switch (rng() % 8) {
                case 0:
                    after = LineOrder::kNone;
                    break;  // at the end
                case 1:
                    after = static_cast<std::uint32_t>(rng() % where.size());
                    break;
                case 2:
                    after = last;
                    break;
                default:
                    break;
            }
            last = order.insert_after(after);
            const auto at = after == LineOrder::kNone ? reference.end() : std::next(where[after]);
            where.push_back(reference.insert(at, last));
            if (i % 5000 == 0) anchor = static_cast<std::uint32_t>(rng() % where.size());
        }
        std::vector<std::uint32_t> walked;
        for (auto e = order.first(); e != LineOrder::kNone; e = order.next(e)) walked.push_back(e);
        ASSERT_EQ(walked, std::vector<std::uint32_t>(reference.begin(), reference.end()))
            << "seed " << seed;
        for (std::size_t k = 1; k < walked.size(); ++k) {
            ASSERT_TRUE(order.before(walked[k - 1], walked[k])) << "seed " << seed << " at " << k;
        }
    }
}

}  // namespace
