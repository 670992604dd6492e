#include "live/feed_request.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

namespace {

constexpr std::string_view kHeathrow = " 51.4775009155273/ -0.461388885974884";

struct BoxCase {
    const char* name;
    float range;
    double north, south, west, east;
};

TEST(FeedRequest, boxHalfSizes) {
    const BoxCase cases[] = {
        {"range0.1", 0.1F, 51.5775, 51.3775, -0.5813889, -0.3413889},
        {"range0.5", 0.5F, 51.9775, 50.9775, -0.9813889, 0.0586111},
        {"range0", 0.0F, 51.9775, 50.9775, -0.7613889, -0.1613889},
        {"rangeNegative", -1.0F, 51.9775, 50.9775, -0.7613889, -0.1613889},
    };
    const auto airport = live::parse_coordinates(kHeathrow);
    ASSERT_TRUE(airport);
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        const live::FeedBox box = live::feed_box(*airport, c.range);
        EXPECT_NEAR(box.north, c.north, 1e-4);
        EXPECT_NEAR(box.south, c.south, 1e-4);
        EXPECT_NEAR(box.west, c.west, 1e-4);
        EXPECT_NEAR(box.east, c.east, 1e-4);
    }
}

TEST(FeedRequest, pathWritesEveryBoundAndEndsWithTheFixedQuery) {
    const live::FeedBox box = live::feed_box(*live::parse_coordinates(kHeathrow), 0.1F);
    EXPECT_EQ(live::feed_path(box),
              "/zones/fcgi/feed.js?bounds=51.5775,51.3775,-0.5813889,-0.3413889,"
              "&adsb=1&air=1&array=1");
    // Seven significant digits at most, never an exponent, no "-0".
    EXPECT_EQ(live::feed_path({0.00001F, -0.0F, 179.99999F, -100.5F}),
              "/zones/fcgi/feed.js?bounds=0.00001,0,180,-100.5,&adsb=1&air=1&array=1");
    EXPECT_EQ(live::feed_url("https://feed.test", box), "https://feed.test" + live::feed_path(box));
}

TEST(FeedRequest, decimalCommaLocale_writesTheSameUrl) {
    const live::FeedBox box = live::feed_box(*live::parse_coordinates(kHeathrow), 0.07F);
    const std::string plain = live::feed_path(box);
    std::locale german;
    try {
        german = std::locale("de_DE.UTF-8");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale here";
    }
    const std::locale old = std::locale::global(german);
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::string german_path = live::feed_path(box);
    const auto parsed = live::parse_coordinates(kHeathrow);
    std::locale::global(old);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(german_path, plain);
    ASSERT_TRUE(parsed);
    EXPECT_NEAR(parsed->lat, 51.4775, 1e-4);
}

TEST(FeedRequest, coordinateText) {
    struct Case {
        std::string_view text;
        std::optional<live::Coordinates> want;
    };
    const Case cases[] = {
        {kHeathrow, live::Coordinates{51.4775009155273F, -0.461388885974884F}},
        {"10/20/30", live::Coordinates{10.0F, 20.0F}},
        {"+1.5/-2", live::Coordinates{1.5F, -2.0F}},
        {"51.47", std::nullopt},
        {"51.47/", std::nullopt},
        {"abc/1", std::nullopt},
        {"1,5/2", std::nullopt},
        {"1e999/2", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        EXPECT_EQ(live::parse_coordinates(c.text), c.want);
    }
}

}  // namespace
