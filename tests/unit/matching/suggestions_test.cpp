#include "matching/suggestions.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// The classifier's input as the parser builds it: type field, ",", model name, ">", plane
// spawned (which begins with a space).
std::string s6(std::string_view type, std::string_view plane, std::string_view name = "n") {
    return std::string(type) + "," + std::string(name) + ">" + std::string(plane);
}

TEST(GetText4, missingModelOrMissingLivery) {
    const std::string livery = " Livery?", model = " Model?";
    const std::vector<std::pair<std::string, std::string>> cases = {
        // B738 becomes " 737", which the spawned name contains.
        {s6("B738 ", " Boeing 737-800 (Default Model)", "Boeing 737-800"), livery},
        // Neither " 737" nor " 73" in the name, and "Airbus" is shorter than 7 characters.
        {s6("B738 ", " Airbus A320 Neo (Default Model)", "Boeing 737-800"), model},
        // E190 and E55P become "A32"; B752 becomes " 75"; A20N "A32"; A332 stays "A33" (not
        // the "A2" rule); A306 "A33".
        {s6("E190 ", " Airbus A320 (Default Model)"), livery},
        {s6("E55P", " Airbus A320 (Default Model)"), livery},
        {s6("E50P", " Airbus A320 (Default Model)"), model},  // only "E55" types
        {s6("B752", " Cessna 175 (Default Model)"), model},   // " 75" keeps its blank
        {s6("B752", " Boeing 757-200 (Default Model)"), livery},
        {s6("A20N", " Airbus A320 Neo"), livery},
        {s6("A332", " Airbus A330"), livery},
        {s6("A306", " Airbus A330"), livery},
        // Each rule tests what the rules before it left: B75 first, then B73 sees " 75".
        {s6("B75B73", " Boeing 757"), livery},
        {s6("B75B73", " Boeing 737"), model},
        // Only the first three characters of the rewritten type need to occur.
        {s6("A359", " Airbus A35K (Default Model)"), livery},
        // "A3  5" never matches a type without spaces.
        {s6("A359", " Airbus A330 (Default Model)"), model},
        {s6("A3  5", " Airbus A330 (Default Model)"), livery},
        // The first word of the spawned name: 7 characters or more, no "_" or "-", and the
        // type starts with "A" or the word with "B".
        {s6("A321", " Falcon88 (Default Model)"), livery},
        {s6("A321", " Falcon8 x"), livery},
        {s6("A321", " Falcon x"), model},
        {s6("A321", " Falcon_88 x"), model},
        {s6("A321", " Falcon-88 x"), model},
        {s6("C172", " Bonanza99 x"), livery},
        {s6("C172", " Skyhawk99 x"), model},
        {s6("C172", " Beechcraft"), livery},
        // An empty type is in any spawned name; without one there is nothing to contain it.
        {s6("", " Anything"), livery},
        {s6("   ", " x"), livery},
        {",n", model},
        {"", model},
        // Missing pieces fail their tests quietly.
        {"B738", model},
        {"B738,Boeing 737-800", model},
        {"B738,Boeing 737-800>Boeing 737", model},  // no "> "
        // The rest ends at the next comma; the spawned name at the next "> ".
        {"B738,Boeing, 737> Boeing 737-800", model},
        {"B738,Boeing 737> Boeing 737-800", livery},
        {"B738,n> Airbus> Boeing 737", model},
        // Every test respects letter case.
        {s6("e190", " Airbus A320"), model},
        {s6("A321", " airbus a321"), model},
    };
    for (const auto& [input, want] : cases) EXPECT_EQ(matching::get_text4(input), want) << input;
}

TEST(TypeToModel, laterMatchingRuleWinsTestsRespectCase) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"B38M", "Boeing 737"},    {"B752", "Boeing 787-10"},     {"A20N", "Airbus 320"},
        {"A333", "Airbus 330"},    {"A359", "Airbus 330"},        {"A306", "Airbus 330"},
        {"B738", "Airbus 320"},    {"A321", "Airbus 320"},        {"E190", "Airbus 320"},
        {"", "Airbus 320"},        {"B38M A33", "Airbus 330"},    {"A33 B38M", "Airbus 330"},
        {"B75 A20", "Airbus 320"}, {"B38M B75", "Boeing 787-10"}, {"b38m", "Airbus 320"},
    };
    for (const auto& [type, model] : cases) EXPECT_EQ(matching::type_to_model(type), model) << type;
}

}  // namespace
