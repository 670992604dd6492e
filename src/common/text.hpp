#pragma once
// Byte-level text helpers shared by every subsystem. Text is bytes as stored in the files;
// positions are byte positions.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace common {

inline constexpr std::string_view kCrLf = "\r\n";

// Substring test that respects letter case. An empty needle occurs in every text.
inline bool contains(std::string_view hay, std::string_view needle) noexcept {
    return hay.find(needle) != std::string_view::npos;
}

// ASCII lower-casing; bytes above 127 are left alone so UTF-8 stays intact.
std::string to_lower(std::string_view s);
inline char to_lower_char(char c) noexcept {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool contains_ignore_case(std::string_view hay, std::string_view needle_lower);

// Well-formed UTF-8 (as a JSON parser or a browser demands it): no overlong forms, no surrogates,
// at most U+10FFFF.
bool valid_utf8(std::string_view s) noexcept;

// Removes blanks (spaces only, not tabs or line breaks) from both ends / the left end.
std::string_view trim_spaces(std::string_view s) noexcept;
std::string_view trim_left_spaces(std::string_view s) noexcept;

std::string replace_all(std::string_view s, std::string_view from, std::string_view to);

// Splits at every occurrence of sep. An empty text gives no parts (a list box split of nothing
// is empty); otherwise n separators give n + 1 parts.
std::vector<std::string_view> split(std::string_view s, std::string_view sep);

// Numeric value of a text: the longest leading decimal number ("." as separator, optional
// sign, optional exponent), leading blanks skipped; 0 when there is none.
double numeric_value(std::string_view s) noexcept;

// Rounds to the nearest whole number, halves to the even neighbour.
std::int64_t round_half_even(double v) noexcept;

// Plain decimal text with "." whatever the locale: the shortest text that reads back as the
// same single-precision value ("0.15", "2535", "-3").
std::string format_single(float v);
std::string format_int(std::int64_t v);

}  // namespace common

namespace common {
// Order of a sorted list box: letters compared ignoring case, a prefix first.
bool less_ignore_case(std::string_view a, std::string_view b) noexcept;

// The lines of s (split at CR LF), empty lines dropped, leading blanks stripped, sorted ignoring
// letter case as a sorted list box does; each returned line ends in CR LF.
std::string sort(std::string_view s);
}  // namespace common
