#include <gtest/gtest.h>

#include "live/fetch_outcome.hpp"
#include "live/live_settings.hpp"
#include "live/refresh_timer.hpp"

namespace {

TEST(LiveSettings, menuClicks) {
    live::RangeCeiling s;
    live::mrg_click(s, 3);
    EXPECT_EQ(s.feed_range, 0.15F);
    EXPECT_EQ(s.range_index, 3);
    EXPECT_EQ(s.mrg, (std::array<bool, 5>{false, false, false, true, false}));
    live::mrg_click(s, 0);
    EXPECT_EQ(s.mrg, (std::array<bool, 5>{true, false, false, false, false}));
    live::mrg_click(s, 7);  // no such item
    EXPECT_EQ(s.range_index, 0);

    s.mrr[2] = true;
    live::mrr_click(s, 5);
    EXPECT_EQ(s.max_height, 6000);
    EXPECT_EQ(s.height_index, 5);
    EXPECT_TRUE(s.mrr[2]);  // ticks follow only when a submenu opens
    live::mrad_click(s);
    EXPECT_EQ(s.mrr, (std::array<bool, 6>{false, false, false, false, false, true}));
}

TEST(LiveSettings, wideViewToggle) {
    struct Case {
        const char* name;
        int range_item, height_item;
        float first_range;
        std::int64_t first_ceiling;
        float second_range;
        std::int64_t second_ceiling;
    };
    const Case cases[] = {
        {"range0.1ceiling3000", 2, 3, 0.5F, 100000, 0.1F, 3000},
        // 0.5 ticked: the first press restores, so the wide view is never entered.
        {"range0.5", 4, 3, 0.5F, 3000, 0.5F, 3000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        live::RangeCeiling s;
        live::mrg_click(s, c.range_item);
        live::mrr_click(s, c.height_item);
        live::mrad_click(s);
        EXPECT_EQ(live::form_key_press(s, 24), live::KeyAction::ToggleWideView);
        EXPECT_EQ(s.feed_range, c.first_range);
        EXPECT_EQ(s.max_height, c.first_ceiling);
        live::form_key_press(s, 24);
        EXPECT_EQ(s.feed_range, c.second_range);
        EXPECT_EQ(s.max_height, c.second_ceiling);
    }
    live::RangeCeiling s;
    EXPECT_EQ(live::form_key_press(s, 18), live::KeyAction::ToggleRawCopy);
    EXPECT_TRUE(s.save_raw_feed);
    EXPECT_EQ(live::form_key_press(s, 'x'), live::KeyAction::None);
}

TEST(RefreshTimer, boxAndTicks) {
    live::RefreshTimer timer;
    auto r = live::timer_box_released(timer, true, false, false);
    EXPECT_EQ(r.message, std::string(live::kSelectAirport));
    EXPECT_TRUE(r.untick);
    EXPECT_FALSE(timer.running);

    r = live::timer_box_released(timer, true, true, true);
    EXPECT_TRUE(timer.running);
    EXPECT_FALSE(r.map_update);
    EXPECT_EQ(live::timer_tick(timer, true, true, "1/2").action, live::TickAction::Skip);
    EXPECT_EQ(live::timer_tick(timer, false, false, "1/2").action, live::TickAction::Skip);
    EXPECT_EQ(live::timer_tick(timer, true, false, "1/2").action, live::TickAction::Fetch);

    const live::TickResult missing = live::timer_tick(timer, true, false, "no slash");
    EXPECT_EQ(missing.action, live::TickAction::MissingData);
    EXPECT_EQ(missing.message, std::string(live::kMissingAirportData));
    EXPECT_TRUE(missing.untick);
    EXPECT_FALSE(timer.running);

    live::timer_box_released(timer, true, true, true);
    r = live::timer_box_released(timer, false, true, true);
    EXPECT_FALSE(timer.running);
    EXPECT_TRUE(r.map_update);
}

TEST(FetchOutcome, classification) {
    using live::FetchFailure;
    constexpr std::string_view kFeed = " {\"full_count\":0,\"version\":4}";
    struct Case {
        const char* name;
        live::FetchResult result;
        FetchFailure want;
        const char* in_message;
    };
    const Case cases[] = {
        {"ok", {true, 200, kFeed, false, ""}, FetchFailure::None, ""},
        {"refused",
         {false, 0, "", false, "Couldn't connect to server"},
         FetchFailure::NoConnection,
         "Couldn't connect to server"},
        {"timeout",
         {false, 0, "", true, "Timeout was reached"},
         FetchFailure::TimedOut,
         "20 seconds"},
        {"forbidden", {true, 403, kFeed, false, ""}, FetchFailure::Refused, "403"},
        {"tooMany", {true, 429, kFeed, false, ""}, FetchFailure::Refused, "429"},
        {"notFound", {true, 404, kFeed, false, ""}, FetchFailure::HttpStatus, "404"},
        {"html",
         {true, 200, "<html><body>blocked</body></html>", false, ""},
         FetchFailure::NotFeed,
         "not a traffic feed"},
        {"emptyBody", {true, 200, "", false, ""}, FetchFailure::NotFeed, "not a traffic feed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const live::FetchClass got = live::classify_fetch(c.result);
        EXPECT_EQ(got.failure, c.want);
        EXPECT_NE(got.message.find(c.in_message), std::string::npos) << got.message;
        EXPECT_EQ(got.message.empty(), c.want == FetchFailure::None);
    }
}

TEST(FetchOutcome, failureToldOncePerStreakAndFlightsStale) {
    const live::FetchResult good{true, 200, "{\"full_count\":1}", false, ""};
    const live::FetchResult down{false, 0, "", false, "Could not resolve host"};
    const live::FetchResult html{true, 200, "<html>", false, ""};
    live::FetchTracker tracker;
    struct Step {
        const live::FetchResult* result;
        bool use, told, stale;
    };
    const Step steps[] = {{&good, true, false, false}, {&down, false, true, true},
                          {&down, false, false, true}, {&html, false, false, true},
                          {&good, true, false, false}, {&html, false, true, true}};
    for (const Step& s : steps) {
        const auto report = tracker.record(*s.result);
        EXPECT_EQ(report.use_answer, s.use);
        EXPECT_EQ(report.message.has_value(), s.told);
        EXPECT_EQ(report.stale, s.stale);
        EXPECT_EQ(tracker.stale(), s.stale);
    }
}

}  // namespace
