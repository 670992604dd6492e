#pragma once
// get_live as one step the window and the companion share: the request for an airport's
// coordinate text, the fetch, the raw copy, the outcome and the parse. The window then renders
// the rows, types and picture; nothing here touches a window.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_layout.hpp"
#include "app/startup.hpp"
#include "app/update_check.hpp"
#include "live/airline_table.hpp"
#include "live/feed_parser.hpp"
#include "live/fetch_outcome.hpp"
#include "live/live_settings.hpp"
#include "live/route_lookup.hpp"

namespace app {

// The saved range and ceiling with their menu ticks as the Flightradar menus change them, and
// back (save_raw_feed is not saved: it starts false every run).
live::RangeCeiling range_ceiling(const LiveSettings& settings, bool save_raw_feed);
void store_range_ceiling(const live::RangeCeiling& menus, LiveSettings& settings);

// The airline and airport tables as the parse reads them, indexed once per load.
struct LiveTables {
    live::AirlineTable airlines;
    live::RouteTable routes;
};
// Missing files give empty tables.
LiveTables load_live_tables(const ProgramLayout& layout);

struct LiveRequest {
    std::string coordinates;  // the airport's "lat/lon" text
    float feed_range = 0.08F;
    std::int64_t max_height = 2000;
    std::string server;  // scheme and host, no trailing "/"
    bool save_raw_feed = false;
};

struct LiveRefresh {
    std::string request_path;                // path and query as sent; empty without coordinates
    std::optional<live::ParseResult> parse;  // empty: keep showing the last flights (stale)
    bool stale = false;
    std::vector<std::string> messages;  // in the order the window shows them
};

// The message when the airport's coordinate text does not read as "lat/lon".
inline constexpr std::string_view kUnreadableCoordinates =
    "The airport's coordinates cannot be read. Remove it, then add it again.";

// One refresh. fetch is the platform's GET (20 s time-out); with save_raw_feed every answer a
// server sent is appended to system/rdr, and a failed append is ignored.
LiveRefresh get_live(const LiveRequest& request, const HttpFetch& fetch, const LiveTables& tables,
                     live::FetchTracker& tracker, const ProgramLayout& layout);

// The refresh for an answer already at hand (a saved feed file): the outcome and the parse only.
LiveRefresh parse_answer(const platform::HttpResult& answer, const LiveRequest& request,
                         const LiveTables& tables, live::FetchTracker& tracker,
                         live::FetchMoment moment = {});

}  // namespace app
