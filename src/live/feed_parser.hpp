#pragma once
// strp: the zone feed's answer cut into the flight list rows, traffic_text and the types list.
// The answer is cut as text at "[" and "," (never decoded as JSON), exactly as the window has
// always done, so any answer, broken ones included, gives a result.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "live/airline_table.hpp"
#include "live/route_lookup.hpp"

namespace live {

// List8's row 0.
inline constexpr std::string_view kFlightListHeader =
    "Altitude\tSpeed\tModel\tReg\t\tFlight\tFrom\tTo\tAirline";

struct ParseResult {
    std::string header{kFlightListHeader};
    // List8's rows 1, 2, ...: row k, line k-1 of traffic_text and icon k are the same flight.
    std::vector<std::string> rows;
    // One line per listed flight, ten fields joined by "#", each line ending in CR LF.
    std::string traffic_text;
    // Per row: latitude, longitude and track read as numbers. A flight that is not drawable is
    // listed and keeps its traffic line (so indexes stay aligned) but gets no icon.
    std::vector<bool> drawable;
    // list3(0), "Models Found": each type once, in the order first listed.
    std::vector<std::string> types;
    // strp's in-out text: the last row built, or the unchanged answer when no flight was listed.
    std::string s1;
};

// Parses the answer. max_height is the ceiling in feet: a flight whose altitude reads as a number
// above it is left out; one whose altitude does not read goes on. A piece that lacks a field
// skips only the steps that read it: without the callsign (field 17) there is no airline look-up
// (name "---"); without any of the fields the row and the traffic line read (up to field 14)
// the flight is not listed.
ParseResult strp(std::string_view answer, std::int64_t max_height, const AirlineTable& airlines,
                 const RouteTable& routes);

}  // namespace live
