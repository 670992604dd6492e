// libFuzzer target: any bytes as a feed answer, and as the airline and airport tables (the input
// is cut at its first two NUL bytes: answer, airlines, airports). The parse and the picture must
// finish without a sanitizer report, keep rows, traffic lines and icons aligned, and the indexed
// look-ups must answer as the plain first-occurrence searches do.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../unit/live/plain_lookups.hpp"
#include "fuzz_input.hpp"
#include "live/feed_parser.hpp"
#include "live/traffic_picture.hpp"

namespace {

void check(bool ok) {
    fuzz::require(ok, "the feed parse or a look-up disagrees");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::as_text(data, size);
    const std::string_view answer = fuzz::next_part(rest);
    const std::string_view airlines_text = fuzz::next_part(rest);
    const std::string_view iata_text = rest;
    const live::AirlineTable airlines{std::string(airlines_text)};
    const live::RouteTable routes{std::string(iata_text)};

    const live::ParseResult parsed = live::strp(answer, 2000, airlines, routes);
    check(parsed.drawable.size() == parsed.rows.size());
    std::size_t lines = 0;
    for (std::size_t p = parsed.traffic_text.find("\r\n"); p != std::string::npos;
         p = parsed.traffic_text.find("\r\n", p + 2)) {
        ++lines;
    }
    // Fields are copied as received, so a CR LF inside one (never in a JSON answer; also made by
    // removing the quote of CR " LF) splits a line.
    if (answer.find('\r') == std::string_view::npos) check(lines == parsed.rows.size());

    live::PlotState state;
    live::PlotInput in;
    in.traffic_text = parsed.traffic_text;
    in.width = 4800;
    in.height = 3600;
    in.airport_index = 1;
    in.defaults_list = airlines_text;
    const live::Picture picture = live::plot_planes(state, in);
    if (!parsed.traffic_text.empty()) check(picture.icons.size() <= lines);

    // Every code after a "," of the answer is asked about in both tables.
    for (std::size_t p = answer.find(','); p != std::string_view::npos;
         p = answer.find(',', p + 1)) {
        std::string_view code = answer.substr(p + 1, 4);
        code = code.substr(0, code.find(','));
        if (code.empty()) continue;
        check(std::string(routes.place_name(code)) == live_test::place_by_scan(iata_text, code));
        const auto name = airlines.name_for_callsign(code);
        const auto scanned = live_test::airline_by_scan(airlines_text, code);
        check(name.has_value() == scanned.has_value() && (!name || *name == *scanned));
    }
    return 0;
}
