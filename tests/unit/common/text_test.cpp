#include "common/text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(NumericValue, longestLeadingDecimalNumberElseZero) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"12abc", 12}, {"0.15", 0.15}, {".5", 0.5}, {"1.2.3", 1.2},        {"7.", 7},
        {"1e3", 1000}, {"1e", 1},      {"3e+", 3},  {"   14 ", 14},        {"+3", 3},
        {"-.5", -0.5}, {"", 0},        {"   ", 0},  {"  -7.25xyz", -7.25}, {".", 0},
        {"-", 0},      {"x12", 0},     {"0,5", 0}};  // the comma is never a decimal separator
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(common::numeric_value(text), value) << text;
    // A huge exponent saturates instead of failing.
    EXPECT_TRUE(std::isinf(common::numeric_value("1e999")));
    EXPECT_LT(common::numeric_value("-1e999"), 0.0);
}

TEST(RoundHalfEven, halvesToTheEvenNeighbourOthersToTheNearest) {
    const std::vector<std::pair<double, std::int64_t>> cases = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},   {-0.5, 0},      {-1.5, -2},
        {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {4000.0, 4000}, {std::nan(""), 0}};
    for (const auto& [v, rounded] : cases) EXPECT_EQ(common::round_half_even(v), rounded) << v;
    // Out-of-range values are clamped, not undefined.
    EXPECT_GT(common::round_half_even(1e300), 0);
    EXPECT_LT(common::round_half_even(-1e300), 0);
}

TEST(Format, shortestPlainDecimalsThatReadBackAsTheSameValue) {
    EXPECT_EQ(common::format_single(0.15f), "0.15");
    EXPECT_EQ(common::format_single(-3.0f), "-3");
    EXPECT_EQ(common::format_single(-0.0f), "0");
    EXPECT_EQ(common::format_single(1e10f), "10000000000");  // no exponent notation
    EXPECT_EQ(common::format_int(1234567), "1234567");       // no thousands separators
    for (float v : {0.07f, 0.08f, 0.1f, 1.0f / 3.0f, 123.456f})
        EXPECT_EQ(static_cast<float>(common::numeric_value(common::format_single(v))), v) << v;
}

TEST(TextRoutines, splitReplaceTrimCaseSort) {
    using Views = std::vector<std::string_view>;
    EXPECT_TRUE(common::split("", "\r\n").empty());
    EXPECT_EQ(common::split("\r\n\r\n", "\r\n"), (Views{"", "", ""}));
    EXPECT_EQ(common::split("a\nb\r\nc", "\r\n"), (Views{"a\nb", "c"}));  // a bare LF is text

    EXPECT_EQ(common::replace_all("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(common::replace_all("lologg", "log", ""), "log");  // one pass, no second round
    EXPECT_EQ(common::replace_all("abc", "", "x"), "abc");

    EXPECT_EQ(common::trim_spaces(" 14 "), "14");
    EXPECT_EQ(common::trim_spaces("   "), "");
    EXPECT_EQ(common::trim_spaces("\t14\r\n"), "\t14\r\n");  // blanks only
    EXPECT_EQ(common::trim_left_spaces("  a b "), "a b ");

    EXPECT_EQ(common::to_lower("LoG\xC3\x84Z"), "log\xC3\x84z");  // ASCII letters only
    EXPECT_TRUE(common::contains_ignore_case("xxLOG", "log"));
    EXPECT_FALSE(common::contains_ignore_case("lo", "log"));

    // Empty lines and leading blanks go; letter case is ignored.
    EXPECT_EQ(common::sort("c\r\n  B\r\n\r\na"), "a\r\nB\r\nc\r\n");
    EXPECT_EQ(common::sort(""), "");
}

}  // namespace
