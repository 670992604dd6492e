#include "airports/airport_list.hpp"

#include <algorithm>
#include <array>

#include "common/text.hpp"

namespace airports {
namespace {

// Spaces are part of the data: the first five names end in one and their numbers start with one.
constexpr std::array<std::string_view, 9> kBuiltin = {
    "Heathrow # 51.4775009155273# -0.461388885974884",
    "Schiphol # 52.3080558776855# 4.76416683197021",
    "Frankfurt # 50.0333061218262# 8.57045555114746",
    "Paris # 49.0097236633301# 2.54777789115906",
    "Madrid # 40.4722213745117# -3.5608332157135",
    "Manchester#53.35388946533203#-2.2750000953674316",
    "Luxembourg#49.62333297729492#6.204444408416748",
    "New York#40.639923095703125#-73.77869415283203",
    "San Francisco#37.618804931640625#-122.37541961669922",
};

Airport cut_line(std::string_view line) {
    const auto parts = common::split(line, "#");
    Airport a;
    a.name = std::string(parts.empty() ? std::string_view() : parts[0]);
    if (parts.size() > 1) a.coords = std::string(parts[1]);
    return a;
}

}  // namespace

const Airport* AirportList::selected_airport() const {
    if (selected < 0 || static_cast<std::size_t>(selected) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(selected)];
}

bool AirportList::any_name_contains(std::string_view text) const {
    return std::any_of(items.begin(), items.end(),
                       [text](const Airport& a) { return common::contains(a.name, text); });
}

AirportList builtin_airports(bool comma_decimal) {
    AirportList list;
    for (std::string_view line : kBuiltin) {
        const std::string text =
            comma_decimal ? common::replace_all(line, ".", ",") : std::string(line);
        const auto parts = common::split(text, "#");
        list.items.push_back(
            {std::string(parts[0]), std::string(parts[1]) + "/" + std::string(parts[2])});
    }
    return list;
}

AirportList parse_airport_file(std::string_view text) {
    AirportList list;
    for (std::string_view line : common::split(text, common::kCrLf)) {
        if (!line.empty()) list.items.push_back(cut_line(line));
    }
    return list;
}

AirportList load_airports(bool comma_decimal, const std::optional<std::string>& airport_file) {
    return airport_file ? parse_airport_file(*airport_file) : builtin_airports(comma_decimal);
}

std::string airport_file_text(const AirportList& list, bool comma_decimal) {
    std::string out;
    for (const Airport& a : list.items) {
        out += a.name;
        out += '#';
        out += comma_decimal ? common::replace_all(a.coords, ",", ".") : a.coords;
        out += common::kCrLf;
    }
    return out;
}

AirportList sorted_airports(std::string_view airport_file) {
    std::vector<std::string_view> lines;
    for (std::string_view line : common::split(airport_file, common::kCrLf)) {
        if (!line.empty()) lines.push_back(line);
    }
    std::stable_sort(lines.begin(), lines.end(), common::less_ignore_case);
    AirportList list;
    list.items.reserve(lines.size());
    for (std::string_view line : lines) list.items.push_back(cut_line(line));
    return list;
}

FindResult find_airport(const AirportList& list, std::string_view text5) {
    const std::string query = common::to_lower(common::trim_spaces(text5));
    if (query.empty()) return {};
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (common::contains_ignore_case(list.items[i].name, query)) {
            return {static_cast<int>(i), std::nullopt};
        }
    }
    return {std::nullopt, std::string(text5).append(kNotFoundSuffix)};
}

Choice choose_airport(const AirportList& list) {
    const Airport* a = list.selected_airport();
    if (a == nullptr) return {};
    if (!common::contains(a->coords, "/")) return {std::nullopt, std::string(kMissingDataMessage)};
    return {a->coords, std::nullopt};
}

bool remove_selected(AirportList& list) {
    if (list.selected_airport() == nullptr) return false;
    list.items.erase(list.items.begin() + list.selected);
    list.selected = -1;
    return true;
}

std::string remove_question(const Airport& airport) {
    return "Remove " + airport.name + "?";
}

}  // namespace airports
