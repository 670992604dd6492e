#pragma once
// The airline and route look-ups as plain first-occurrence searches over the whole table text,
// which the indexed tables must match byte for byte.

#include <optional>
#include <string>
#include <string_view>

namespace live_test {

inline std::optional<std::string> airline_by_scan(std::string_view text,
                                                  std::string_view callsign) {
    if (callsign.size() < 3) return std::nullopt;
    const std::size_t p = text.find(std::string(callsign.substr(0, 3)) + ",");
    if (p == std::string_view::npos) return std::nullopt;
    const std::string_view rest = text.substr(p + 4);
    const std::size_t lf = rest.find('\n');
    if (lf == std::string_view::npos) return "-";
    std::string name;
    for (const char c : rest.substr(0, lf)) {
        if (c != '\r') name += c;
    }
    return name;
}

inline std::string place_by_scan(std::string_view text, std::string_view code) {
    const std::size_t p = text.find("," + std::string(code));
    if (p == std::string_view::npos) return "";
    const std::size_t lf = text.rfind('\n', p);
    const std::size_t start = lf == std::string_view::npos ? 0 : lf + 1;
    std::string_view name = text.substr(start, p - start);
    name = name.substr(0, name.find(','));
    name = name.substr(0, name.find('('));
    name = name.substr(0, name.find('-'));
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return std::string(name);
}

inline std::string get_iata_by_scan(std::string_view text, bool aa, std::string_view s2) {
    const std::size_t comma = s2.find(',');
    const std::string_view from = s2.substr(0, comma);
    const std::string_view to = s2.substr(comma + 1);
    if (from.empty() || to.empty()) return "";
    std::string route = place_by_scan(text, from);
    if (text.find("," + std::string(to)) == std::string_view::npos) return route;
    route += "-" + place_by_scan(text, to);
    return aa ? "(" + route + ")" : route;
}

}  // namespace live_test
