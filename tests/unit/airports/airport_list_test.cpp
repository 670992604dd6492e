#include "airports/airport_list.hpp"

#include <gtest/gtest.h>

namespace {

using airports::AirportList;

AirportList list_of(std::initializer_list<const char*> names) {
    AirportList list;
    for (const char* n : names) list.items.push_back({n, "1/2"});
    return list;
}

TEST(AirportList, builtinNine_decimalCommaTurnsEveryPoint) {
    const AirportList dot = airports::builtin_airports(false);
    ASSERT_EQ(dot.items.size(), 9u);
    EXPECT_EQ(dot.items[0],
              (airports::Airport{"Heathrow ", " 51.4775009155273/ -0.461388885974884"}));
    EXPECT_EQ(dot.items[8].name, "San Francisco");
    const AirportList comma = airports::builtin_airports(true);
    EXPECT_EQ(comma.items[0].coords, " 51,4775009155273/ -0,461388885974884");
    EXPECT_EQ(comma.items[5].coords, "53,35388946533203/-2,2750000953674316");
}

TEST(AirportList, fileLines_emptySkipped_noHashKeepsAlignment_secondHashIgnored) {
    const AirportList l =
        airports::parse_airport_file("A#1/2\r\n\r\nNoCoords\r\nB#3/4#junk\r\n\r\n");
    ASSERT_EQ(l.items.size(), 3u);
    EXPECT_EQ(l.items[1], (airports::Airport{"NoCoords", ""}));
    EXPECT_EQ(l.items[2], (airports::Airport{"B", "3/4"}));
    // An existing but empty file is an empty list, not the built-in one.
    EXPECT_TRUE(airports::load_airports(false, std::string()).items.empty());
    EXPECT_EQ(airports::load_airports(false, std::nullopt).items.size(), 9u);
}

TEST(AirportList, saveText_convertsOnlyCoordinateCommas) {
    AirportList l;
    l.items = {{"Frankfurt, Main", "50,03/8,57"}, {"X", ""}};
    EXPECT_EQ(airports::airport_file_text(l, true), "Frankfurt, Main#50.03/8.57\r\nX#\r\n");
    EXPECT_EQ(airports::airport_file_text(l, false), "Frankfurt, Main#50,03/8,57\r\nX#\r\n");
    // Round trip through the file form.
    EXPECT_EQ(airports::parse_airport_file(airports::airport_file_text(l, false)).items, l.items);
}

TEST(AirportList, sort_ignoresCaseAndKeepsCoordinates) {
    const AirportList l = airports::sorted_airports("b#2/2\r\nA#1/1\r\nc\r\n\r\na#0/0\r\n");
    std::vector<std::string> names;
    for (const auto& a : l.items) names.push_back(a.name + "|" + a.coords);
    // Whole lines are compared, so equal names follow their coordinates.
    EXPECT_EQ(names, (std::vector<std::string>{"a|0/0", "A|1/1", "b|2/2", "c|"}));
}

TEST(AirportList, find_topmostIgnoringCaseAndSpaces) {
    const AirportList l = list_of({"Paris Orly", "Heathrow", "PARIS CDG"});
    struct Case {
        const char* text;
        std::optional<int> index;
        std::optional<std::string> message;
    };
    const Case cases[] = {{"  paris ", 0, std::nullopt},
                          {"cdg", 2, std::nullopt},
                          {"   ", std::nullopt, std::nullopt},
                          {" Gatwick", std::nullopt, " Gatwick Not found"}};
    for (const Case& c : cases) {
        const auto r = airports::find_airport(l, c.text);
        EXPECT_EQ(r.index, c.index) << c.text;
        EXPECT_EQ(r.message, c.message) << c.text;
    }
}

TEST(AirportList, chooseAndRemove_followTheSelection) {
    AirportList l = list_of({"A", "B"});
    l.items[1].coords = "";
    EXPECT_FALSE(airports::choose_airport(l).coords);
    EXPECT_FALSE(airports::choose_airport(l).message);
    l.selected = 0;
    EXPECT_EQ(airports::choose_airport(l).coords, "1/2");
    l.selected = 1;
    EXPECT_EQ(airports::choose_airport(l).message, std::string(airports::kMissingDataMessage));
    EXPECT_TRUE(airports::remove_selected(l));
    EXPECT_FALSE(airports::remove_selected(l));
    ASSERT_EQ(l.items.size(), 1u);
    EXPECT_EQ(l.items[0].name, "A");
}

}  // namespace
