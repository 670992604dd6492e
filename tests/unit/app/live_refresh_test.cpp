#include "app/live_refresh.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"

namespace {

TEST(LiveRefresh, fetchesTheBoxKeepsARawCopyAndKeepsFlightsOnFailure) {
    testing_support::TempFolder tmp;
    const app::ProgramLayout layout(tmp.str());
    std::filesystem::create_directories(layout.system_folder());
    const app::LiveTables tables = app::load_live_tables(layout);  // no files: empty tables
    live::FetchTracker tracker;
    app::LiveRequest request{"51.4775/-0.4613889", 0.1F, 2000, "http://feed.test", true};

    std::vector<std::string> asked;
    platform::HttpResult answer{
        true, 200, "{\"full_count\":1,\"aircraft\":[[\"a\",\"b\",1]]}", {}, false};
    const app::HttpFetch fetch = [&](std::string_view url, std::string_view, int timeout_ms) {
        asked.emplace_back(url);
        EXPECT_EQ(timeout_ms, 20000);
        return answer;
    };
    const app::LiveRefresh good = app::get_live(request, fetch, tables, tracker, layout);
    ASSERT_TRUE(good.parse);
    EXPECT_EQ(good.messages, std::vector<std::string>{});
    EXPECT_EQ(asked, std::vector<std::string>{"http://feed.test" + good.request_path});
    EXPECT_EQ(
        good.request_path,
        "/zones/fcgi/feed.js?bounds=51.5775,51.3775,-0.5813889,-0.3413889,&adsb=1&air=1&array=1");

    answer = {false, 0, "", "Could not resolve host", false};
    const app::LiveRefresh failed = app::get_live(request, fetch, tables, tracker, layout);
    EXPECT_FALSE(failed.parse);
    EXPECT_TRUE(failed.stale);
    ASSERT_EQ(failed.messages.size(), 1U);
    EXPECT_NE(failed.messages[0].find("Could not resolve host"), std::string::npos);
    EXPECT_EQ(common::read_file(layout.raw_feed_file()),
              "{\"full_count\":1,\"aircraft\":[[\"a\",\"b\",1]]}\r\n");

    request.coordinates = "no slash";
    const app::LiveRefresh unreadable = app::get_live(request, fetch, tables, tracker, layout);
    EXPECT_EQ(unreadable.messages,
              std::vector<std::string>{std::string(app::kUnreadableCoordinates)});
    EXPECT_EQ(asked.size(), 2U);  // nothing asked without coordinates
}

TEST(LiveRefresh, menusWorkOnTheSavedSettings) {
    app::LiveSettings saved;
    saved.checks.check_mrg(1);
    saved.checks.check_mrr(2);
    live::RangeCeiling menus = app::range_ceiling(saved, true);
    EXPECT_TRUE(menus.save_raw_feed);
    live::mrg_click(menus, 3);
    live::mrr_click(menus, 4);
    live::mrad_click(menus);
    app::store_range_ceiling(menus, saved);
    EXPECT_EQ(saved.feed_range, 0.15F);
    EXPECT_EQ(saved.range_index, 3);
    EXPECT_EQ(saved.max_height, 4000);
    EXPECT_EQ(saved.height_index, 4);
    EXPECT_EQ(saved.checks.mrg, (std::array<bool, 5>{false, false, false, true, false}));
    EXPECT_EQ(saved.checks.mrr, (std::array<bool, 6>{false, false, false, false, true, false}));
}

}  // namespace
