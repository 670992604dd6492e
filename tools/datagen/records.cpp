#include "records.hpp"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <system_error>

#include "text_encoding.hpp"

namespace datagen {

namespace {

using Json = nlohmann::json;

std::string text_of(const Json& object, const char* key) {
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool upper_letters(std::string_view s, std::size_t length) {
    return s.size() == length &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::optional<double> number_of(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// Shortest text that reads back as the same double, always with "." and never in exponent form.
std::string decimal_text(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::optional<AirportKind> kind_of(std::string_view type) {
    if (type == "large_airport") return AirportKind::Large;
    if (type == "medium_airport") return AirportKind::Medium;
    if (type == "small_airport") return AirportKind::Small;
    return std::nullopt;
}

bool is_generic_word(std::string_view word) {
    static const std::set<std::string, std::less<>> kGeneric = {
        "airport",  "international", "regional", "municipal", "airfield", "aerodrome",
        "air",      "base",          "field",    "county",    "national", "domestic",
        "airstrip", "and",           "the",      "del",       "airpark",  "intl"};
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return kGeneric.count(lower) != 0;
}

bool starts_with_letter(std::string_view word) {
    const auto c = static_cast<unsigned char>(word.front());
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0;
}

}  // namespace

std::vector<Airline> airlines_from_json(std::string_view json) {
    std::vector<Airline> out;
    std::set<std::string, std::less<>> seen;
    for (const auto& entry : Json::parse(json)) {
        const std::string code = text_of(entry, "icao");
        if (text_of(entry, "active") != "Y" || !upper_letters(code, 3) || seen.count(code)) {
            continue;
        }
        std::string name = clean_field(text_of(entry, "name"), ",");
        if (name.empty()) continue;
        seen.insert(code);
        out.push_back({code, std::move(name)});
    }
    std::sort(out.begin(), out.end(),
              [](const Airline& a, const Airline& b) { return a.code < b.code; });
    return out;
}

std::vector<Airport> airports_from_json(std::string_view json) {
    std::vector<Airport> out;
    for (const auto& entry : Json::parse(json)) {
        const auto kind = kind_of(text_of(entry, "type"));
        const auto latitude = number_of(text_of(entry, "latitude_deg"));
        const auto longitude = number_of(text_of(entry, "longitude_deg"));
        if (!kind || !latitude || !longitude) continue;
        Airport airport;
        airport.kind = *kind;
        const std::string ident = text_of(entry, "ident");
        const std::string gps = text_of(entry, "gps_code");
        airport.code = upper_letters(ident, 4) ? ident : upper_letters(gps, 4) ? gps : ident;
        airport.code = clean_field(airport.code, ",#");
        if (airport.code.empty()) continue;
        const std::string iata = text_of(entry, "iata_code");
        if (upper_letters(iata, 3)) airport.iata = iata;
        airport.name = text_of(entry, "name");
        airport.municipality = text_of(entry, "municipality");
        airport.latitude = *latitude;
        airport.longitude = *longitude;
        out.push_back(std::move(airport));
    }
    std::stable_sort(out.begin(), out.end(), [](const Airport& a, const Airport& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.code < b.code;
    });
    return out;
}

std::string airlines_file(const std::vector<Airline>& airlines) {
    std::string out;
    for (const auto& airline : airlines) {
        out += airline.code;
        out += ',';
        out += airline.name;
        out += "\x1b\x1c";
    }
    return out;
}

std::string place_name(const Airport& airport) {
    // "-" and "(" would cut the name short; "," would end it.
    constexpr std::string_view kCuts = ",-()";
    std::string place = clean_field(airport.municipality, kCuts);
    if (place.empty()) place = clean_field(airport.name, kCuts);
    return place.empty() ? airport.iata : place;
}

std::string iata_file(const std::vector<Airport>& airports) {
    std::string out;
    std::set<std::string, std::less<>> seen;
    for (const auto& airport : airports) {
        if (airport.iata.empty() || !seen.insert(airport.iata).second) continue;
        const std::string place = place_name(airport);
        const std::string name = clean_field(airport.name, ",()");
        out += place;
        if (!name.empty() && name != place) out += " (" + name + ")";
        out += ',';
        out += airport.iata;
        out += "\r\n";
    }
    return out;
}

std::string lookup_text(const std::vector<Airport>& airports) {
    constexpr std::string_view kSeparators = ",#";
    std::string out = "#";
    for (const auto& airport : airports) {
        std::string name = clean_field(airport.name, kSeparators);
        if (name.empty()) name = airport.code;
        out += decimal_text(airport.latitude) + ',' + decimal_text(airport.longitude) + ',' + name +
               ',' + airport.code + ',' + airport.iata;

        // Words a user may type that do not already start a field.
        std::set<std::string, std::less<>> fields = {name, airport.code, airport.iata};
        auto add_field = [&](const std::string& word) {
            if (word.empty() || name.rfind(word, 0) == 0 || !fields.insert(word).second) return;
            out += ',';
            out += word;
        };
        add_field(clean_field(airport.municipality, kSeparators));
        std::size_t start = 0;
        while (start < name.size()) {
            std::size_t end = name.find_first_of(" /", start);
            if (end == std::string::npos) end = name.size();
            const std::string word = name.substr(start, end - start);
            if (word.size() >= 3 && starts_with_letter(word) && !is_generic_word(word)) {
                add_field(word);
            }
            start = end + 1;
        }
        out += '#';
    }
    return out;
}

}  // namespace datagen
