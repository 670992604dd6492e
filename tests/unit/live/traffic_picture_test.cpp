#include "live/traffic_picture.hpp"

#include <gtest/gtest.h>

namespace {

using live::Disc;

constexpr live::Coordinates kAirport{51.47F, -0.45F};
constexpr double kWidth = 4800, kHeight = 3600;

std::string line(const std::string& lat, const std::string& lon, const std::string& track,
                 const std::string& flight = "BA1", const std::string& alt = "1500",
                 const std::string& speed = "140") {
    return lat + "#" + lon + "#" + track + "#" + flight + "#" + alt + "#" + speed +
           "#A320#LHR#EDI#British Airways\r\n";
}

live::PlotInput input(std::string_view traffic) {
    live::PlotInput in;
    in.traffic_text = traffic;
    in.width = kWidth;
    in.height = kHeight;
    in.airport_index = 3;
    in.airport = kAirport;
    return in;
}

TEST(TrafficPicture, directionAndDisc) {
    const std::pair<double, int> directions[] = {{355, 0},   {5, 10},    {4, 0},   {359, 0},
                                                 {275, 280}, {274, 270}, {4.5, 0}, {5.5, 10}};
    for (const auto& [track, want] : directions) {
        EXPECT_EQ(live::icon_direction(track), want) << track;
    }
    const std::tuple<double, double, Disc> discs[] = {{0, 31, Disc::Ground},
                                                      {0, 30, Disc::None},
                                                      {1500, 0, Disc::Airborne},
                                                      {-10, 10, Disc::None},
                                                      {-10, 40, Disc::Airborne}};
    for (const auto& [altitude, speed, want] : discs) {
        EXPECT_EQ(live::disc_for(altitude, speed), want) << altitude << " " << speed;
    }
}

TEST(TrafficPicture, positionsNorthUpWithZoom) {
    struct Case {
        const char* name;
        float zoom;
        std::string lat, lon;
        double x, y;
    };
    const Case cases[] = {
        {"atAirport", 1.0F, "51.47", "-0.45", 2400, 1800},
        {"northEastZoom1", 1.0F, "51.52", "-0.40", 3600, 900},
        {"northEastZoom2", 2.0F, "51.52", "-0.40", 4800, 0},
        {"southWest", 1.0F, "51.42", "-0.50", 1200, 2700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        live::PlotState state;
        state.picture_zoom = c.zoom;
        const std::string traffic = line(c.lat, c.lon, "90");
        const live::Picture p = live::plot_planes(state, input(traffic));
        ASSERT_EQ(p.icons.size(), 1U);
        const live::IconItem& icon = p.icons[0];
        EXPECT_TRUE(icon.drawable);
        EXPECT_NEAR(icon.top_left.x, c.x, 2.0);
        EXPECT_NEAR(icon.top_left.y, c.y, 2.0);
        ASSERT_TRUE(p.airport_mark);
        EXPECT_NEAR(p.airport_mark->x, 2400, 2.0);
        EXPECT_NEAR(p.airport_mark->y, 1800, 2.0);
    }
}

TEST(TrafficPicture, iconsKeepTheirIndexAndCarryLabelDiscAndMarks) {
    const std::string traffic =
        line("x", "-0.45", "90", "BA1") + line("51.47", "-0.45", "", "BA2") +
        line("51.47", "-0.45", "275", "EZ3", "0", "31") + line("51.47", "-0.45", "4", "", "0", "5");
    live::PlotState state;
    live::PlotInput in = input(traffic);
    in.defaults_list = "G-EUUA,EZ3,A320\r\nBA1\r\n";
    in.airline_labels = true;
    in.selected_icon = 3;
    const live::Picture p = live::plot_planes(state, in);
    ASSERT_EQ(p.icons.size(), 4U);
    EXPECT_FALSE(p.icons[0].drawable);
    EXPECT_FALSE(p.icons[1].drawable);
    const live::IconItem& third = p.icons[2];
    EXPECT_EQ(third.index, 3);
    EXPECT_EQ(third.direction, 280);
    EXPECT_EQ(third.label, "A320 EZ3");
    EXPECT_EQ(third.tag, "EZ3");
    EXPECT_EQ(third.disc, Disc::Ground);
    EXPECT_TRUE(third.default_model);
    EXPECT_EQ(p.selection_marker, third.top_left);
    EXPECT_EQ(p.icons[3].disc, Disc::None);
    EXPECT_FALSE(p.icons[3].default_model);  // no flight number, never a default model
    EXPECT_EQ(p.icons[3].label, "A320 ");
}

TEST(TrafficPicture, extentIsNewOnlyForAnotherAirportOrAForcedPlot) {
    const std::string traffic = line("51.47", "-0.45", "90");
    live::PlotState state;
    live::PlotInput in = input(traffic);
    const std::string first = live::plot_planes(state, in).extent_text;
    EXPECT_EQ(first, live::extent_text(live::extent_around(kAirport)));
    EXPECT_EQ(state.picture_dirty, 3);
    EXPECT_EQ(live::plot_planes(state, in).extent_text, "");  // a timer refresh

    in.relayout_only = true;
    in.airport_index = 4;
    EXPECT_EQ(live::plot_planes(state, in).extent_text, "");  // a resize never moves the box

    in.relayout_only = false;
    in.airport_index = 5;
    in.airport = {10.0F, 20.0F};
    EXPECT_EQ(live::plot_planes(state, in).extent_text, "10.1#9.9#20.1#19.9");
    state.picture_dirty = -1;
    EXPECT_FALSE(live::plot_planes(state, in).extent_text.empty());
}

TEST(TrafficPicture, emptyTraffic_toldOnlyWithTheTimerOff) {
    live::PlotState state;
    state.picture_dirty = 7;
    live::PlotInput in = input("");
    EXPECT_EQ(live::plot_planes(state, in).message, std::string(live::kNoLiveTraffic));
    in.timer_running = true;
    const live::Picture p = live::plot_planes(state, in);
    EXPECT_FALSE(p.message);
    EXPECT_TRUE(p.icons.empty());
    EXPECT_FALSE(p.airport_mark);
    EXPECT_EQ(state.picture_dirty, 7);
}

TEST(TrafficPicture, zoomButtons) {
    float zoom = 2.0F;
    for (int i = 0; i < 4; ++i) zoom = live::zoom_click(zoom, live::ZoomButton::Minus);
    EXPECT_EQ(zoom, 0.5F);
    EXPECT_EQ(live::zoom_click(0.5F, live::ZoomButton::Plus), 1.0F);
    EXPECT_EQ(live::zoom_click(3.5F, live::ZoomButton::Reset), 1.0F);
}

}  // namespace
