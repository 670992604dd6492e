// Measures the airport editor's first search (read the lookup file, unscramble it whole, find a
// code, a place and a name) and a 5,000-airport list loaded from its file, sorted and saved, as
// the window runs them. Times are the best of several runs.
//
// skelvar-airports-bench [AZ5]   (default: the build's shipped system/az5; a generated table of
//                                 the same size when it is missing)

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "airports/airport_editor.hpp"
#include "airports/airport_list.hpp"
#include "airports/lookup_file.hpp"
#include "common/file_io.hpp"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;

double ms_since(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::string random_word(std::mt19937& rng, int n) {
    std::string w;
    for (int i = 0; i < n; ++i) w.push_back(static_cast<char>('a' + rng() % 26));
    w[0] = static_cast<char>(w[0] - 'a' + 'A');
    return w;
}

// About as many records as the shipped table, with Heathrow near the end.
std::string generated_lookup() {
    std::mt19937 rng(7);
    std::string text = "0,0,Lookup,ZZZZ";
    for (int i = 0; i < 70000; ++i) {
        text += "#" + std::to_string(rng() % 90) + ".123456," + std::to_string(rng() % 180) +
                ".654321," + random_word(rng, 8) + " " + random_word(rng, 6) + " Airport," +
                random_word(rng, 4);
    }
    text += "#51.4706,-0.461941,London Heathrow Airport,EGLL,LHR";
    return airports::scramble_lookup(text);
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / "skelvar-airports-bench";
    fs::create_directories(folder);
    std::string az5 = argc > 1 ? argv[1] : SKELVAR_SHIPPED_LOOKUP;
    if (!fs::exists(az5)) {
        az5 = (folder / "az5").string();
        if (!common::write_file_atomic(az5, generated_lookup())) return 1;
        std::printf("lookup file: generated (no shipped table)\n");
    }
    std::printf("lookup file: %s, %.1f MB\n", az5.c_str(),
                static_cast<double>(fs::file_size(az5)) / 1e6);

    double best_search = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = Clock::now();
        const std::string text = airports::scramble_lookup(common::read_file(az5));
        int offered = 0;
        for (const char* query : {"EGLL", "lhr", "Heathrow"}) {
            airports::EditorBoxes boxes{query, {}, {}};
            airports::search_lookup(
                text, {}, boxes,
                [&](const airports::Candidate&, const std::string&) {
                    ++offered;
                    return airports::CandidateAnswer::Cancel;
                },
                [](const std::string&) {});
        }
        best_search = std::min(best_search, ms_since(t0));
        if (offered != 3) std::printf("warning: %d of 3 searches offered an airport\n", offered);
    }
    std::printf("read + unscramble + find EGLL, LHR, Heathrow: %.1f ms (target 30 ms)\n",
                best_search);

    std::mt19937 rng(11);
    airports::AirportList list;
    for (int i = 0; i < 5000; ++i) {
        list.items.push_back({random_word(rng, 10) + " " + random_word(rng, 7),
                              std::to_string(rng() % 90) + ".4775009155273/-" +
                                  std::to_string(rng() % 180) + ".461388885974884"});
    }
    const std::string airplst = (folder / "airplst").string();
    if (!common::savetext(airplst, airports::airport_file_text(list, false))) return 1;
    double best_list = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = Clock::now();
        const airports::AirportList loaded =
            airports::load_airports(false, common::read_file(airplst));
        const airports::AirportList sorted = airports::sorted_airports(common::read_file(airplst));
        const bool saved = static_cast<bool>(
            common::savetext(airplst, airports::airport_file_text(sorted, false)));
        best_list = std::min(best_list, ms_since(t0));
        if (!saved || loaded.items.size() != 5000 || sorted.items.size() != 5000) return 1;
    }
    std::printf("5,000 airports: load + sort + save: %.1f ms (target 50 ms)\n", best_list);
    fs::remove_all(folder);
    return 0;
}
