#include "common/substring_index.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

class SubstringIndexBudget : public ::testing::TestWithParam<std::size_t> {};

// Past its budget the index answers by plain search; the answers must not change.
TEST_P(SubstringIndexBudget, agreesWithPlainSearchOnRandomGrowingText) {
    std::mt19937 rng(7);
    common::SubstringIndex index(GetParam());
    std::string text;
    const std::string alphabet = "ab,#\r\n";
    for (int step = 0; step < 300; ++step) {
        std::string piece;
        const int len = static_cast<int>(rng() % 6);
        for (int i = 0; i < len; ++i) piece += alphabet[rng() % alphabet.size()];
        text += piece;
        index.append(piece);
        for (int q = 0; q < 20; ++q) {
            std::string needle;
            const int nlen = static_cast<int>(rng() % 7);
            for (int i = 0; i < nlen; ++i) needle += alphabet[rng() % alphabet.size()];
            ASSERT_EQ(index.contains(needle), text.find(needle) != std::string::npos)
                << "needle '" << needle << "' in text of " << text.size() << " bytes";
        }
    }
    EXPECT_EQ(index.using_automaton(), text.size() <= GetParam());
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

TEST(SubstringIndex, emptyNeedleAndEmptyText) {
    common::SubstringIndex index;
    EXPECT_TRUE(index.contains(""));
    EXPECT_FALSE(index.contains("a"));
    index.append("xyz");
    EXPECT_TRUE(index.contains("yz"));
    EXPECT_FALSE(index.contains("zx"));
    index.clear();
    EXPECT_FALSE(index.contains("x"));
}

}  // namespace
