#include "live/flight_search.hpp"

#include <gtest/gtest.h>

namespace {

using live::SearchEffect;
using live::SearchOutcome;

std::vector<std::string> rows() {
    std::vector<std::string> r{"Altitude\tSpeed\tModel\tReg\t\tFlight\tFrom\tTo\tAirline"};
    for (int i = 1; i <= 9; ++i) {
        r.push_back("1000\t140\tA320\tG-R" + std::to_string(i) + "\t\tBA" + std::to_string(i) +
                    "\tLHR\tEDI\t " + (i == 3 || i == 7 ? "Target Air" : "Other"));
    }
    return r;
}

struct Step {
    std::string text;
    bool match_case;
    SearchOutcome want;
    int pos_after;
};

struct Case {
    const char* name;
    int start_pos;
    std::vector<Step> steps;
};

TEST(FlightSearch, stepsThroughHitsAndWraps) {
    const Case cases[] = {
        {"hitsThenWrap",
         1,
         {{"target", false, {SearchEffect::Select, 3}, 4},
          {"target", false, {SearchEffect::Select, 7}, 8},
          {"target", false, {SearchEffect::Select, 3}, 4}}},
        {"matchCase",
         1,
         {{"target", true, {SearchEffect::ClearSelection, 0}, 1},
          {"Target", true, {SearchEffect::Select, 3}, 4}}},
        {"nowhereFromZeroStaysZero", 0, {{"zzz", false, {SearchEffect::ClearSelection, 0}, 0}}},
        {"nowhereEndsAtOne", 5, {{"zzz", false, {SearchEffect::ClearSelection, 0}, 1}}},
        {"headerIsAHitBeforeTyping", 0, {{"flight", false, {SearchEffect::Select, 0}, 1}}},
        {"lastRowHitWrapsPosition", 1, {{"G-R9", false, {SearchEffect::Select, 9}, 1}}},
        {"blankText", 4, {{"   ", false, {SearchEffect::ClearSelection, 0}, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        live::LiveSearch state{c.start_pos};
        for (const Step& s : c.steps) {
            EXPECT_EQ(live::search_live(state, rows(), s.text, s.match_case), s.want) << s.text;
            EXPECT_EQ(state.search_pos, s.pos_after) << s.text;
        }
    }
}

TEST(FlightSearch, headerOnly_doesNothing) {
    live::LiveSearch state{3};
    EXPECT_EQ(live::search_live(state, {"header"}, "x", false), SearchOutcome{});
    EXPECT_EQ(state.search_pos, 3);
    state.key_typed();
    EXPECT_EQ(state.search_pos, 1);
}

TEST(FlightSearch, flightColumnForTheWebLookUp) {
    const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
        {"1000\t140\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British", "BA1432"},
        {"1000\t140\tA320\tG-EUUAXYZ\tBA1432\tLHR\tEDI\t British", "BA1432"},
        {"1000\t140\tA320\tG-EUUA\t\t---\tLHR\tEDI\t ---", std::nullopt},
        {"Altitude\tSpeed\tModel\tReg\t\tFlight\tFrom\tTo\tAirline", "Flight"},
        {"short\trow", std::nullopt},
    };
    for (const auto& [row, want] : cases) EXPECT_EQ(live::flight_to_look_up(row), want) << row;
}

}  // namespace
