#include "live/feed_request.hpp"

#include <charconv>
#include <cmath>

#include "common/text.hpp"

namespace live {
namespace {

// Seven significant digits, as single precision carries: 51.4775 + 0.08 is written 51.5575, not
// 51.557503. Never an exponent.
std::string bound_text(float v) {
    char buf[32];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, static_cast<double>(v), std::chars_format::general, 7);
    const std::string_view text(buf, ec == std::errc() ? static_cast<std::size_t>(end - buf) : 0);
    if (text.empty() || text.find('e') != std::string_view::npos) return common::format_single(v);
    return text == "-0" ? "0" : std::string(text);
}

}  // namespace

std::optional<double> read_number(std::string_view text) noexcept {
    text = common::trim_spaces(text);
    // from_chars takes no leading "+", which the feed never sends but a hand-made file may.
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<Coordinates> parse_coordinates(std::string_view text) noexcept {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(slash + 1);
    const auto lat = read_number(text.substr(0, slash));
    const auto lon = read_number(rest.substr(0, rest.find('/')));
    if (!lat || !lon) return std::nullopt;
    return Coordinates{static_cast<float>(*lat), static_cast<float>(*lon)};
}

FeedBox feed_box(Coordinates airport, float feed_range) noexcept {
    float lat_half = 0.5F;
    float lon_half = 0.3F;
    if (feed_range > 0.0F) {
        lat_half = feed_range;
        lon_half = feed_range + 0.02F;
    }
    return {airport.lat + lat_half, airport.lat - lat_half, airport.lon - lon_half,
            airport.lon + lon_half};
}

std::string feed_path(const FeedBox& box) {
    std::string path(kFeedPath);
    for (const float bound : {box.north, box.south, box.west, box.east}) {
        path += bound_text(bound);
        path += ',';
    }
    path += kFeedQueryTail;
    return path;
}

std::string feed_url(std::string_view server, const FeedBox& box) {
    std::string url(server);
    url += feed_path(box);
    return url;
}

}  // namespace live
