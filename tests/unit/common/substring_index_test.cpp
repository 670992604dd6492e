#include "common/substring_index.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

class SubstringIndexBudget : public ::testing::TestWithParam<std::size_t> {};

// Past its budget the index answers by plain search; the answers must not change.
TEST_P(SubstringIndexBudget, agreesWithPlainSearchOnRandomGrowingText) {
    std::mt19937 rng(7);
    const std::string alphabet = "ab,#\r\n";
    const auto random_text = [&](int max_len) {
        std::string s;
        for (int i = static_cast<int>(rng() % max_len); i > 0; --i) s += alphabet[rng() % 6];
        return s;
    };
    common::SubstringIndex index(GetParam());
    EXPECT_TRUE(index.contains(""));
    EXPECT_FALSE(index.contains("a"));
    std::string text;
    for (int step = 0; step < 300; ++step) {
        const std::string piece = random_text(6);
        text += piece;
        index.append(piece);
        for (int q = 0; q < 20; ++q) {
            const std::string needle = random_text(7);
            ASSERT_EQ(index.contains(needle), text.find(needle) != std::string::npos)
                << "needle '" << needle << "' in text of " << text.size() << " bytes";
        }
    }
    EXPECT_EQ(index.using_automaton(), text.size() <= GetParam());
    index.clear();
    EXPECT_FALSE(index.contains("a"));
}

INSTANTIATE_TEST_SUITE_P(Budgets, SubstringIndexBudget,
                         ::testing::Values(common::SubstringIndex::kDefaultBudget, 0, 1, 37));

TEST(FindBytes, findsTheFirstOccurrenceOnRepetitiveText) {
    const std::string hay(100000, 'x');
    EXPECT_EQ(common::find_bytes(hay, std::string(500, 'x') + "y"), std::string::npos);
    EXPECT_EQ(common::find_bytes(hay + "y", std::string(500, 'x') + "y"), 100000u - 500u);
    EXPECT_EQ(common::find_bytes("abc", ""), 0u);
    EXPECT_EQ(common::find_bytes("ab", "abc"), std::string::npos);
    EXPECT_EQ(common::find_bytes(std::string("a\0b\0c", 5), std::string("\0c", 2)), 3u);
}

}  // namespace
