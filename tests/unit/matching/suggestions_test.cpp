#include "matching/suggestions.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using matching::get_text4;
using matching::type_to_model;

// The classifier's input as the parser builds it: type field, ",", model name, ">", plane
// spawned (which begins with a space).
std::string s6(std::string_view type, std::string_view name, std::string_view plane) {
    return std::string(type) + "," + std::string(name) + ">" + std::string(plane);
}

TEST(GetText4, typeRewrittenIntoTheSpawnedName_livery) {
    // B738 becomes " 737", which the stand-in's name contains.
    EXPECT_EQ(get_text4(s6("B738 ", "Boeing 737-800", " Boeing 737-800 (Default Model)")),
              " Livery?");
    // E190 becomes "A32".
    EXPECT_EQ(get_text4(s6("E190 ", "Embraer E190", " Airbus A320 (Default Model)")), " Livery?");
    // E55P: its first three characters turn it into "A32".
    EXPECT_EQ(get_text4(s6("E55P", "Phenom", " Airbus A320 (Default Model)")), " Livery?");
    // B752: " 75" is in "Boeing 757".
    EXPECT_EQ(get_text4(s6("B752", "Boeing 757", " Boeing 757-200 (Default Model)")), " Livery?");
    // Only the first three characters of the rewritten type need to occur.
    EXPECT_EQ(get_text4(s6("A359", "Airbus A350", " Airbus A35K (Default Model)")), " Livery?");
}

TEST(GetText4, nothingInCommonAndAShortFirstWord_model) {
    // " 737" is not in the name and "Airbus" is only six characters long.
    EXPECT_EQ(get_text4(s6("B738 ", "Boeing 737-800", " Airbus A320 Neo (Default Model)")),
              " Model?");
}

TEST(GetText4, rulesApplyInOrderToTheValueLeftBefore) {
    // A20N contains "A2" and becomes "A32"; the stand-in holds "A32".
    EXPECT_EQ(get_text4(s6("A20N", "n", " Airbus A320 Neo")), " Livery?");
    // A332 matches "A33" (not "A2"): stays "A33", which "Airbus A330" holds.
    EXPECT_EQ(get_text4(s6("A332", "n", " Airbus A330")), " Livery?");
    // A306 becomes "A33".
    EXPECT_EQ(get_text4(s6("A306", "n", " Airbus A330")), " Livery?");
    // B75 rewrites first; the B73 rule then sees " 75" and leaves it.
    EXPECT_EQ(get_text4(s6("B75B73", "n", " Boeing 757")), " Livery?");
    EXPECT_EQ(get_text4(s6("B75B73", "n", " Boeing 737")), " Model?");
}

TEST(GetText4, twoSpaceRuleNeverMatchesATypeWithoutSpaces) {
    // A359 stays A359: neither it nor "A35" is in an A330 stand-in, and "Airbus" is short.
    EXPECT_EQ(get_text4(s6("A359", "Airbus A350", " Airbus A330 (Default Model)")), " Model?");
    // With the two spaces inside the type the rule does apply.
    EXPECT_EQ(get_text4(s6("A3  5", "Airbus A350", " Airbus A330 (Default Model)")), " Livery?");
}

TEST(GetText4, longFirstWordOfTheSpawnedName) {
    // Eight letters and digits, and the type starts with "A".
    EXPECT_EQ(get_text4(s6("A321", "Airbus A321", " Falcon88 (Default Model)")), " Livery?");
    // Seven characters is long enough; six is not.
    EXPECT_EQ(get_text4(s6("A321", "n", " Falcon8 x")), " Livery?");
    EXPECT_EQ(get_text4(s6("A321", "n", " Falcon x")), " Model?");
    // "_" or "-" in the word.
    EXPECT_EQ(get_text4(s6("A321", "n", " Falcon_88 x")), " Model?");
    EXPECT_EQ(get_text4(s6("A321", "n", " Falcon-88 x")), " Model?");
    // A type not starting with "A": the word must start with "B".
    EXPECT_EQ(get_text4(s6("C172", "n", " Bonanza99 x")), " Livery?");
    EXPECT_EQ(get_text4(s6("C172", "n", " Skyhawk99 x")), " Model?");
    // The word is the whole rest when it holds no space.
    EXPECT_EQ(get_text4(s6("C172", "n", " Beechcraft")), " Livery?");
}

TEST(GetText4, emptyTypeIsContainedInAnySpawnedName) {
    EXPECT_EQ(get_text4(s6("", "n", " Anything")), " Livery?");
    EXPECT_EQ(get_text4(s6("   ", "n", " x")), " Livery?");
    // Without a spawned name there is nothing to contain it.
    EXPECT_EQ(get_text4(",n"), " Model?");
    EXPECT_EQ(get_text4(""), " Model?");
}

TEST(GetText4, missingPiecesFailTheirTestsQuietly) {
    EXPECT_EQ(get_text4("B738"), " Model?");
    EXPECT_EQ(get_text4("B738,Boeing 737-800"), " Model?");
    EXPECT_EQ(get_text4("B738,Boeing 737-800>Boeing 737"), " Model?");  // no "> "
}

TEST(GetText4, secondPieceEndsAtTheNextComma) {
    // R is only the second piece of the cut at commas, so the "> " after a comma in the model
    // name is never seen.
    EXPECT_EQ(get_text4("B738,Boeing, 737> Boeing 737-800"), " Model?");
    EXPECT_EQ(get_text4("B738,Boeing 737> Boeing 737-800"), " Livery?");
}

TEST(GetText4, spawnedNameEndsAtTheNextGreaterThanSpace) {
    // S is the second piece of R cut at "> ": " 737" after a second "> " is not in it.
    EXPECT_EQ(get_text4("B738,n> Airbus> Boeing 737"), " Model?");
}

TEST(GetText4, testsRespectLetterCase) {
    EXPECT_EQ(get_text4(s6("e190", "n", " Airbus A320")), " Model?");
    EXPECT_EQ(get_text4(s6("A321", "n", " airbus a321")), " Model?");
}

TEST(TypeToModel, documentedExamples) {
    EXPECT_EQ(type_to_model("B38M"), "Boeing 737");
    EXPECT_EQ(type_to_model("B752"), "Boeing 787-10");
    EXPECT_EQ(type_to_model("A20N"), "Airbus 320");
    EXPECT_EQ(type_to_model("A333"), "Airbus 330");
    EXPECT_EQ(type_to_model("A359"), "Airbus 330");
    EXPECT_EQ(type_to_model("A306"), "Airbus 330");
    EXPECT_EQ(type_to_model("B738"), "Airbus 320");
    EXPECT_EQ(type_to_model("A321"), "Airbus 320");
    EXPECT_EQ(type_to_model("E190"), "Airbus 320");
    EXPECT_EQ(type_to_model(""), "Airbus 320");
}

TEST(TypeToModel, laterMatchingRuleWinsAndTestsAreCaseSensitive) {
    EXPECT_EQ(type_to_model("B38M A33"), "Airbus 330");
    EXPECT_EQ(type_to_model("A33 B38M"), "Airbus 330");  // order of the rules, not of the text
    EXPECT_EQ(type_to_model("B75 A20"), "Airbus 320");
    EXPECT_EQ(type_to_model("B38M B75"), "Boeing 787-10");
    EXPECT_EQ(type_to_model("b38m"), "Airbus 320");
}

}  // namespace
