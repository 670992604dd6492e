#include "common/substring_index.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(SubstringIndex, agreesWithPlainSearchOnRandomGrowingText) {
    std::mt19937 rng(7);
    common::SubstringIndex index;
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
