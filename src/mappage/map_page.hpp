#pragma once
// plot_planesOSM: the map page mm.htm and its script apmm.js, which show traffic_text on an
// OpenStreetMap map in the browser. The texts are built here; the window (or the companion)
// decides when to write them and opens the page through the loopback server.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.hpp"
#include "live/route_lookup.hpp"

namespace mappage {

// Text2's bounds: a larger zoom level becomes 15, a smaller one 6.
inline constexpr int kMaxZoom = 15;
inline constexpr int kMinZoom = 6;
inline constexpr std::string_view kTileTemplate = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
inline constexpr std::string_view kCopyrightAddress = "https://www.openstreetmap.org/copyright";

struct Zoom {
    std::string text2;  // Text2 after clamping ("20" becomes "15", "12" stays)
    int level = 0;      // the clamped value rounded to a whole number
};
Zoom clamp_zoom(std::string_view text2);

// The map centre as written into the set-up line.
struct MapCentre {
    std::string lon;
    std::string lat;
    friend bool operator==(const MapCentre&, const MapCentre&) = default;
};
// The middle of extent_text (north "#" south "#" east "#" west); nothing when it is empty, one
// of the four does not read as a number or the middle is beyond the range of numbers.
std::optional<MapCentre> map_centre(std::string_view extent_text);

// get_jsheader with its placeholders filled, followed by the icon class and CR LF.
std::string script_header(const MapCentre& centre, int zoom);

// strp_html: one marker line (ending in CR LF) per traffic line whose latitude and longitude
// read as numbers; the others are left off the map. routes gives the popup's route text (none
// when null); airline_labels is the "Airline" box.
std::string strp_html(std::string_view traffic_text, const live::RouteTable* routes,
                      bool airline_labels);

// get_htmlheader: the page; the 5-second refresh line only while the timer runs.
std::string get_htmlheader(bool timer_running);

struct MapInput {
    std::string_view extent_text;   // of the plot that just ran; empty: no map update
    std::string_view zoom_text;     // Text2
    std::string_view traffic_text;  // the flights shown
    const live::RouteTable* routes = nullptr;
    bool airline_labels = false;  // Check6
    bool timer_running = false;   // tim0
    // The centre to show; empty: the middle of extent_text.
    std::optional<MapCentre> centre;
};

struct MapFiles {
    std::string script;  // apmm.js, without the CR LF savetext adds
    std::string page;    // mm.htm, likewise
    Zoom zoom;
    MapCentre centre;
};
// Both texts; nothing when extent_text gives no centre and none was given.
std::optional<MapFiles> build_map_files(const MapInput& input);

// What lives between map updates.
struct MapView {
    bool map_recenter = false;        // the next update takes a new centre and opens the page
    std::optional<MapCentre> centre;  // map_center_lon/lat of the last recentred update
};

struct MapUpdate {
    MapFiles files;
    bool write_page = false;  // the page was missing, the map is recentred or the timer is off
    bool open_page = false;   // a recentred update opens the page in the browser
};

// One map update. Takes the new centre when recentring (and stores it), else the stored one;
// before any was stored the new one is used. Clears map_recenter. Nothing when extent_text is
// empty; then no file is written and nothing opened.
std::optional<MapUpdate> plot_planesOSM(MapView& view, const MapInput& input, bool page_exists);

struct MapPaths {
    std::string script;  // system/apmm.js
    std::string page;    // system/mm.htm
};
struct MapWriteResult {
    common::FileStatus status;         // the first failure, with its path
    std::vector<std::string> written;  // the files written, script first
};
// Writes the script and, when asked for, the page (each through savetext, atomically). A failed
// write does not stop the other.
MapWriteResult write_map_files(const MapPaths& paths, const MapUpdate& update);

}  // namespace mappage
