// libFuzzer target: the route and airline tables built from any file bytes answer every look-up
// exactly as the plain first-occurrence searches over the converted texts do. The input is cut at
// its NUL bytes: system/iata bytes, system/airlines bytes, then codes separated by ",".

#include <cstddef>
#include <cstdint>
#include <string>

#include "../unit/live/plain_lookups.hpp"
#include "fuzz_input.hpp"
#include "live/airline_table.hpp"
#include "live/route_lookup.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::as_text(data, size);
    const std::string iata_text = live::iata_text_from_file(fuzz::next_part(rest));
    const std::string airlines_text = live::airlines_text_from_file(fuzz::next_part(rest));
    fuzz::require(iata_text.find('\xA0') == std::string::npos, "a no-break space is left");
    fuzz::require(airlines_text.find("\x1B\x1C") == std::string::npos, "an ESC FS pair is left");
    const live::RouteTable routes{iata_text};
    const live::AirlineTable airlines{airlines_text};

    // Every code and every pair of neighbouring codes, both ways round.
    std::string_view previous;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view code = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (!code.empty()) {
            fuzz::require(
                std::string(routes.place_name(code)) == live_test::place_by_scan(iata_text, code),
                "place_name differs from the scan");
        }
        const auto name = airlines.name_for_callsign(code);
        const auto scanned = live_test::airline_by_scan(airlines_text, code);
        fuzz::require(name.has_value() == scanned.has_value() && (!name || *name == *scanned),
                      "name_for_callsign differs from the scan");
        for (const bool aa : {false, true}) {
            const std::string pair = std::string(previous) + "," + std::string(code);
            fuzz::require(
                routes.get_iata(aa, pair) == live_test::get_iata_by_scan(iata_text, aa, pair),
                "get_iata differs from the scan");
        }
        previous = code;
    }
    return 0;
}
