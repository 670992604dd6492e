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
#include <random>
#include <string>
#include <vector>

#include "live/airline_table.hpp"
#include "live/feed_parser.hpp"
#include "live/route_lookup.hpp"
#include "live/traffic_picture.hpp"

namespace {

using Clock = std::chrono::steady_clock;

std::string code3(std::size_t n) {
    std::string code(3, 'A');
    for (std::size_t k = 3; k-- > 0; n /= 26) code[k] = static_cast<char>('A' + n % 26);
    return code;
}

// Airline k has code code3(k * 2 + 1), so half of all codes are unknown (private aircraft).
std::string airlines_text(std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        text += code3(k * 2 + 1) + ",Synthetic Airline " + std::to_string(k) + " Airways\r\n";
    }
    return text;
}

std::string iata_text(std::size_t count) {
    std::string text;
    for (std::size_t k = 0; k < count; ++k) {
        text += "Place " + std::to_string(k) + " (Airport " + std::to_string(k) + "),Country " +
                std::to_string(k % 200) + "," + code3(k) + ",K" + code3(k) + "\r\n";
    }
    return text;
}

std::string generate(std::size_t aircraft, bool hostile, std::size_t airlines,
                     std::size_t airports) {
    static const char* kTypes[] = {"A20N", "A319", "A320", "A321", "A332", "A359", "B38M",
                                   "B738", "B77W", "B789", "E190", "CRJ9", "AT76", "DH8D"};
    std::mt19937 rng(5150);
    std::uniform_real_distribution<double> offset(-0.3, 0.3);
    std::string text =
        "{\"full_count\":" + std::to_string(aircraft) + ",\"version\":4,\"aircraft\":[";
    for (std::size_t i = 0; i < aircraft; ++i) {
        const std::string n = std::to_string(i);
        const std::string type = hostile ? "T" + n : kTypes[rng() % std::size(kTypes)];
        const std::string airline =
            hostile ? code3(airlines * 2 + i) : code3((rng() % airlines) * 2 + 1 + rng() % 2);
        const std::string from = code3(hostile ? i % airports : rng() % 300);
        const std::string to = code3(hostile ? (airports - 1 - i % airports) : rng() % 300);
        const std::string pad = hostile ? std::string(200, 'x') : "";
        text += std::string(i ? "," : "") + "[\"" + n + "\",\"4CA" + n + "\"," +
                std::to_string(51.47 + offset(rng)) + "," + std::to_string(-0.45 + offset(rng)) +
                "," + std::to_string(rng() % 360) + "," + std::to_string(rng() % 40000) + "," +
                std::to_string(rng() % 500) + ",\"1234\",\"T-RADAR" + pad + "\",\"" + type +
                "\",\"G-" + n + "\",1700000000,\"" + from + "\",\"" + to + "\",\"" + airline + n +
                "\",0,0,\"" + airline + n + "\",0]";
    }
    return text + "]}";
}

double ms_since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t aircraft = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1500;
    constexpr std::size_t kAirlines = 6000, kAirports = 9000;
    constexpr int kRuns = 7;
    const std::string airlines = airlines_text(kAirlines);
    const std::string iata = iata_text(kAirports);

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
        const std::string answer = generate(aircraft, hostile, kAirlines, kAirports);
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
