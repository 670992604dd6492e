#include "mappage/map_page.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "common/text.hpp"
#include "live/feed_request.hpp"
#include "live/traffic_picture.hpp"
#include "mappage/map_text.hpp"

namespace mappage {
namespace {

// Fifteen significant digits, as the centre has always been written ("51.4775", not
// "51.477500000000006"); "." whatever the locale.
std::string centre_text(double v) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

// A position as received, once it reads as a number: then it holds only digits, a sign, a
// point and an exponent, which the script takes as they are.
std::optional<std::string_view> position_text(std::string_view text) {
    if (!live::read_number(text)) return std::nullopt;
    text = common::trim_spaces(text);
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-';
    });
    if (!plain) return std::nullopt;
    return text;
}

void append(std::string& out, std::initializer_list<std::string_view> pieces) {
    for (const std::string_view piece : pieces) out += piece;
}

std::string_view field(const std::vector<std::string_view>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view{};
}

void append_marker(std::string& out, const std::vector<std::string_view>& f, std::string_view lat,
                   std::string_view lon, const live::RouteTable* routes, bool airline_labels) {
    // A track that is no number turns the icon north rather than losing a placeable flight.
    const auto track = live::read_number(field(f, 2));
    const std::string h = common::format_int(live::icon_direction(track.value_or(0.0)));
    const std::string type = js_html_value(field(f, 6));
    const std::string flight = js_html_value(field(f, 3));

    const std::string label = airline_labels ? type + " " + flight : type;
    const std::string airline = f.size() >= 10 ? "<br />" + js_html_value(f[9]) : std::string();
    std::string route;
    if (routes != nullptr) {
        route = js_html_value(
            routes->get_iata(false, std::string(field(f, 7)) + "," + std::string(field(f, 8))));
    }
    append(out, {"plane = new LeafIcon({iconUrl: 'imgs/p",
                 h,
                 ".gif'}),",
                 "L.marker([",
                 lat,
                 ",",
                 lon,
                 "],",
                 "{icon:  new L.DivIcon({className: 'my-div-icon',html:",
                 "'<img src=\"imgs/p",
                 h,
                 ".gif\"/><strong class=\"span1\">",
                 label,
                 "</strong>   '",
                 "  })})",
                 ".addTo(map).bindPopup('<strong>",
                 type,
                 "</strong> ",
                 airline,
                 "<br />",
                 flight,
                 "<br />",
                 route,
                 "<br />Altitude:",
                 js_html_value(field(f, 4)),
                 " <br />Speed:",
                 js_html_value(field(f, 5)),
                 "<br />",
                 "' );",
                 common::kCrLf});
}

}  // namespace

Zoom clamp_zoom(std::string_view text2) {
    Zoom zoom{std::string(text2), 0};
    const double value = common::numeric_value(text2);
    if (value > kMaxZoom) {
        zoom.text2 = common::format_int(kMaxZoom);
    } else if (value < kMinZoom) {
        zoom.text2 = common::format_int(kMinZoom);
    }
    zoom.level = static_cast<int>(common::round_half_even(common::numeric_value(zoom.text2)));
    return zoom;
}

std::optional<MapCentre> map_centre(std::string_view extent_text) {
    const std::vector<std::string_view> parts = common::split(extent_text, "#");
    if (parts.size() < 4) return std::nullopt;
    const auto north = live::read_number(parts[0]);
    const auto south = live::read_number(parts[1]);
    const auto east = live::read_number(parts[2]);
    const auto west = live::read_number(parts[3]);
    if (!north || !south || !east || !west) return std::nullopt;
    const double lat = *north - std::fabs(*north - *south) / 2;
    const double lon = *east - std::fabs(*east - *west) / 2;
    // Bounds far apart overflow to infinity, which the script would read as an unknown name.
    if (!std::isfinite(lat) || !std::isfinite(lon)) return std::nullopt;
    return MapCentre{centre_text(lon), centre_text(lat)};
}

std::string script_header(const MapCentre& centre, int zoom) {
    std::string out;
    // Tile servers refuse requests that do not say where they come from.
    append(out, {"var map = L.map('map').setView({lon:",
                 centre.lon,
                 ", lat:",
                 centre.lat,
                 "}, ",
                 common::format_int(zoom),
                 ");",
                 "L.tileLayer('",
                 kTileTemplate,
                 "', {",
                 "maxZoom: 19,",
                 "referrerPolicy: 'strict-origin-when-cross-origin',",
                 "attribution:         '&copy; <a href=\"",
                 kCopyrightAddress,
                 "\">OpenStreetMap contributors</a>'",
                 "}).addTo(map);",
                 "L.control.scale().addTo(map);",
                 " var LeafIcon = L.Icon.extend({options: {iconSize:[32, 32],iconAnchor:[16, 16],",
                 "popupAnchor:[0, -12]}});",
                 ";",
                 common::kCrLf});
    return out;
}

std::string strp_html(std::string_view traffic_text, const live::RouteTable* routes,
                      bool airline_labels) {
    std::string out;
    for (const std::string_view raw : common::split(traffic_text, common::kCrLf)) {
        const std::string line = common::replace_all(raw, "\"", "");
        if (line.empty()) continue;
        const std::vector<std::string_view> fields = common::split(line, "#");
        const auto lat = position_text(field(fields, 0));
        const auto lon = position_text(field(fields, 1));
        if (!lat || !lon) continue;
        append_marker(out, fields, *lat, *lon, routes, airline_labels);
    }
    return out;
}

std::string get_htmlheader(bool timer_running) {
    std::string out =
        "<html><head><meta charset=\"utf-8\" />"
        "<meta name=\"viewport\"content=\"width=device-width, initial-scale=1.0, "
        "maximum-scale=1.0, user-scalable=no\">\r\n";
    if (timer_running) out += "<meta http-EQUIV=\"refresh\" CONTENT=\"5\">";
    out +=
        "<script src=\"leaflet.js\"></script>"
        "<link rel=\"stylesheet\" href=\"leaflet.css\" />"
        "<style>html, body {height: 100%;padding: 0;margin: 0;}#map {"
        "/* configure the size of the map */width: 100%;height: 100%;}</style>"
        "</head><body>"
        "<div style=\"position: relative\">"
        " <div id=\"map\"></div>"
        "<script src=\"apmm.js\"></script>"
        "</div></body></html>";
    return out;
}

std::optional<MapFiles> build_map_files(const MapInput& input) {
    std::optional<MapCentre> centre = input.centre;
    if (!centre) centre = map_centre(input.extent_text);
    if (!centre) return std::nullopt;
    MapFiles files;
    files.zoom = clamp_zoom(input.zoom_text);
    files.centre = *centre;
    files.script = script_header(files.centre, files.zoom.level);
    files.script += strp_html(input.traffic_text, input.routes, input.airline_labels);
    files.page = get_htmlheader(input.timer_running);
    return files;
}

std::optional<MapUpdate> plot_planesOSM(MapView& view, const MapInput& input, bool page_exists) {
    if (input.extent_text.empty()) return std::nullopt;
    const std::optional<MapCentre> fresh = map_centre(input.extent_text);
    if (!fresh) return std::nullopt;
    MapInput in = input;
    if (view.map_recenter || !view.centre) {
        in.centre = fresh;
        if (view.map_recenter) view.centre = fresh;
    } else {
        in.centre = view.centre;
    }
    std::optional<MapFiles> files = build_map_files(in);
    if (!files) return std::nullopt;
    MapUpdate update;
    update.files = std::move(*files);
    update.write_page = !page_exists || view.map_recenter || !input.timer_running;
    update.open_page = view.map_recenter;
    view.map_recenter = false;
    return update;
}

MapWriteResult write_map_files(const MapPaths& paths, const MapUpdate& update) {
    MapWriteResult result;
    const auto write = [&](const std::string& path, const std::string& text) {
        common::FileStatus status = common::savetext(path, text);
        if (status) {
            result.written.push_back(path);
        } else if (result.status) {
            result.status = std::move(status);
        }
    };
    write(paths.script, update.files.script);
    if (update.write_page) write(paths.page, update.files.page);
    return result;
}

}  // namespace mappage
