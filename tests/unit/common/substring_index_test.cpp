#include "common/substring_index.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::vector<std::string_view> views(const Strings& s) {
    return {s.begin(), s.end()};
}

// Needles from a tiny alphabet (with NUL and 0xFF), so that they keep turning up inside each
// other and across the pieces of the text; duplicates and the empty needle included.
Strings random_strings(std::mt19937& rng, int count, int max_len) {
    static const std::string alphabet("ab,\0\xFF", 5);
    Strings out;
    for (int i = 0; i < count; ++i) {
        std::string s;
        for (int n = static_cast<int>(rng() % (max_len + 1)); n > 0; --n) s += alphabet[rng() % 5];
        out.push_back(s);
    }
    return out;
}

// At every byte the automaton reports exactly the needles ending there, longest first.
TEST(NeedleAutomaton, reportsEveryNeedleEndingAtEachByteLongestFirst) {
    std::mt19937 rng(3);
    for (int round = 0; round < 40; ++round) {
        const Strings needles = random_strings(rng, 1 + static_cast<int>(rng() % 30), 6);
        const std::string text = random_strings(rng, 1, 60)[0];
        common::NeedleAutomaton automaton(views(needles));
        for (std::size_t end = 1; end <= text.size(); ++end) {
            std::vector<common::NeedleAutomaton::Node> got;
            automaton.feed(text.substr(end - 1, 1), [&](auto v) {
                got.push_back(v);
                return true;
            });
            // Distinct needles that are suffixes of text[0, end), longest first.
            std::vector<std::pair<std::size_t, common::NeedleAutomaton::Node>> want;
            for (std::size_t i = 0; i < needles.size(); ++i) {
                const std::string& n = needles[i];
                if (n.empty() || n.size() > end || text.compare(end - n.size(), n.size(), n) != 0)
                    continue;
                want.emplace_back(n.size(), automaton.node(i));
            }
            std::sort(want.rbegin(), want.rend());
            want.erase(std::unique(want.begin(), want.end()), want.end());
            ASSERT_EQ(got.size(), want.size()) << "round " << round << " byte " << end;
            for (std::size_t k = 0; k < got.size(); ++k) EXPECT_EQ(got[k], want[k].second);
        }
    }
}

// The index answers as a search of the text written so far does, for text appended in pieces
// and lines of their own in any mix (a line stands between LFs here, which no needle holds).
// Every third round has enough needles for the trie's bucket sort.
TEST(SubstringIndex, agreesWithASearchOfTheTextSoFar) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        const Strings needles = random_strings(rng, round % 3 == 0 ? 200 : 40, 7);
        common::SubstringIndex index(views(needles));
        std::string text;
        for (int step = 0; step < 80; ++step) {
            for (std::size_t i = 0; i < needles.size(); ++i) {
                ASSERT_EQ(index.contains(i), text.find(needles[i]) != std::string::npos)
                    << "round " << round << " needle '" << needles[i] << "' in '" << text << "'";
            }
            const std::string piece = random_strings(rng, 1, 5)[0];
            if (rng() % 2 == 0) {
                text += "\n" + piece + "\n";
                index.append_line(piece);
            } else {
                text += piece;
                index.append(piece);
            }
        }
    }
}

// A needle of a megabyte, inside the text and one byte beyond it.
TEST(SubstringIndex, longNeedles) {
    std::string big(1u << 20, 'x');
    big[1000] = 'y';
    const Strings needles = {big, big + "z", big.substr(999, 3)};
    common::SubstringIndex index(views(needles));
    index.append("x");
    index.append(big);
    EXPECT_TRUE(index.contains(0));
    EXPECT_FALSE(index.contains(1));
    EXPECT_TRUE(index.contains(2));
}

}  // namespace
