#include "common/text.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace common {

std::string to_lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = to_lower_char(c);
    return out;
}

bool valid_utf8(std::string_view s) noexcept {
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    for (std::size_t i = 0; i < s.size();) {
        const unsigned c = byte(i);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else {
            return false;
        }
        if (s.size() - i < len || byte(i + 1) < lo || byte(i + 1) > hi) return false;
        for (std::size_t k = 2; k < len; ++k)
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return false;
        i += len;
    }
    return true;
}

bool contains_ignore_case(std::string_view hay, std::string_view needle_lower) {
    if (needle_lower.empty()) return true;
    if (needle_lower.size() > hay.size()) return false;
    const std::size_t last = hay.size() - needle_lower.size();
    for (std::size_t i = 0; i <= last; ++i) {
        std::size_t k = 0;
        while (k < needle_lower.size() && to_lower_char(hay[i + k]) == needle_lower[k]) ++k;
        if (k == needle_lower.size()) return true;
    }
    return false;
}

std::string_view trim_spaces(std::string_view s) noexcept {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const auto e = s.find_last_not_of(' ');
    return s.substr(b, e - b + 1);
}

std::string_view trim_left_spaces(std::string_view s) noexcept {
    const auto b = s.find_first_not_of(' ');
    return b == std::string_view::npos ? std::string_view{} : s.substr(b);
}

std::string replace_all(std::string_view s, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(s);
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (true) {
        const auto hit = s.find(from, pos);
        if (hit == std::string_view::npos) break;
        out.append(s.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(s.substr(pos));
    return out;
}

std::vector<std::string_view> split(std::string_view s, std::string_view sep) {
    std::vector<std::string_view> parts;
    if (s.empty()) return parts;
    if (sep.empty()) {
        parts.push_back(s);
        return parts;
    }
    std::size_t pos = 0;
    while (true) {
        const auto hit = s.find(sep, pos);
        if (hit == std::string_view::npos) break;
        parts.push_back(s.substr(pos, hit - pos));
        pos = hit + sep.size();
    }
    parts.push_back(s.substr(pos));
    return parts;
}

double numeric_value(std::string_view s) noexcept {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t digits_start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    std::size_t mantissa_digits = i - digits_start;
    if (i < s.size() && s[i] == '.') {
        const std::size_t frac_start = i + 1;
        std::size_t j = frac_start;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        mantissa_digits += j - frac_start;
        if (mantissa_digits > 0) i = j;
    }
    if (mantissa_digits == 0) return 0.0;
    // Exponent only when complete ("1e" alone is the number 1).
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const std::size_t exp_digits = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        if (j > exp_digits) i = j;
    }
    std::string_view number = s.substr(start, i - start);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return (number.front() == '-') ? -HUGE_VAL : HUGE_VAL;
    }
    return result.ec == std::errc() ? value : 0.0;
}

std::int64_t round_half_even(double v) noexcept {
    if (std::isnan(v)) return 0;
    constexpr double kLimit = 9.2e18;
    if (v >= kLimit) return static_cast<std::int64_t>(kLimit);
    if (v <= -kLimit) return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(std::nearbyint(v));  // default rounding mode: to even
}

namespace {
template <typename T>
std::string format_shortest(T v) {
    if (std::isnan(v) || std::isinf(v)) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    if (r.ec != std::errc()) return "0";
    std::string out(buf, r.ptr);
    if (out == "-0") out = "0";
    return out;
}
}  // namespace

std::string format_single(float v) {
    return format_shortest(v);
}
std::string format_int(std::int64_t v) {
    return std::to_string(v);
}

}  // namespace common

#include <algorithm>

namespace common {
bool less_ignore_case(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(to_lower_char(a[i]));
        const auto cb = static_cast<unsigned char>(to_lower_char(b[i]));
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

std::string sort(std::string_view s) {
    std::vector<std::string_view> lines;
    for (std::string_view line : split(s, kCrLf)) {
        line = trim_left_spaces(line);
        if (!line.empty()) lines.push_back(line);
    }
    std::stable_sort(lines.begin(), lines.end(), less_ignore_case);
    std::string out;
    for (auto line : lines) {
        out.append(line);
        out.append(kCrLf);
    }
    return out;
}
}  // namespace common
