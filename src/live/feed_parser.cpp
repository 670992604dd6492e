#include "live/feed_parser.hpp"

#include "common/substring_index.hpp"
#include "common/text.hpp"
#include "live/feed_request.hpp"

namespace live {
namespace {

constexpr std::string_view kMissing = "---";

// Field numbers of a flight's piece.
enum Field : std::size_t {
    kLat = 2,
    kLon = 3,
    kTrack = 4,
    kAltitude = 5,
    kSpeed = 6,
    kType = 9,
    kRegistration = 10,
    kOrigin = 12,
    kDestination = 13,
    kFlight = 14,
    kCallsign = 17,
};

std::string without_quotes(std::string_view piece) {
    std::string out;
    out.reserve(piece.size());
    for (const char c : piece) {
        if (c != '"') out.push_back(c);
    }
    return out;
}

void append_joined(std::string& out, std::initializer_list<std::string_view> parts, char sep) {
    bool first = true;
    for (const std::string_view part : parts) {
        if (!first) out += sep;
        out += part;
        first = false;
    }
}

}  // namespace

ParseResult strp(std::string_view answer, std::int64_t max_height, const AirlineTable& airlines,
                 const RouteTable& routes) {
    ParseResult result;
    const std::vector<std::string_view> pieces = common::split(answer, "[");
    std::vector<std::string> flights;
    if (pieces.size() > 2) flights.reserve(pieces.size() - 2);
    for (std::size_t i = 2; i < pieces.size(); ++i) flights.push_back(without_quotes(pieces[i]));

    std::vector<std::vector<std::string_view>> fields;
    fields.reserve(flights.size());
    for (const std::string& flight : flights) fields.push_back(common::split(flight, ","));

    // "type#" is looked for as a substring of seen_types, so that a type that ends another one
    // counts as seen, as it always has. The needles are known before the parse, which makes each
    // test a lookup in an automaton fed with seen_types as it grows.
    std::vector<std::string> needle_text;  // one per flight
    needle_text.reserve(fields.size());
    for (std::size_t k = 0; k < fields.size(); ++k) {
        needle_text.push_back(fields[k].size() > kType ? std::string(fields[k][kType]) + '#'
                                                       : std::string());
    }
    const std::vector<std::string_view> needles(needle_text.begin(), needle_text.end());
    common::SubstringIndex seen_types(needles);

    result.rows.reserve(fields.size());
    result.drawable.reserve(fields.size());
    result.traffic_text.reserve(answer.size() / 2);
    std::string route_codes;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        std::vector<std::string_view>& f = fields[k];
        const auto has = [&f](std::size_t n) { return n < f.size(); };

        if (has(kAltitude)) {
            const auto altitude = read_number(f[kAltitude]);
            if (altitude && *altitude > static_cast<double>(max_height)) continue;
        }

        std::string_view airline = kMissing;
        bool found = false;
        if (has(kCallsign)) {
            if (const auto name = airlines.name_for_callsign(f[kCallsign])) {
                airline = *name;
                found = true;
            }
        }
        if (!found && has(kFlight)) f[kFlight] = kMissing;

        // Field 14 is the highest the row and the traffic line read.
        const bool complete = has(kFlight);
        if (complete && !f[kType].empty()) {
            append_joined(result.traffic_text,
                          {f[kLat], f[kLon], f[kTrack], f[kFlight], f[kAltitude], f[kSpeed],
                           f[kType], f[kOrigin], f[kDestination], airline},
                          '#');
            result.traffic_text += common::kCrLf;
        }

        for (const std::size_t n : {kSpeed, kRegistration, kFlight}) {
            if (has(n) && f[n].empty()) f[n] = kMissing;
        }
        if (!has(kType) || f[kType].empty()) continue;

        if (!seen_types.contains(k)) {
            result.types.emplace_back(f[kType]);
            seen_types.append(needle_text[k]);
        }
        if (!complete) continue;

        const std::string_view tabs = f[kRegistration].size() > 8 ? "\t" : "\t\t";
        std::string row;
        row.reserve(96);
        append_joined(row, {f[kAltitude], f[kSpeed], f[kType], f[kRegistration]}, '\t');
        row += tabs;
        append_joined(row, {f[kFlight], f[kOrigin], f[kDestination]}, '\t');
        row += "\t ";
        row += airline;
        route_codes.assign(f[kOrigin]);
        route_codes += ',';
        route_codes += f[kDestination];
        if (const std::string route = routes.get_iata(true, route_codes); !route.empty()) {
            row += '\t';
            row += route;
        }
        result.drawable.push_back(read_number(f[kLat]) && read_number(f[kLon]) &&
                                  read_number(f[kTrack]));
        result.rows.push_back(std::move(row));
    }
    result.s1 = result.rows.empty() ? std::string(answer) : result.rows.back();
    return result;
}

}  // namespace live
