#pragma once
// Synthetic live-traffic input for the benchmarks: airline and airport tables in the forms the
// program reads, and a zone-feed answer in its array form (one array per aircraft: id, icao24,
// lat, lon, track, altitude, speed, squawk, radar, type, registration, time, origin,
// destination, flight, on-ground, vertical speed, callsign, ...).

#include <cstddef>
#include <string>

namespace feedgen {

// Three capital letters numbering n (AAA, AAB, ...).
std::string code3(std::size_t n);
// airlines_text (CR LF lines): airline k has code code3(k * 2 + 1), so half of all codes are
// unknown (private aircraft).
std::string airlines_text(std::size_t count);
// The same table as the shipped file stores it: records ended by ESC FS.
std::string airlines_file(std::size_t count);
std::string iata_text(std::size_t count);
// hostile: every aircraft a type, an airline code and airports of its own, and long fields.
std::string generate(std::size_t aircraft, bool hostile, std::size_t airlines,
                     std::size_t airports);

}  // namespace feedgen
