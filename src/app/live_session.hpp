#pragma once
// The live view in the session: the fetch road (request, answer in order, parse), the picture
// state, the selection, the flight search, the refresh timer and the Flightradar menus. The
// window owns the real timer, the network call and the drawing; it forwards events here.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/build_settings.hpp"
#include "app/live_refresh.hpp"
#include "live/feed_parser.hpp"
#include "live/fetch_outcome.hpp"
#include "live/flight_search.hpp"
#include "live/live_settings.hpp"
#include "live/refresh_timer.hpp"
#include "live/traffic_picture.hpp"
#include "mappage/map_page.hpp"

namespace app {

struct Session;

struct LiveViewState {
    std::string feed_server{kDefaultFeedServer};  // scheme and host; tests use a local one
    live::PlotState plot;                         // picture_zoom, picture_dirty and the extent
    mappage::MapView map;          // map_recenter and the centre of the last recentred map update
    bool map_error_shown = false;  // a map write or open failure is told once
    std::string chosen_coords;     // the coordinates item of the last airport chosen
    bool save_raw_feed = false;
    live::FetchTracker tracker;
    live::ParseResult last;  // rows, traffic_text, types of the last answer parsed
    bool stale = false;      // the flights shown are from an earlier fetch
    bool has_traffic = false;
    int selected_icon = 0;
    live::LiveSearch search;
    live::RefreshTimer timer;
    std::uint64_t requests_sent = 0;    // numbers the fetches in the order they were sent
    std::uint64_t answers_applied = 0;  // the number of the newest answer applied
    int fetches_in_flight = 0;
    std::string extent_text;  // set by a plot that computed a new extent
};

// A fetch about to be sent: its number, the address and the request as it will be parsed.
struct PendingFetch {
    std::uint64_t number = 0;
    std::string url;
    LiveRequest request;
    bool by_timer = false;
};

// get_live's first half: the request for the coordinates item; nothing, with the message, when
// the item does not read as "lat/lon".
struct FetchStart {
    std::optional<PendingFetch> fetch;
    std::optional<std::string> message;
};
FetchStart begin_fetch(Session& s, const std::string& coords, bool by_timer = false);

// get_live's second half: the raw copy, the outcome and the parse. An answer older than one
// already applied is dropped (nothing returned), so answers are applied in the order sent.
// now_ms: a steady clock's time, for the quiet period between failure messages.
std::optional<LiveRefresh> answer_arrived(Session& s, const PendingFetch& fetch,
                                          const platform::HttpResult& answer, std::int64_t now_ms);

// The selected airport's coordinates item, or nothing.
std::optional<std::string> selected_coords(const Session& s);

// The Flightradar menus and Ctrl+R / Ctrl+X through the saved settings: true when the click
// asks for a refresh (an airport is selected), with picture_dirty set for a new extent.
bool range_click(Session& s, int k);
bool height_click(Session& s, int k);
void menu_opened(Session& s);
live::KeyAction key_press(Session& s, int character_code);
live::RangeCeiling menus(const Session& s);

}  // namespace app
