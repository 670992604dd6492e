#include "live/traffic_picture.hpp"

#include <algorithm>
#include <cmath>

#include "common/substring_index.hpp"
#include "common/text.hpp"

namespace live {
namespace {

// Fields of a traffic line.
enum TrafficField : std::size_t {
    kLat = 0,
    kLon = 1,
    kTrack = 2,
    kFlight = 3,
    kAltitude = 4,
    kSpeed = 5,
    kType = 6,
};

std::string_view field(const std::vector<std::string_view>& fields, std::size_t n) {
    return n < fields.size() ? fields[n] : std::string_view();
}

}  // namespace

Extent extent_around(Coordinates airport) noexcept {
    return {airport.lat + 0.1F, airport.lat - 0.1F, airport.lon + 0.1F, airport.lon - 0.1F};
}

std::string extent_text(const Extent& e) {
    return common::format_single(e.max_lat) + '#' + common::format_single(e.min_lat) + '#' +
           common::format_single(e.max_lon) + '#' + common::format_single(e.min_lon);
}

int icon_direction(double track) noexcept {
    const auto h = static_cast<int>(
        std::clamp<std::int64_t>(common::round_half_even(track), -1'000'000, 1'000'000));
    const int rest = h % 10;
    const int direction = rest < 5 ? h - rest : h + (10 - rest);
    return direction == 360 ? 0 : direction;
}

Disc disc_for(double altitude, double speed) noexcept {
    if (altitude <= 0 && speed <= 30) return Disc::None;
    return altitude != 0 ? Disc::Airborne : Disc::Ground;
}

Point project(const PlotState& state, double width, double height, Coordinates where) noexcept {
    const Extent& e = state.extent;
    const float lon_span = e.max_lon - e.min_lon;
    const float lat_span = e.max_lat - e.min_lat;
    const float centre_lon = e.min_lon + lon_span / 2;
    const float centre_lat = e.min_lat + lat_span / 2;
    const double x_scale = lon_span != 0 ? width / lon_span : 0.0;
    const double y_scale = lat_span != 0 ? height / lat_span : 0.0;
    return {(where.lon - centre_lon) * x_scale * state.picture_zoom + width / 2,
            height / 2 - (where.lat - centre_lat) * y_scale * state.picture_zoom};
}

Picture plot_planes(PlotState& state, const PlotInput& in) {
    Picture picture;
    if (in.traffic_text.empty()) {
        if (!in.timer_running) picture.message = std::string(kNoLiveTraffic);
        return picture;
    }
    if (!in.relayout_only && in.airport_index != state.picture_dirty) {
        state.extent = extent_around(in.airport);
        picture.extent_text = extent_text(state.extent);
    }

    std::vector<std::vector<std::string_view>> lines;
    for (const std::string_view line : common::split(in.traffic_text, common::kCrLf)) {
        if (!line.empty()) lines.push_back(common::split(line, "#"));
    }
    // Each flight number is a needle; one pass over defaults_list answers them all.
    std::vector<std::string_view> flights;
    flights.reserve(lines.size());
    for (const auto& fields : lines) flights.push_back(field(fields, kFlight));
    common::SubstringIndex defaults(flights);
    defaults.append(in.defaults_list);

    picture.icons.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& fields = lines[i];
        IconItem icon;
        icon.index = static_cast<int>(i) + 1;
        icon.tag = std::string(flights[i]);
        icon.label = std::string(field(fields, kType));
        if (in.airline_labels) {
            icon.label += ' ';
            icon.label += icon.tag;
        }
        const auto lat = read_number(field(fields, kLat));
        const auto lon = read_number(field(fields, kLon));
        const auto track = read_number(field(fields, kTrack));
        icon.drawable = lat && lon && track;
        if (icon.drawable) {
            icon.top_left = project(state, in.width, in.height,
                                    {static_cast<float>(*lat), static_cast<float>(*lon)});
            icon.direction = icon_direction(*track);
            icon.label_at = {icon.top_left.x + kIconSize - 10, icon.top_left.y + kIconSize / 3};
            icon.disc = disc_for(common::numeric_value(field(fields, kAltitude)),
                                 common::numeric_value(field(fields, kSpeed)));
            icon.default_model = !icon.tag.empty() && defaults.contains(i);
            if (in.selected_icon == icon.index) picture.selection_marker = icon.top_left;
        }
        picture.icons.push_back(std::move(icon));
    }
    picture.airport_mark = project(state, in.width, in.height, in.airport);
    state.picture_dirty = in.airport_index;
    return picture;
}

float zoom_click(float zoom, ZoomButton button) noexcept {
    switch (button) {
        case ZoomButton::Minus:
            zoom -= 0.5F;
            break;
        case ZoomButton::Plus:
            zoom += 0.5F;
            break;
        case ZoomButton::Reset:
            return 1.0F;
    }
    return std::max(zoom, 0.5F);
}

Point marker_for_icon_click(const IconItem& icon) noexcept {
    return {icon.top_left.x - 0.12, icon.top_left.y - 50};
}

}  // namespace live
