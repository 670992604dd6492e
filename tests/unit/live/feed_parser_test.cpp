#include "live/feed_parser.hpp"

#include <gtest/gtest.h>

#include "feed_fixture.hpp"

namespace {

using live_test::answer;
using live_test::flight;
using Rows = std::vector<std::string>;

const live::AirlineTable kAirlines("BAW,British Airways\r\nEZY,easyJet\r\nbaw,lower case\r\n");
const live::RouteTable kRoutes(
    "London Heathrow (LHR),England,LHR,EGLL\r\nEdinburgh - Turnhouse,Scotland,EDI,EGPH\r\n");

const std::string kBa = "\tBA1432\tLHR\tEDI\t British Airways\t(London Heathrow-Edinburgh)";
const std::string kDash = "\t---\tLHR\tEDI\t ---\t(London Heathrow-Edinburgh)";
const std::string kRow = "1000\t140\tA320\tG-EUUA\t" + kBa;
const std::string kLine = "51.47#-0.45#90#BA1432#1000#140#A320#LHR#EDI#British Airways\r\n";
const std::string kDashLine = "51.47#-0.45#90#---#1000#140#A320#LHR#EDI#---\r\n";

struct Case {
    const char* name;
    std::string feed;
    std::int64_t max_height;
    Rows rows;
    std::string traffic;
    Rows types;
};

TEST(FeedParser, table) {
    const Rows a320{"A320"};
    const Case cases[] = {
        {"plain", answer({flight()}), 2000, {kRow}, kLine, a320},
        {"atCeiling",
         answer({flight({{5, "2000"}})}),
         2000,
         {"2000\t140\tA320\tG-EUUA\t" + kBa},
         "51.47#-0.45#90#BA1432#2000#140#A320#LHR#EDI#British Airways\r\n",
         a320},
        {"oneFootAbove", answer({flight({{5, "2001"}})}), 2000, {}, "", {}},
        {"ceilingZero",
         answer({flight({{5, "0"}}), flight({{5, "25"}})}),
         0,
         {"0\t140\tA320\tG-EUUA\t" + kBa},
         "51.47#-0.45#90#BA1432#0#140#A320#LHR#EDI#British Airways\r\n",
         a320},
        // An altitude that does not read skips the ceiling test only.
        {"altitudeNotNumeric",
         answer({flight({{5, "\"N/A\""}})}),
         0,
         {"N/A\t140\tA320\tG-EUUA\t" + kBa},
         "51.47#-0.45#90#BA1432#N/A#140#A320#LHR#EDI#British Airways\r\n",
         a320},
        {"emptyType", answer({flight({{9, "\"\""}})}), 2000, {}, "", {}},
        {"unknownCallsign",
         answer({flight({{17, "\"N123AB\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t" + kDash},
         kDashLine,
         a320},
        {"lowerCaseCallsign",
         answer({flight({{17, "\"baw12\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t lower case\t(London Heathrow-Edinburgh)"},
         "51.47#-0.45#90#BA1432#1000#140#A320#LHR#EDI#lower case\r\n",
         a320},
        {"shortCallsign",
         answer({flight({{17, "\"BA\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t" + kDash},
         kDashLine,
         a320},
        {"eightCharRegistration",
         answer({flight({{10, "\"G-EUUAXY\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUAXY\t" + kBa},
         kLine,
         a320},
        {"nineCharRegistration",
         answer({flight({{10, "\"G-EUUAXYZ\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUAXYZ" + kBa},
         kLine,
         a320},
        // The traffic line keeps an empty speed and flight; the row shows "---" for each.
        {"emptyFields",
         answer({flight({{6, ""}, {10, "\"\""}, {14, "\"\""}})}),
         2000,
         {"1000\t---\tA320\t---\t\t---\tLHR\tEDI\t British Airways\t(London Heathrow-Edinburgh)"},
         "51.47#-0.45#90##1000##A320#LHR#EDI#British Airways\r\n",
         a320},
        // "320#" occurs inside "A320#", so the later type counts as seen.
        {"repeatedAndSuffixTypes",
         answer({flight(), flight({{9, "\"B738\""}}), flight(), flight({{9, "\"320\""}})}),
         2000,
         {kRow, "1000\t140\tB738\tG-EUUA\t" + kBa, kRow, "1000\t140\t320\tG-EUUA\t" + kBa},
         kLine + "51.47#-0.45#90#BA1432#1000#140#B738#LHR#EDI#British Airways\r\n" + kLine +
             "51.47#-0.45#90#BA1432#1000#140#320#LHR#EDI#British Airways\r\n",
         {"A320", "B738"}},
        {"destinationNotInTable",
         answer({flight({{13, "\"XXX\""}})}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tXXX\t British Airways\tLondon Heathrow"},
         "51.47#-0.45#90#BA1432#1000#140#A320#LHR#XXX#British Airways\r\n",
         a320},
        {"noBracket", "{\"full_count\":0,\"version\":4}", 2000, {}, "", {}},
        // Without the callsign the airline is "---"; the rest of the flight goes on.
        {"noCallsignField",
         answer({flight({}, 17)}),
         2000,
         {"1000\t140\tA320\tG-EUUA\t" + kDash},
         kDashLine,
         a320},
        // Up to the type but not the flight number: the type is found, nothing is listed.
        {"throughTypeOnly", answer({flight({}, 12)}), 2000, {}, "", a320},
        {"beforeType", answer({flight({}, 6)}), 2000, {}, "", {}},
        // Quotes vanish wherever they are; backslashes stay.
        {"quotesAndBackslashes",
         answer({flight({{10, "\"G-\\\"X\\\"\""}, {14, "\"B\\\\A1\""}})}),
         2000,
         {"1000\t140\tA320\tG-\\X\\\t\tB\\\\A1\tLHR\tEDI\t British Airways\t(London "
          "Heathrow-Edinburgh)"},
         "51.47#-0.45#90#B\\\\A1#1000#140#A320#LHR#EDI#British Airways\r\n",
         a320},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const live::ParseResult r = live::strp(c.feed, c.max_height, kAirlines, kRoutes);
        EXPECT_EQ(r.rows, c.rows);
        EXPECT_EQ(r.traffic_text, c.traffic);
        EXPECT_EQ(r.types, c.types);
        EXPECT_EQ(r.s1, c.rows.empty() ? c.feed : c.rows.back());
    }
}

TEST(FeedParser, flightWithoutPosition_isListedButNotDrawable) {
    const auto r = live::strp(answer({flight({{3, "\"\""}}), flight({{4, "\"x\""}}), flight()}),
                              2000, kAirlines, kRoutes);
    EXPECT_EQ(r.drawable, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(live::strp(answer({flight()}), 2000, {}, {}).rows,
              Rows{"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---"});
}

}  // namespace
