#include "app/live_refresh.hpp"

#include "app/build_settings.hpp"
#include "common/file_io.hpp"
#include "live/feed_request.hpp"

namespace app {

live::RangeCeiling range_ceiling(const LiveSettings& settings, bool save_raw_feed) {
    return {settings.feed_range, settings.range_index, settings.max_height, settings.height_index,
            settings.checks.mrg, settings.checks.mrr,  save_raw_feed};
}

void store_range_ceiling(const live::RangeCeiling& menus, LiveSettings& settings) {
    settings.feed_range = menus.feed_range;
    settings.range_index = menus.range_index;
    settings.max_height = menus.max_height;
    settings.height_index = menus.height_index;
    settings.checks.mrg = menus.mrg;
    settings.checks.mrr = menus.mrr;
}

LiveTables load_live_tables(const ProgramLayout& layout) {
    return {live::AirlineTable(
                live::airlines_text_from_file(common::read_file(layout.airlines_file()))),
            live::RouteTable(live::iata_text_from_file(common::read_file(layout.iata_file())))};
}

LiveRefresh parse_answer(const platform::HttpResult& answer, const LiveRequest& request,
                         const LiveTables& tables, live::FetchTracker& tracker,
                         live::FetchMoment moment) {
    LiveRefresh refresh;
    const live::FetchTracker::Report report = tracker.record(
        {answer.ok, answer.status, answer.body, answer.timed_out, answer.error}, moment);
    refresh.stale = report.stale;
    if (report.message) refresh.messages.push_back(*report.message);
    if (report.use_answer) {
        refresh.parse = live::strp(answer.body, request.max_height, tables.airlines, tables.routes);
    }
    return refresh;
}

LiveRefresh get_live(const LiveRequest& request, const HttpFetch& fetch, const LiveTables& tables,
                     live::FetchTracker& tracker, const ProgramLayout& layout) {
    const auto airport = live::parse_coordinates(request.coordinates);
    if (!airport) {
        LiveRefresh refresh;
        refresh.messages.emplace_back(kUnreadableCoordinates);
        return refresh;
    }
    const live::FeedBox box = live::feed_box(*airport, request.feed_range);
    const platform::HttpResult answer =
        fetch(live::feed_url(request.server, box), user_agent(kAppVersion), live::kFeedTimeoutMs);
    // Only what a server sent; a failed fetch has no answer to keep.
    if (request.save_raw_feed && answer.ok) {
        (void)common::append_text(layout.raw_feed_file(), answer.body);
    }
    LiveRefresh refresh = parse_answer(answer, request, tables, tracker);
    refresh.request_path = live::feed_path(box);
    return refresh;
}

}  // namespace app
