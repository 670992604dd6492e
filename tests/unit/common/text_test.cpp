#include "common/text.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>
#include <vector>

namespace {

TEST(NumericValue, readsTheLongestLeadingNumber) {
    EXPECT_DOUBLE_EQ(common::numeric_value("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("2535"), 2535.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("0.15"), 0.15);
    EXPECT_DOUBLE_EQ(common::numeric_value(".5"), 0.5);
    EXPECT_DOUBLE_EQ(common::numeric_value("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(common::numeric_value("7."), 7.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("1e"), 1.0);  // an exponent without digits is text
    EXPECT_DOUBLE_EQ(common::numeric_value("3e+"), 3.0);
}

TEST(NumericValue, skipsLeadingBlanksAndKeepsTheSign) {
    EXPECT_DOUBLE_EQ(common::numeric_value("   14 "), 14.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("-3"), -3.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("+3"), 3.0);
    EXPECT_DOUBLE_EQ(common::numeric_value("  -7.25xyz"), -7.25);
    EXPECT_DOUBLE_EQ(common::numeric_value("-.5"), -0.5);
}

TEST(NumericValue, textWithoutANumberIsZero) {
    EXPECT_EQ(common::numeric_value(""), 0.0);
    EXPECT_EQ(common::numeric_value("abc"), 0.0);
    EXPECT_EQ(common::numeric_value("   "), 0.0);
    EXPECT_EQ(common::numeric_value("."), 0.0);
    EXPECT_EQ(common::numeric_value("-"), 0.0);
    EXPECT_EQ(common::numeric_value("x12"), 0.0);
    EXPECT_EQ(common::numeric_value("0,5"), 0.0);  // the comma is never a decimal separator
}

TEST(NumericValue, hugeExponentSaturatesInsteadOfFailing) {
    EXPECT_TRUE(std::isinf(common::numeric_value("1e999")));
    EXPECT_LT(common::numeric_value("-1e999"), 0.0);
}

TEST(RoundHalfEven, halvesGoToTheEvenNeighbour) {
    EXPECT_EQ(common::round_half_even(0.5), 0);
    EXPECT_EQ(common::round_half_even(1.5), 2);
    EXPECT_EQ(common::round_half_even(2.5), 2);
    EXPECT_EQ(common::round_half_even(3.5), 4);
    EXPECT_EQ(common::round_half_even(-0.5), 0);
    EXPECT_EQ(common::round_half_even(-1.5), -2);
    EXPECT_EQ(common::round_half_even(-2.5), -2);
}

TEST(RoundHalfEven, nonHalvesRoundToNearest) {
    EXPECT_EQ(common::round_half_even(2.4999), 2);
    EXPECT_EQ(common::round_half_even(2.5001), 3);
    EXPECT_EQ(common::round_half_even(-2.6), -3);
    EXPECT_EQ(common::round_half_even(4000.0), 4000);
}

TEST(RoundHalfEven, outOfRangeValuesAreClampedNotUndefined) {
    EXPECT_GT(common::round_half_even(1e300), 0);
    EXPECT_LT(common::round_half_even(-1e300), 0);
    EXPECT_EQ(common::round_half_even(std::nan("")), 0);
}

TEST(Format, writesShortestPlainDecimals) {
    EXPECT_EQ(common::format_single(0.15f), "0.15");
    EXPECT_EQ(common::format_single(0.07f), "0.07");
    EXPECT_EQ(common::format_single(0.08f), "0.08");
    EXPECT_EQ(common::format_single(0.1f), "0.1");
    EXPECT_EQ(common::format_single(0.5f), "0.5");
    EXPECT_EQ(common::format_single(2535.0f), "2535");
    EXPECT_EQ(common::format_single(-3.0f), "-3");
    EXPECT_EQ(common::format_single(-0.0f), "0");
    EXPECT_EQ(common::format_single(1e10f), "10000000000");  // no exponent notation
    EXPECT_EQ(common::format_double(0.1), "0.1");
    EXPECT_EQ(common::format_double(-12.375), "-12.375");
    EXPECT_EQ(common::format_int(-42), "-42");
    EXPECT_EQ(common::format_int(1234567), "1234567");  // no thousands separators
}

TEST(Format, formattedSingleReadsBackAsTheSameValue) {
    for (float v : {0.07f, 0.08f, 0.1f, 0.15f, 0.5f, 1.0f / 3.0f, 123.456f}) {
        EXPECT_EQ(static_cast<float>(common::numeric_value(common::format_single(v))), v) << v;
    }
}

// A locale that writes a decimal comma and groups thousands with ".".
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class CommaLocale : public ::testing::Test {
  protected:
    void TearDown() override {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
    }
    static void expect_dot_decimals() {
        EXPECT_EQ(common::format_single(0.07f), "0.07");
        EXPECT_EQ(common::format_single(2535.5f), "2535.5");
        EXPECT_EQ(common::format_double(0.15), "0.15");
        EXPECT_EQ(common::format_int(4000), "4000");
        EXPECT_DOUBLE_EQ(common::numeric_value("0.07"), 0.07);
    }
};

TEST_F(CommaLocale, globalCppLocaleWithCommaKeepsDotDecimals) {
    std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    expect_dot_decimals();
}

TEST_F(CommaLocale, germanCLocaleKeepsDotDecimals) {
    const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252"};
    const char* found = nullptr;
    for (const char* name : names) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            found = name;
            break;
        }
    }
    if (found == nullptr) GTEST_SKIP() << "no de_DE locale installed";
    std::locale::global(std::locale(found));
    expect_dot_decimals();
}

TEST(Split, emptyTextHasNoPartsAndEachSeparatorAddsOne) {
    EXPECT_TRUE(common::split("", "\r\n").empty());
    EXPECT_EQ(common::split("a", "\r\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(common::split("a\r\n", "\r\n"), (std::vector<std::string_view>{"a", ""}));
    EXPECT_EQ(common::split("\r\n\r\n", "\r\n"), (std::vector<std::string_view>{"", "", ""}));
    // A bare LF is not a separator.
    EXPECT_EQ(common::split("a\nb\r\nc", "\r\n"), (std::vector<std::string_view>{"a\nb", "c"}));
}

TEST(ReplaceAll, replacesEveryOccurrenceWithoutRescanning) {
    EXPECT_EQ(common::replace_all("logs/logs/x", "logs", "config"), "config/config/x");
    EXPECT_EQ(common::replace_all("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(common::replace_all("lologg", "log", ""), "log");  // one pass, no second round
    EXPECT_EQ(common::replace_all("abc", "", "x"), "abc");
    EXPECT_EQ(common::replace_all("Logs", "logs", "config"), "Logs");
}

TEST(TrimSpaces, removesBlanksOnlyNotTabsOrLineBreaks) {
    EXPECT_EQ(common::trim_spaces(" 14 "), "14");
    EXPECT_EQ(common::trim_spaces("   "), "");
    EXPECT_EQ(common::trim_spaces("\t14\r\n"), "\t14\r\n");
    EXPECT_EQ(common::trim_left_spaces("  a b "), "a b ");
}

TEST(LetterCase, onlyAsciiLettersChangeAndTestsIgnoreCase) {
    EXPECT_EQ(common::to_lower("LoG\xC3\x84Z"), "log\xC3\x84z");
    EXPECT_TRUE(common::contains_ignore_case("Log2024.txt", "log"));
    EXPECT_TRUE(common::contains_ignore_case("xxLOG", "log"));
    EXPECT_FALSE(common::contains_ignore_case("lo", "log"));
    EXPECT_TRUE(common::contains("abc", ""));
    EXPECT_FALSE(common::contains("Logs", "logs"));
}

}  // namespace
