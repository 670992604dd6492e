#include "app/live_session.hpp"

#include <gtest/gtest.h>

#include "../common/temp_folder.hpp"
#include "app/session.hpp"
#include "common/file_io.hpp"

namespace {

constexpr std::string_view kFeed =
    R"({"full_count":1,"version":4,"a":[["1","2",51.5,-0.4,90,1000,140,"","r","A320","G-AAAA",1,"LHR","EDI","BA1",0,0,"BAW1",0]]})";

platform::HttpResult answer(int status, std::string_view body) {
    return {true, status, std::string(body), {}, false};
}

class LiveSessionTest : public ::testing::Test {
  protected:
    void SetUp() override { s_ = app::Session(app::startup(root_.file("program"), false)); }
    app::PendingFetch start() {
        app::FetchStart f = app::begin_fetch(s_, " 51.4775/ -0.4613");
        EXPECT_TRUE(f.fetch.has_value());
        return *f.fetch;
    }
    testing_support::TempFolder root_;
    app::Session s_;
};

TEST_F(LiveSessionTest, answersApplyInTheOrderSent_anOlderOneIsDropped) {
    const app::PendingFetch first = start();
    const app::PendingFetch second = start();
    EXPECT_EQ(s_.live_view.fetches_in_flight, 2);
    EXPECT_TRUE(second.url.ends_with("&adsb=1&air=1&array=1"));
    ASSERT_TRUE(app::answer_arrived(s_, second, answer(200, kFeed), 0));
    EXPECT_EQ(s_.live_view.last.rows.size(), 1u);
    EXPECT_FALSE(app::answer_arrived(s_, first, answer(200, R"({"full_count":0})"), 0));
    EXPECT_EQ(s_.live_view.last.rows.size(), 1u);
    EXPECT_EQ(s_.live_view.fetches_in_flight, 0);
}

TEST_F(LiveSessionTest, failuresKeepTheFlights_rawCopyOnlyOfWhatAServerSent) {
    s_.live_view.save_raw_feed = true;
    ASSERT_TRUE(app::answer_arrived(s_, start(), answer(200, kFeed), 0));
    const auto refused = app::answer_arrived(s_, start(), answer(403, "no"), 0);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->stale);
    EXPECT_EQ(refused->messages.size(), 1u);
    EXPECT_EQ(s_.live_view.last.rows.size(), 1u);
    platform::HttpResult offline;
    offline.error = "Connection refused";
    ASSERT_TRUE(app::answer_arrived(s_, start(), offline, 0));
    EXPECT_EQ(common::read_file(s_.frame.layout.raw_feed_file()),
              std::string(kFeed) + "\r\nno\r\n");
}

TEST_F(LiveSessionTest, unreadableCoordinatesSendNothing_menusRefreshOnlyWithAnAirport) {
    const app::FetchStart f = app::begin_fetch(s_, "51.4775");
    EXPECT_FALSE(f.fetch);
    EXPECT_EQ(f.message, std::string(app::kUnreadableCoordinates));
    EXPECT_FALSE(app::range_click(s_, 2));
    EXPECT_EQ(s_.live.feed_range, 0.1f);
    s_.airports.list.selected = 0;
    s_.live_view.plot.picture_dirty = 3;
    EXPECT_TRUE(app::height_click(s_, 0));
    EXPECT_EQ(s_.live.max_height, 0);
    EXPECT_EQ(s_.live_view.plot.picture_dirty, -1);
    EXPECT_EQ(app::key_press(s_, 18), live::KeyAction::ToggleRawCopy);
    EXPECT_TRUE(s_.live_view.save_raw_feed);
}

}  // namespace
