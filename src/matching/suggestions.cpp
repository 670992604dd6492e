#include "matching/suggestions.hpp"

#include <array>
#include <utility>

#include "common/text.hpp"

namespace matching {
namespace {

using common::contains;

// Type-code rewrites, applied in order, each to the value the earlier rules left.
std::string apply_livery_rules(std::string t) {
    if (t.substr(0, 3) == "E55") t = "A32";
    if (contains(t, "B75")) t = " 75";
    if (contains(t, "B73")) t = " 737";
    if (contains(t, "A2")) t = "A32";
    if (contains(t, "A33")) t = "A33";
    if (contains(t, "A3  5")) t = "A33";
    if (contains(t, "A306")) t = "A33";
    if (contains(t, "E19")) t = "A32";
    return t;
}

}  // namespace

std::string get_text4(std::string_view s6) {
    constexpr std::string_view kLivery = " Livery?";
    const auto comma = s6.find(',');
    const std::string_view type_piece = s6.substr(0, comma);
    const bool has_rest = comma != std::string_view::npos;
    std::string_view rest;
    if (has_rest) {
        rest = s6.substr(comma + 1);
        rest = rest.substr(0, rest.find(','));  // the second piece of the cut at commas
    }

    const auto gt = has_rest ? rest.find("> ") : std::string_view::npos;
    const bool has_spawned = gt != std::string_view::npos;
    std::string_view spawned;
    if (has_spawned) {
        spawned = rest.substr(gt + 2);
        spawned = spawned.substr(0, spawned.find("> "));
    }

    const std::string t = apply_livery_rules(std::string(common::trim_spaces(type_piece)));
    if (has_spawned) {
        if (contains(spawned, t)) return std::string(kLivery);
        if (contains(spawned, std::string_view(t).substr(0, 3))) return std::string(kLivery);
    }
    if (has_spawned) {
        std::string_view w = rest.substr(gt + 2);
        w = w.substr(0, w.find(' '));
        const bool long_word = w.size() >= 7 && !contains(w, "_") && !contains(w, "-");
        if (long_word && (t.starts_with('A') || w.starts_with('B'))) return std::string(kLivery);
    }
    return " Model?";
}

std::string type_to_model(std::string_view a0) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kRules{{
        {"B38M", "Boeing 737"},
        {"B75", "Boeing 787-10"},
        {"A20", "Airbus 320"},
        {"A33", "Airbus 330"},
        {"A35", "Airbus 330"},
        {"A306", "Airbus 330"},
    }};
    std::string name;
    for (const auto& [code, model] : kRules) {
        if (contains(a0, code)) name = model;
    }
    return name.empty() ? "Airbus 320" : name;
}

}  // namespace matching
