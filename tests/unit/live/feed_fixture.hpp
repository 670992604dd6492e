#pragma once
// Feed answers in the array form, built from one default flight with chosen fields changed.

#include <map>
#include <string>
#include <vector>

namespace live_test {

using Fields = std::map<int, std::string>;

// Field n of the default flight, quoted where the feed quotes it.
inline std::vector<std::string> default_fields() {
    return {"\"2f1a\"",   "\"4CA1\"", "51.47",    "-0.45",       "90",         "1000",    "140",
            "\"1234\"",   "\"T-1\"",  "\"A320\"", "\"G-EUUA\"",  "1700000000", "\"LHR\"", "\"EDI\"",
            "\"BA1432\"", "0",        "0",        "\"BAW1432\"", "0"};
}

// One flight's array; fields past `count` are dropped, so short pieces can be made.
inline std::string flight(const Fields& changes = {}, std::size_t count = 19) {
    std::vector<std::string> f = default_fields();
    for (const auto& [n, value] : changes) f[static_cast<std::size_t>(n)] = value;
    f.resize(count);
    std::string out = "[";
    for (std::size_t i = 0; i < f.size(); ++i) out += (i ? "," : "") + f[i];
    return out + "]";
}

inline std::string answer(const std::vector<std::string>& flights) {
    std::string out =
        "{\"full_count\":" + std::to_string(flights.size()) + ",\"version\":4,\"aircraft\":[";
    for (std::size_t i = 0; i < flights.size(); ++i) out += (i ? "," : "") + flights[i];
    return out + "]}";
}

}  // namespace live_test
