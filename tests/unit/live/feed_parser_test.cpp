#include "live/feed_parser.hpp"

#include <gtest/gtest.h>

#include "feed_fixture.hpp"

namespace {

using live_test::answer;
using live_test::flight;

const live::AirlineTable kAirlines("BAW,British Airways\r\nEZY,easyJet\r\nbaw,lower case\r\n");
const live::RouteTable kRoutes(
    "London Heathrow (LHR),England,LHR,EGLL\r\nEdinburgh - Turnhouse,Scotland,EDI,EGPH\r\n");

constexpr const char* kRow =
    "1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London Heathrow-Edinburgh)";
constexpr const char* kLine = "51.47#-0.45#90#BA1432#1000#140#A320#LHR#EDI#British Airways\r\n";

struct Case {
    const char* name;
    std::string feed;
    std::int64_t max_height;
    std::vector<std::string> rows;
    std::string traffic;
    std::vector<std::string> types;
};

std::vector<Case> cases() {
    return {
        {"plain", answer({flight()}), 2000, {kRow}, kLine, {"A320"}},
        {"atCeiling",
         answer({flight({{5, "2000"}})}),
         2000,
         {"2000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#BA1432#2000#140#A320#LHR#EDI#British Airways\r\n",
         {"A320"}},
        {"oneFootAbove", answer({flight({{5, "2001"}})}), 2000, {}, "", {}},
        {"ceilingZero",
         answer({flight({{5, "0"}}), flight({{5, "25"}})}),
         0,
         {"0\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#BA1432#0#140#A320#LHR#EDI#British Airways\r\n",
         {"A320"}},
        // An altitude that does not read skips the ceiling test only.
        {"altitudeNotNumeric",
         answer({flight({{5, "\"N/A\""}})}),
         0,
         {"N/A\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#BA1432#N/A#140#A320#LHR#EDI#British Airways\r\n",
         {"A320"}},
        // Empty type: neither listed nor drawn, and the flight number is not replaced.
        {"emptyType", answer({flight({{9, "\"\""}})}), 2000, {}, "", {}},
        {"unknownCallsign",
         answer({flight({{17, "\"N123AB\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---\t(London Heathrow-Edinburgh)"},
         "51.47#-0.45#90#---#1000#140#A320#LHR#EDI#---\r\n",
         {"A320"}},
        {"lowerCaseCallsignFindsOnlyLowerCaseCode",
         answer({flight({{17, "\"baw12\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t lower case\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#BA1432#1000#140#A320#LHR#EDI#lower case\r\n",
         {"A320"}},
        {"shortCallsign",
         answer({flight({{17, "\"BA\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---\t(London Heathrow-Edinburgh)"},
         "51.47#-0.45#90#---#1000#140#A320#LHR#EDI#---\r\n",
         {"A320"}},
        {"eightCharRegistration",
         answer({flight({{10, "\"G-EUUAXY\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUAXY\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         kLine,
         {"A320"}},
        {"nineCharRegistration",
         answer({flight({{10, "\"G-EUUAXYZ\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUAXYZ\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         kLine,
         {"A320"}},
        // Empty speed stays empty in the traffic line; the row shows "---" for each empty field.
        {"emptySpeedRegistrationFlight",
         answer({flight({{6, ""}, {10, "\"\""}, {14, "\"\""}})}),
         2000,
         {"1000\t---\tA320\t---\t\t---\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90##1000##A320#LHR#EDI#British Airways\r\n",
         {"A320"}},
        // "320#" occurs inside "A320#", so the later type counts as seen.
        {"repeatedAndSuffixTypes",
         answer({flight(), flight({{9, "\"B738\""}}), flight(), flight({{9, "\"320\""}})}),
         2000,
         {kRow,
          "1000\t140\tB738\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)",
          kRow,
          "1000\t140\t320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         std::string(kLine) + "51.47#-0.45#90#BA1432#1000#140#B738#LHR#EDI#British Airways\r\n" +
             kLine + "51.47#-0.45#90#BA1432#1000#140#320#LHR#EDI#British Airways\r\n",
         {"A320", "B738"}},
        {"destinationNotInTable",
         answer({flight({{13, "\"XXX\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tXXX\t British Airways\tLondon Heathrow"},
         "51.47#-0.45#90#BA1432#1000#140#A320#LHR#XXX#British Airways\r\n",
         {"A320"}},
        {"noOrigin",
         answer({flight({{12, "\"\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\tBA1432\t\tEDI\t British Airways"},
         "51.47#-0.45#90#BA1432#1000#140#A320##EDI#British Airways\r\n",
         {"A320"}},
        {"noBracket", "{\"full_count\":0,\"version\":4}", 2000, {}, "", {}},
        {"empty", "", 2000, {}, "", {}},
        // Without the callsign the airline is "---"; the rest of the flight goes on.
        {"noCallsignField",
         answer({flight({}, 17)}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---\t(London Heathrow-Edinburgh)"},
         "51.47#-0.45#90#---#1000#140#A320#LHR#EDI#---\r\n",
         {"A320"}},
        // Up to the type but not the flight number: the type is found, nothing is listed.
        {"throughTypeOnly", answer({flight({}, 12)}), 2000, {}, "", {"A320"}},
        {"beforeType", answer({flight({}, 6)}), 2000, {}, "", {}},
        // Quotes vanish wherever they are; backslashes stay.
        {"quotesAndBackslashes",
         answer({flight({{10, "\"G-\\\"X\\\"\""}, {14, "\"B\\\\A1\""}})}),
         2000,
         {"1000\t140\tA320\tG-\\X\\\t\tB\\\\A1\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#B\\\\A1#1000#140#A320#LHR#EDI#British Airways\r\n",
         {"A320"}},
    };
}

TEST(FeedParser, table) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const live::ParseResult r = live::strp(c.feed, c.max_height, kAirlines, kRoutes);
        EXPECT_EQ(r.header, "Altitude\tSpeed\tModel\tReg\t\tFlight\tFrom\tTo\tAirline");
        EXPECT_EQ(r.rows, c.rows);
        EXPECT_EQ(r.traffic_text, c.traffic);
        EXPECT_EQ(r.types, c.types);
        EXPECT_EQ(r.drawable.size(), r.rows.size());
        EXPECT_EQ(r.s1, c.rows.empty() ? c.feed : c.rows.back());
    }
}

TEST(FeedParser, flightWithoutPosition_isListedButNotDrawable) {
    const auto r = live::strp(answer({flight({{3, "\"\""}}), flight({{4, "\"x\""}}), flight()}),
                              2000, kAirlines, kRoutes);
    ASSERT_EQ(r.rows.size(), 3U);
    EXPECT_EQ(r.drawable, (std::vector<bool>{false, false, true}));
}

TEST(FeedParser, emptyTables_giveDashesAndNoRoute) {
    const auto r = live::strp(answer({flight()}), 2000, live::AirlineTable(), live::RouteTable());
    EXPECT_EQ(r.rows, std::vector<std::string>{"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---"});
}

}  // namespace
