#pragma once
// get_live's request: the airport's coordinate text, the box around it and the feed address.
// Numbers are written with "." whatever the locale.

#include <optional>
#include <string>
#include <string_view>

namespace live {

// The path and the fixed query keys of the zone feed; the bounds go between them.
inline constexpr std::string_view kFeedPath = "/zones/fcgi/feed.js?bounds=";
inline constexpr std::string_view kFeedQueryTail = "&adsb=1&air=1&array=1";
// The transfer time-out of one fetch.
inline constexpr int kFeedTimeoutMs = 20000;

struct Coordinates {
    float lat = 0.0F;
    float lon = 0.0F;
    friend bool operator==(const Coordinates&, const Coordinates&) = default;
};

// A field that reads whole as a decimal number (blanks around it allowed, "." as separator);
// empty, partly numeric, infinite or NaN text gives nothing. Never depends on the locale.
std::optional<double> read_number(std::string_view text) noexcept;

// The coordinate text "lat/lon" (e.g. " 51.4775009155273/ -0.461388885974884") split at its
// first "/", each part read as a single-precision number; nothing when either part does not read.
std::optional<Coordinates> parse_coordinates(std::string_view text) noexcept;

// The requested box, in single precision as the request computes it.
struct FeedBox {
    float north = 0.0F;
    float south = 0.0F;
    float west = 0.0F;
    float east = 0.0F;
};

// Half-sizes feed_range (latitude) and feed_range + 0.02 (longitude); 0.5 and 0.3 when
// feed_range is 0 or less.
FeedBox feed_box(Coordinates airport, float feed_range) noexcept;

// kFeedPath + "N,S,W,E," + kFeedQueryTail: the path and query as sent (note the "," after E).
std::string feed_path(const FeedBox& box);

// server (scheme and host, no trailing "/") + feed_path(box).
std::string feed_url(std::string_view server, const FeedBox& box);

}  // namespace live
