#include "matching/suggestions.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Input: type field, ",", model name, ">", plane spawned (which begins with a space). The type
// is rewritten by rules applied in order, each to what the earlier ones left (E55* E19* A2* to
// "A32", B75 to " 75" keeping its blank, B73 to " 737", A33 A306 "A3  5" to "A33"); the spawned
// name must contain it or its first three characters. Else a first word of 7 characters or
// more without "_" or "-" counts when the type starts with "A" or the word with "B". The model
// name ends at the next comma, the spawned name at the next "> ". Every test respects letter
// case; missing pieces fail their tests quietly.
TEST(GetText4, missingModelOrMissingLivery) {
    for (const char* s : {"B738 ,n> Boeing 737-800", "E190 ,n> Airbus A320", "E55P,n> Airbus A320",
                          "B752,n> Boeing 757-200", "A20N,n> Airbus A320 Neo",
                          "A332,n> Airbus A330", "A306,n> Airbus A330", "B75B73,n> Boeing 757",
                          "A359,n> Airbus A35K", "A3  5,n> Airbus A330", "A321,n> Falcon8 x",
                          "C172,n> Bonanza99 x", "   ,n> x", "B738,Boeing 737> Boeing 737-800"}) {
        EXPECT_EQ(matching::get_text4(s), " Livery?") << s;
    }
    for (const char* s :
         {"B738 ,n> Airbus A320 Neo", "E50P,n> Airbus A320", "B752,n> Cessna 175",
          "B75B73,n> Boeing 737", "A359,n> Airbus A330", "A321,n> Falcon x", "A321,n> Falcon_88 x",
          "A321,n> Falcon-88 x", "C172,n> Skyhawk99 x", ",n", "", "B738", "B738,n>Boeing 737",
          "e190,n> Airbus A320", "A321,n> airbus a321", "B738,Boeing, 737> Boeing 737-800",
          "B738,n> Airbus> Boeing 737"}) {
        EXPECT_EQ(matching::get_text4(s), " Model?") << s;
    }
}

TEST(TypeToModel, laterMatchingRuleWinsTestsRespectCase) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"B38M", "Boeing 737"},        {"B752", "Boeing 787-10"},
        {"A20N", "Airbus 320"},        {"A333", "Airbus 330"},
        {"A359", "Airbus 330"},        {"A306", "Airbus 330"},
        {"B738", "Airbus 320"},        {"", "Airbus 320"},
        {"B38M A33", "Airbus 330"},    {"B75 A20", "Airbus 320"},
        {"B38M B75", "Boeing 787-10"}, {"b38m", "Airbus 320"}};
    for (const auto& [type, model] : cases) EXPECT_EQ(matching::type_to_model(type), model) << type;
}

}  // namespace
