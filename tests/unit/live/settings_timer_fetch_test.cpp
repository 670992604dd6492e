#include <gtest/gtest.h>

#include "live/fetch_outcome.hpp"
#include "live/live_settings.hpp"
#include "live/refresh_timer.hpp"

namespace {

TEST(LiveSettings, menuClicks) {
    live::RangeCeiling s;
    live::mrg_click(s, 3);
    live::mrg_click(s, 7);  // no such item
    EXPECT_EQ(s.feed_range, 0.15F);
    EXPECT_EQ(s.range_index, 3);
    EXPECT_EQ(s.mrg, (std::array<bool, 5>{false, false, false, true, false}));
    s.mrr[2] = true;
    live::mrr_click(s, 5);
    EXPECT_EQ(s.max_height, 6000);
    EXPECT_TRUE(s.mrr[2]);  // ticks follow only when a submenu opens
    live::mrad_click(s);
    EXPECT_EQ(s.mrr, (std::array<bool, 6>{false, false, false, false, false, true}));
}

TEST(LiveSettings, wideViewToggle) {
    // Range item, height item, then (range, ceiling) after the first and the second Ctrl+X.
    // With 0.5 ticked the first press restores, so the wide view is never entered.
    const std::tuple<int, int, float, std::int64_t, float, std::int64_t> cases[] = {
        {2, 3, 0.5F, 100000, 0.1F, 3000}, {4, 3, 0.5F, 3000, 0.5F, 3000}};
    for (const auto& [range, height, range1, ceiling1, range2, ceiling2] : cases) {
        live::RangeCeiling s;
        live::mrg_click(s, range);
        live::mrr_click(s, height);
        live::mrad_click(s);
        EXPECT_EQ(live::form_key_press(s, 24), live::KeyAction::ToggleWideView);
        EXPECT_EQ(std::pair(s.feed_range, s.max_height), std::pair(range1, ceiling1));
        live::form_key_press(s, 24);
        EXPECT_EQ(std::pair(s.feed_range, s.max_height), std::pair(range2, ceiling2));
    }
    live::RangeCeiling s;
    EXPECT_EQ(live::form_key_press(s, 18), live::KeyAction::ToggleRawCopy);
    EXPECT_TRUE(s.save_raw_feed);
    EXPECT_EQ(live::form_key_press(s, 'x'), live::KeyAction::None);
}

TEST(RefreshTimer, boxAndTicks) {
    live::RefreshTimer timer;
    const auto refused = live::timer_box_released(timer, true, false, false);
    EXPECT_EQ(refused.message, std::string(live::kSelectAirport));
    EXPECT_TRUE(refused.untick);
    EXPECT_FALSE(timer.running);

    live::timer_box_released(timer, true, true, true);
    EXPECT_TRUE(timer.running);
    EXPECT_EQ(live::timer_tick(timer, true, true, "1/2").action, live::TickAction::Skip);
    EXPECT_EQ(live::timer_tick(timer, false, false, "1/2").action, live::TickAction::Skip);
    EXPECT_EQ(live::timer_tick(timer, true, false, "1/2").action, live::TickAction::Fetch);
    const live::TickResult missing = live::timer_tick(timer, true, false, "no slash");
    EXPECT_EQ(missing.action, live::TickAction::MissingData);
    EXPECT_EQ(missing.message, std::string(live::kMissingAirportData));
    EXPECT_TRUE(missing.untick);
    EXPECT_FALSE(timer.running);

    live::timer_box_released(timer, true, true, true);
    EXPECT_TRUE(live::timer_box_released(timer, false, true, true).map_update);
    EXPECT_FALSE(timer.running);
}

TEST(FetchOutcome, classification) {
    using live::FetchFailure;
    constexpr std::string_view kFeed = " {\"full_count\":0,\"version\":4}";
    const std::tuple<live::FetchResult, FetchFailure, const char*> cases[] = {
        {{true, 200, kFeed, false, ""}, FetchFailure::None, ""},
        {{false, 0, "", false, "Couldn't connect to server"},
         FetchFailure::NoConnection,
         "Couldn't connect to server"},
        {{false, 0, "", true, "Timeout was reached"}, FetchFailure::TimedOut, "20 seconds"},
        {{true, 403, kFeed, false, ""}, FetchFailure::Refused, "refuses"},
        // Qt counts an error status as a failed transfer; the status still tells.
        {{false, 403, "", false, "Forbidden"}, FetchFailure::Refused, "refuses"},
        {{true, 429, kFeed, false, ""}, FetchFailure::Refused, "limits"},
        {{true, 404, kFeed, false, ""}, FetchFailure::HttpStatus, "status 404"},
        {{true, 200, "<html>{\"full_count\"", false, ""}, FetchFailure::NotFeed, "not a traffic"},
        {{true, 200, "", false, ""}, FetchFailure::NotFeed, "not a traffic feed"},
    };
    for (const auto& [result, failure, in_message] : cases) {
        const live::FetchClass got = live::classify_fetch(result);
        EXPECT_EQ(got.failure, failure) << in_message;
        EXPECT_NE(got.message.find(in_message), std::string::npos) << got.message;
        EXPECT_EQ(got.message.empty(), failure == FetchFailure::None);
    }
}

TEST(FetchOutcome, failureToldOncePerStreak_timerStreaksQuietForTenMinutes) {
    const live::FetchResult good{true, 200, "{\"full_count\":1}", false, ""};
    const live::FetchResult down{false, 0, "", false, "Could not resolve host"};
    const live::FetchResult html{true, 200, "<html>", false, ""};
    struct Step {
        const live::FetchResult* result;
        bool by_timer;
        double minute;  // when the answer came in
        bool use;
        bool told;
    };
    const Step steps[] = {
        {&good, false, 0, true, false},
        {&down, false, 0, false, true},
        {&down, false, 1, false, false},
        {&html, false, 1, false, false},
        {&good, false, 2, true, false},
        {&html, false, 2, false, true},
        // A link that comes and goes under the timer: quiet until ten minutes after the last.
        {&good, true, 3, true, false},
        {&down, true, 4, false, false},
        {&good, true, 5, true, false},
        {&down, true, 11.9, false, false},
        // The unannounced streak still lasts when the quiet period ends: told then, once.
        {&down, true, 12, false, true},
        {&down, true, 13, false, false},
        {&good, true, 14, true, false},
        {&down, true, 15, false, false},
        // The user's own choice of an airport is answered at once.
        {&good, false, 16, true, false},
        {&down, false, 16, false, true},
    };
    live::FetchTracker tracker;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.minute);
        const auto report = tracker.record(
            *step.result, {step.by_timer, static_cast<std::int64_t>(step.minute * 60'000)});
        EXPECT_EQ(report.use_answer, step.use);
        EXPECT_EQ(report.message.has_value(), step.told);
        EXPECT_EQ(report.stale, !step.use);
        EXPECT_EQ(tracker.stale(), !step.use);
    }
}

}  // namespace
