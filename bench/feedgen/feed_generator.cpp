#include "feed_generator.hpp"

#include <iterator>
#include <random>

#include "common/text.hpp"

namespace feedgen {

std::string code3(std::size_t n) {
    std::string code(3, 'A');
    for (std::size_t k = 3; k-- > 0; n /= 26) code[k] = static_cast<char>('A' + n % 26);
    return code;
}

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

std::string airlines_file(std::size_t count) {
    return common::replace_all(airlines_text(count), "\r\n", "\x1b\x1c");
}

}  // namespace feedgen
