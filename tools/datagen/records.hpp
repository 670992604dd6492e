#pragma once
// The look-up tables shipped in the program's system folder, built from the airport and airline
// data sets: system/airlines (feed parser), system/iata (route names), system/az5 (airport
// editor). Each builder returns the file's bytes; every name is Windows-1252 and free of the
// separators its reader cuts at.

#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct Airline {
    std::string code;  // three-letter ICAO airline code
    std::string name;
};

enum class AirportKind { Large, Medium, Small };

struct Airport {
    AirportKind kind = AirportKind::Small;
    std::string code;  // ICAO code, or the data set's own identifier when it has none
    std::string iata;  // three letters or empty
    std::string name;  // UTF-8 as in the data set
    std::string municipality;
    double latitude = 0;
    double longitude = 0;
};

// Active airlines with a three-letter ICAO code, one per code (the first in the data set wins),
// sorted by code. The input is an array of objects with name, icao and active ("Y").
std::vector<Airline> airlines_from_json(std::string_view json);

// Large, medium and small airports with coordinates, large ones first, then by code. The input
// is an array of objects with the data set's text fields (type, ident, gps_code, iata_code,
// name, municipality, latitude_deg, longitude_deg).
std::vector<Airport> airports_from_json(std::string_view json);

// "CODE,Name" records, each followed by ESC FS (the reader turns that into CR LF).
std::string airlines_file(const std::vector<Airline>& airlines);

// The place name of an airport as the route look-up reads it (before any "(" or "-").
std::string place_name(const Airport& airport);

// One line per IATA code: "Place (Airport name),CODE" and CR LF; the only comma of a line is the
// one before its code, so "," + code finds its own line.
std::string iata_file(const std::vector<Airport>& airports);

// "#"-separated records "lat,lon,name,code,iata" followed by search words (municipality and the
// distinctive words of the name), so a word is found at a field start. The text starts and ends
// with "#": the editor only takes a record that follows a "#". Not yet scrambled.
std::string lookup_text(const std::vector<Airport>& airports);

}  // namespace datagen
