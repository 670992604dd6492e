#pragma once
// plot_planes as geometry: what the traffic picture shows for traffic_text, as a list of items
// the window draws. Coordinates are twips from the picture's top-left corner, y downward; the
// picture shows north up (a flight north of the airport is above it).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "live/feed_request.hpp"

namespace live {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kIconSize = 32 * kTwipsPerPixel;  // 32×32 pixel icons
inline constexpr double kDiscRadius = 130.0;
inline constexpr double kDefaultModelRadius = 100.0;
inline constexpr float kInitialZoom = 2.0F;
inline constexpr float kAirportChosenZoom = 1.0F;
inline constexpr std::string_view kNoLiveTraffic =
    "No live traffic.\r\n\r\nPerhaps change Flightradar settings.";

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kAirborneFill{0, 255, 255}, kAirborneOutline{0, 0, 255};
inline constexpr Rgb kGroundFill{0, 250, 0}, kGroundOutline{0, 255, 255};
inline constexpr Rgb kDefaultModelColour{255, 0, 0};
inline constexpr Rgb kAirportMarkColour{128, 0, 0};
inline constexpr Rgb kLabelColour{0, 0, 0};

// The geographic box mapped onto the picture.
struct Extent {
    float max_lat = 0.0F, min_lat = 0.0F, max_lon = 0.0F, min_lon = 0.0F;
    friend bool operator==(const Extent&, const Extent&) = default;
};

// ±0.1 degree around the airport.
Extent extent_around(Coordinates airport) noexcept;
// extent_text: north "#" south "#" east "#" west, "." as decimal separator.
std::string extent_text(const Extent& extent);

// Icon direction: the track rounded to a whole number, then to a multiple of 10 (a last digit
// of 5 or more rounds up); 360 becomes 0. 355 → 0, 5 → 10, 4 → 0, 274 → 270.
int icon_direction(double track) noexcept;

enum class Disc { None, Airborne, Ground };
// Nothing for parked or taxiing traffic (altitude ≤ 0 and speed ≤ 30); Airborne (cyan, blue
// outline) when the altitude is not 0; Ground (green, cyan outline) at altitude 0.
Disc disc_for(double altitude, double speed) noexcept;

struct Point {
    double x = 0.0, y = 0.0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct IconItem {
    int index = 0;  // icon k shows row k of the flight list and line k-1 of traffic_text
    // false: a position or track that does not read as a number; the icon exists but is hidden.
    bool drawable = false;
    Point top_left;     // of the 32×32 icon
    int direction = 0;  // icon picture p<direction>.gif
    std::string label;  // type, or type + " " + flight with the Airline box ticked
    Point label_at;     // where the label's text starts
    std::string tag;    // the flight number
    Disc disc = Disc::None;
    bool default_model = false;  // the flight got a default model in the parsed log: red disc
    [[nodiscard]] Point centre() const noexcept {
        return {top_left.x + kIconSize / 2, top_left.y + kIconSize / 2};
    }
};

// State that lives from plot to plot.
struct PlotState {
    Extent extent;
    int picture_dirty = -1;  // -1 forces a new extent; else the airport index of the last extent
    float picture_zoom = kInitialZoom;
};

struct PlotInput {
    std::string_view traffic_text;
    double width = 0.0, height = 0.0;  // of the picture, twips
    int airport_index = -1;            // selected in the airport list
    Coordinates airport;
    std::string_view defaults_list;  // the parsed log's default-model flights (exact case)
    bool airline_labels = false;     // the "Airline" box
    int selected_icon = 0;           // 0: none
    bool timer_running = false;
    bool relayout_only = false;  // a resize: icons move, the extent is never recomputed
};

struct Picture {
    std::vector<IconItem> icons;  // one per non-empty traffic line, in order
    std::optional<Point> airport_mark;
    std::optional<Point> selection_marker;  // top-left of the selected icon
    std::string extent_text;                // set only when this plot computed a new extent
    std::optional<std::string> message;     // kNoLiveTraffic when empty and the timer is off
};

// The whole plot. Updates the extent (a new one when the airport differs from picture_dirty and
// this is not a re-layout) and, when there was traffic, sets picture_dirty to the airport.
// The suggestions list is not touched: its rows do not relate to the traffic lines.
Picture plot_planes(PlotState& state, const PlotInput& input);

// The position of a point of the map on the picture, with the state's extent and zoom.
Point project(const PlotState& state, double width, double height, Coordinates where) noexcept;

enum class ZoomButton { Minus, Plus, Reset };
// "-" and "+" step by 0.5 with 0.5 the least; "R" sets 1.
float zoom_click(float zoom, ZoomButton button) noexcept;

// Where the selection marker goes when an icon is clicked.
Point marker_for_icon_click(const IconItem& icon) noexcept;

}  // namespace live
