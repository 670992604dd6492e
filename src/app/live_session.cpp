#include "app/live_session.hpp"

#include "app/build_settings.hpp"
#include "app/session.hpp"
#include "common/file_io.hpp"
#include "live/feed_request.hpp"

namespace app {

FetchStart begin_fetch(Session& s, const std::string& coords, bool by_timer) {
    const auto airport = live::parse_coordinates(coords);
    if (!airport) return {std::nullopt, std::string(kUnreadableCoordinates)};
    LiveRequest request{coords, s.live.feed_range, s.live.max_height, s.live_view.feed_server,
                        s.live_view.save_raw_feed};
    const live::FeedBox box = live::feed_box(*airport, request.feed_range);
    PendingFetch fetch{++s.live_view.requests_sent, live::feed_url(request.server, box),
                       std::move(request), by_timer};
    ++s.live_view.fetches_in_flight;
    return {std::move(fetch), std::nullopt};
}

std::optional<LiveRefresh> answer_arrived(Session& s, const PendingFetch& fetch,
                                          const platform::HttpResult& answer, std::int64_t now_ms) {
    LiveViewState& v = s.live_view;
    if (v.fetches_in_flight > 0) --v.fetches_in_flight;
    if (fetch.number <= v.answers_applied) return std::nullopt;
    v.answers_applied = fetch.number;
    // Only what a server sent; a failed fetch has no answer to keep.
    if (fetch.request.save_raw_feed && (answer.ok || answer.status != 0)) {
        (void)common::append_text(s.frame.layout.raw_feed_file(), answer.body);
    }
    LiveRefresh refresh =
        parse_answer(answer, fetch.request, s.airports.tables, v.tracker, {fetch.by_timer, now_ms});
    v.stale = refresh.stale;
    if (refresh.parse) {
        v.last = *refresh.parse;
        v.has_traffic = true;
    }
    return refresh;
}

std::optional<std::string> selected_coords(const Session& s) {
    const airports::Airport* a = s.airports.list.selected_airport();
    if (a == nullptr) return std::nullopt;
    return a->coords;
}

live::RangeCeiling menus(const Session& s) {
    return range_ceiling(s.live, s.live_view.save_raw_feed);
}

namespace {
template <class F>
void change_menus(Session& s, F&& change) {
    live::RangeCeiling m = menus(s);
    change(m);
    store_range_ceiling(m, s.live);
    s.live_view.save_raw_feed = m.save_raw_feed;
}

bool refresh_wanted(Session& s) {
    if (s.airports.list.selected_airport() == nullptr) return false;
    s.live_view.plot.picture_dirty = -1;
    return true;
}
}  // namespace

bool range_click(Session& s, int k) {
    change_menus(s, [k](live::RangeCeiling& m) { live::mrg_click(m, k); });
    return refresh_wanted(s);
}

bool height_click(Session& s, int k) {
    change_menus(s, [k](live::RangeCeiling& m) { live::mrr_click(m, k); });
    return refresh_wanted(s);
}

void menu_opened(Session& s) {
    change_menus(s, [](live::RangeCeiling& m) { live::mrad_click(m); });
}

live::KeyAction key_press(Session& s, int character_code) {
    live::KeyAction action = live::KeyAction::None;
    change_menus(s,
                 [&](live::RangeCeiling& m) { action = live::form_key_press(m, character_code); });
    return action;
}

}  // namespace app
