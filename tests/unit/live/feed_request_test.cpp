#include "live/feed_request.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <stdexcept>

namespace {

constexpr std::string_view kHeathrow = " 51.4775009155273/ -0.461388885974884";

TEST(FeedRequest, boxAndPath) {
    struct Case {
        float range;
        const char* bounds;
    };
    const Case cases[] = {
        {0.1F, "51.5775,51.3775,-0.5813889,-0.3413889,"},
        // Single precision: -0.4613889 + 0.52 leaves 0.05861109, not 0.05861111.
        {0.5F, "51.9775,50.9775,-0.9813889,0.05861109,"},
        {0.0F, "51.9775,50.9775,-0.7613889,-0.1613889,"},  // 0.5 and 0.3
        {-1.0F, "51.9775,50.9775,-0.7613889,-0.1613889,"},
    };
    const auto airport = live::parse_coordinates(kHeathrow);
    ASSERT_TRUE(airport);
    for (const Case& c : cases) {
        EXPECT_EQ(live::feed_path(live::feed_box(*airport, c.range)),
                  "/zones/fcgi/feed.js?bounds=" + std::string(c.bounds) + "&adsb=1&air=1&array=1");
    }
    // Seven significant digits at most, never an exponent, no "-0".
    EXPECT_EQ(
        live::feed_url("https://feed.test", {0.00001F, -0.0F, 179.99999F, -100.5F}),
        "https://feed.test/zones/fcgi/feed.js?bounds=0.00001,0,180,-100.5,&adsb=1&air=1&array=1");
}

TEST(FeedRequest, decimalCommaLocale_writesAndReadsTheSame) {
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
    EXPECT_EQ(parsed, live::parse_coordinates(kHeathrow));
}

TEST(FeedRequest, coordinateText) {
    const std::pair<std::string_view, std::optional<live::Coordinates>> cases[] = {
        {kHeathrow, live::Coordinates{51.4775009155273F, -0.461388885974884F}},
        {"10/+20/30", live::Coordinates{10.0F, 20.0F}},
        {"51.47", std::nullopt},
        {"51.47/", std::nullopt},
        {"1,5/2", std::nullopt},
        {"1e999/2", std::nullopt},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(live::parse_coordinates(text), want) << text;
}

}  // namespace
