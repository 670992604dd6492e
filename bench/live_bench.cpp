// Measures one live refresh after the answer arrived: strp (rows, traffic text, types, airline
// and route look-ups) and plot_planes (the picture's geometry) on a generated answer in the
// feed's array form, with synthetic airline (~6,000) and airport (~9,000) tables. A realistic
// answer (types, airlines and airports repeat) and a hostile one (every aircraft a type, an
// airline code and airports of its own, and long fields) are timed; the tables' indexing, done
// once per load, is timed apart. Times are the best of several runs.
//
// skelvar-live-bench [AIRCRAFT]   (default 1500)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "feedgen/feed_generator.hpp"
#include "live/airline_table.hpp"
#include "live/feed_parser.hpp"
#include "live/route_lookup.hpp"
#include "live/traffic_picture.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t aircraft = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1500;
    constexpr std::size_t kAirlines = 6000, kAirports = 9000;
    constexpr int kRuns = 7;
    const std::string airlines = feedgen::airlines_text(kAirlines);
    const std::string iata = feedgen::iata_text(kAirports);

    double index_best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const live::AirlineTable a(airlines);
        const live::RouteTable r(iata);
        index_best = std::min(index_best, ms_since(start));
    }
    std::printf(
        "tables: %zu airlines (%zu KB), %zu airports (%zu KB); indexing once per load: "
        "%.2f ms\n",
        kAirlines, airlines.size() / 1024, kAirports, iata.size() / 1024, index_best);

    const live::AirlineTable airline_table(airlines);
    const live::RouteTable route_table(iata);
    std::string defaults;
    for (std::size_t i = 0; i < 20000; i += 7) defaults += "G-" + std::to_string(i) + ",x\r\n";

    for (const bool hostile : {false, true}) {
        const std::string answer = feedgen::generate(aircraft, hostile, kAirlines, kAirports);
        double parse_best = 1e9, plot_best = 1e9, total_best = 1e9;
        std::size_t rows = 0, types = 0, icons = 0;
        for (int run = 0; run < kRuns; ++run) {
            const auto start = Clock::now();
            const live::ParseResult parsed = live::strp(answer, 100000, airline_table, route_table);
            const double parse = ms_since(start);
            live::PlotState state;
            live::PlotInput in;
            in.traffic_text = parsed.traffic_text;
            in.width = 9000;
            in.height = 6000;
            in.airport_index = 0;
            in.airport = {51.47F, -0.45F};
            in.defaults_list = defaults;
            const auto plot_start = Clock::now();
            const live::Picture picture = live::plot_planes(state, in);
            const double plot = ms_since(plot_start);
            parse_best = std::min(parse_best, parse);
            plot_best = std::min(plot_best, plot);
            total_best = std::min(total_best, parse + plot);
            rows = parsed.rows.size();
            types = parsed.types.size();
            icons = picture.icons.size();
        }
        std::printf(
            "%s answer: %zu aircraft (%zu KB) -> %zu rows, %zu types, %zu icons; "
            "parse %.2f ms, picture %.2f ms, both %.2f ms (best of %d)\n",
            hostile ? "hostile" : "realistic", aircraft, answer.size() / 1024, rows, types, icons,
            parse_best, plot_best, total_best, kRuns);
    }
    return 0;
}
