#include "logs/log_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.hpp"
#include "common/text.hpp"
#include "log_generator.hpp"
#include "logs/result_lists.hpp"
#include "matching/suggestions.hpp"
#include "test_paths.hpp"

namespace {

using testing_support::data_path;

logs::ParseResult parse(std::string_view text, std::int64_t header_twips = 195) {
    logs::ParseOptions options;
    options.get_text4 = &matching::get_text4;
    options.header_height_twips = header_twips;
    return logs::get_list4(text, options);
}

std::string fixture(const std::string& name) {
    std::string text = common::read_file(data_path("logs/" + name));
    EXPECT_FALSE(text.empty()) << "missing fixture " << name;
    return text;
}

// Records text as one string per record (the text after the last CR LF is not a record).
std::vector<std::string> records_of(const logs::ParseResult& r) {
    std::vector<std::string> out;
    for (auto row : common::split(r.records_text(), "\r\n")) out.emplace_back(row);
    if (!out.empty()) {
        EXPECT_EQ(out.back(), "") << "records text must end with CR LF";
        out.pop_back();
    }
    return out;
}

// ---- Building logs in code -------------------------------------------------------------------

constexpr std::string_view kStamp = "2024-05-01 14:03:27.123 +01:00";

std::string info(std::string_view text) {
    return std::string(kStamp) + " [INF] " + std::string(text);
}
std::string warn(std::string_view text) {
    return std::string(kStamp) + " [WRN] " + std::string(text);
}

std::string crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines) out.append(l).append("\r\n");
    return out;
}

// One spawn group in the usual line order.
struct Group {
    std::string name = "Boeing 737-800";
    std::string type = "B738";
    std::string livery = "Ryanair";
    std::string airline = "RYR";
    std::string title = "Boeing 737-800 Ryanair";
    std::string ref = "FR1";
    std::string callsign = "RYR1";
    bool failure = false;  // a "failed to model" line before the "matched" line
};

std::string mm_line(const Group& g) {
    return info("Model matching: " + g.name + " with airline: " + g.airline);
}
std::string matched_line(const Group& g) {
    return info("Aircraft matched type: " + g.type + " with: " + g.livery +
                " airline: " + g.airline + ", " + g.title);
}
std::string spawn_line(std::string_view ref) {
    return info("Spawned AI plane " + std::string(ref) + " lat: 50.0333 lon: 8.5706");
}
std::string setting_line(std::string_view callsign) {
    return info("Setting flight plan for " + std::string(callsign));
}
std::string failure_line() {
    return warn("Failed to model match, using a default model");
}

std::string group_text(const Group& g) {
    std::string out = crlf({mm_line(g), info("Got data for " + g.callsign)});
    if (g.failure) out += crlf({failure_line()});
    out += crlf({matched_line(g), spawn_line(g.ref), setting_line(g.callsign)});
    return out;
}

std::string log_of(const std::vector<Group>& groups) {
    std::string out = crlf({info("Connected to the simulator")});
    for (const auto& g : groups) out += group_text(g);
    return out;
}

std::string record_of(const Group& g) {
    return "14:03," + g.ref + "," + g.type + " , " + g.airline + "," + g.name + ", " + g.title +
           (g.failure ? " (Default Model)" : "") + "," + g.callsign;
}

// ---- Fixtures ----------------------------------------------------------------------------------

const char* const kTwoGroupsRecords =
    "14:05,LH1234,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234\r\n"
    "14:03,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n";

TEST(LogParserFixtures, twoGroups_secondGroupsRecordFirst) {
    const auto r = parse(fixture("two_groups.txt"));
    EXPECT_EQ(r.records_text(), kTwoGroupsRecords);
    EXPECT_EQ(r.record_count, 2);
    EXPECT_EQ(r.fail_count, 0);
    EXPECT_EQ(r.defaults_list, "");
    EXPECT_TRUE(r.suggestions.empty());
    EXPECT_TRUE(r.suggestion_models.empty());
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(r.failed_steps, 0);
    EXPECT_EQ(logs::failed_steps_message(r), "");
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);
}

TEST(LogParserFixtures, failureBeforeMatched_defaultModelListedOnce) {
    const auto r = parse(fixture("failure_before_matched.txt"));
    EXPECT_EQ(r.records_text(),
              "09:31,LH1234,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234\r\n"
              "09:25,FR8431,B738 , RYR,Boeing 737-800, Airbus A320 Neo Standard (Default "
              "Model),RYR8431\r\n"
              "09:10,FR8431,B738 , RYR,Boeing 737-800, Airbus A320 Neo Standard (Default "
              "Model),RYR8431\r\n");
    EXPECT_EQ(r.record_count, 3);
    EXPECT_EQ(r.fail_count, 2);  // "Failed To Model" and "FAILED TO MODEL" both count
    EXPECT_EQ(r.defaults_list, "FR8431#RYR8431,");
    // B738 becomes " 737", which the stand-in's name lacks; "Airbus" is too short a word.
    EXPECT_EQ(r.suggestions, std::vector<std::string>{" Model?:B738,RYR"});
    EXPECT_EQ(
        r.suggestion_models,
        std::vector<std::string>{"Boeing 737-800 >  Airbus A320 Neo Standard (Default Model)"});
}

TEST(LogParserFixtures, spawnLineBetweenFailureAndMatched_clearsTheFlag) {
    const auto r = parse(fixture("spawn_clears_flag.txt"));
    EXPECT_EQ(r.records_text(),
              "10:00,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n");
    EXPECT_EQ(r.fail_count, 1);
    EXPECT_EQ(r.defaults_list, "");
    EXPECT_TRUE(r.suggestions.empty());
}

TEST(LogParserFixtures, missingSpawnOrSetting_repeatsPreviousGroupsValue) {
    const auto r = parse(fixture("carry_over.txt"));
    EXPECT_EQ(r.records_text(),
              "11:04,BA304,A321 , BAW,Airbus A321, Airbus A321 British Airways,DLH1234\r\n"
              "11:02,FR8431,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234\r\n"
              "11:00,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n");
}

TEST(LogParserFixtures, missingWithAirline_stopsWithRecordsSoFar) {
    const auto r = parse(fixture("missing_with_airline.txt"));
    EXPECT_TRUE(r.stopped_early);
    EXPECT_EQ(r.records_text(),
              "12:00,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n");
    EXPECT_EQ(r.record_count, 1);
    EXPECT_EQ(r.fail_count, 0);  // the failure line of the group after the stop is never read
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);
}

TEST(LogParserFixtures, block0WithMatchedAndNoWithAirline_givesNoRecords) {
    const auto r = parse(fixture("block0_matched.txt"));
    EXPECT_TRUE(r.stopped_early);
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
}

TEST(LogParserFixtures, timeStampWithoutZone_oneFailedStepTimeStill1403) {
    const auto r = parse(fixture("time_without_zone.txt"));
    EXPECT_EQ(r.records_text(),
              "14:03,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n");
    EXPECT_EQ(r.failed_steps, 1);
    ASSERT_EQ(r.failed_step_descriptions.size(), 1u);
    const std::string message = logs::failed_steps_message(r);
    EXPECT_NE(message, "");
    EXPECT_NE(message.find(r.failed_step_descriptions[0]), std::string::npos);
}

TEST(LogParserFixtures, warningOrErrorFirstLine_timeFromThatLineAlone) {
    const auto r = parse(fixture("first_line_warning.txt"));
    EXPECT_EQ(r.records_text(),
              "14:05,LH1234,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234\r\n"
              "14:03,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431\r\n");
    EXPECT_EQ(r.failed_steps, 0);
}

TEST(LogParserFixtures, crOnlyLineEnds_sameRecordsAsCrLf) {
    const std::string text = fixture("cr_only_line_ends.txt");
    ASSERT_EQ(text.find('\n'), std::string::npos);
    const auto r = parse(text);
    EXPECT_EQ(r.records_text(), kTwoGroupsRecords);
    EXPECT_EQ(r.failed_steps, 0);
}

TEST(LogParserFixtures, lfOnlyLineEnds_readAsCrLf) {
    const std::string text = fixture("lf_only_line_ends.txt");
    ASSERT_EQ(text.find('\r'), std::string::npos);
    const auto r = parse(text);
    EXPECT_EQ(r.records_text(), kTwoGroupsRecords);
    EXPECT_EQ(r.failed_steps, 0);
}

// ---- Line ends -------------------------------------------------------------------------------

TEST(NormalizeLineEnds, onlyAnLfOnlyTextIsConverted) {
    std::string storage;
    EXPECT_EQ(logs::normalize_line_ends("a\nb\n\nc", storage), "a\r\nb\r\n\r\nc");
    // One CR anywhere means the log has its own line ends: leave every byte alone.
    EXPECT_EQ(logs::normalize_line_ends("a\nb\r\nc", storage), "a\nb\r\nc");
    EXPECT_EQ(logs::normalize_line_ends("a\rb", storage), "a\rb");
    EXPECT_EQ(logs::normalize_line_ends("no line end", storage), "no line end");
    EXPECT_EQ(logs::normalize_line_ends("", storage), "");
}

// ---- Group cutting -------------------------------------------------------------------------

TEST(LogParserGroups, emptyLog_noRecordsAndNoStop) {
    const auto r = parse("");
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
    EXPECT_EQ(r.fail_count, 0);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);
}

TEST(LogParserGroups, groupWithoutMatched_skippedEvenWithoutWithAirline) {
    Group a;
    const std::string text =
        log_of({a}) + crlf({info("Model matching: no airline here"), info("Got data for RYR2")}) +
        group_text(Group{.ref = "FR3", .callsign = "RYR3"});
    const auto r = parse(text);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(r.record_count, 2);
    EXPECT_EQ(records_of(r),
              (std::vector<std::string>{record_of(Group{.ref = "FR3", .callsign = "RYR3"}),
                                        record_of(a)}));
}

TEST(LogParserGroups, stopAfterManyRecords_noFinishingSteps) {
    std::vector<Group> groups(30);
    for (std::size_t i = 0; i < groups.size(); ++i) groups[i].ref = "FR" + std::to_string(i);
    const std::string text =
        log_of(groups) + crlf({info("Model matching: Boeing 777 for BAW"), matched_line(Group{})}) +
        group_text(Group{.ref = "LATE"});
    const auto r = parse(text);
    EXPECT_TRUE(r.stopped_early);
    EXPECT_EQ(r.record_count, 30);
    EXPECT_EQ(records_of(r).size(), 30u);
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);
    EXPECT_EQ(r.records_text().find("LATE"), std::string::npos);
}

TEST(LogParserGroups, block0WithAirlineAndMatched_givesARecordOfItsOwn) {
    // The text before the first marker is a group like any other.
    const std::string text = crlf({"..Boeing 757 with airline: DHK",
                                   info("Aircraft matched type: B752 with: DHL airline: DHK, "
                                        "Boeing 757-200 DHL"),
                                   spawn_line("D0100"), setting_line("DHK100")}) +
                             group_text(Group{});
    const auto r = parse(text);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(records_of(r), (std::vector<std::string>{
                                 record_of(Group{}),
                                 "14:03,D0100,B752 , DHK,Boeing 757, Boeing 757-200 DHL,DHK100"}));
}

TEST(LogParserGroups, lineZero_dropsTwoCharactersAndTrimsTheName) {
    const std::string text = crlf({info("Model matching:X   Boeing 737-800   with airline: RYR"),
                                   matched_line(Group{}), spawn_line("FR1"), setting_line("RYR1")});
    EXPECT_EQ(records_of(parse(text)), std::vector<std::string>{record_of(Group{})});
    // Only the two characters after the marker go, whatever they are.
    const std::string glued =
        crlf({info("Model matchingBoeing with airline: RYR"), matched_line(Group{}),
              spawn_line("FR1"), setting_line("RYR1")});
    EXPECT_EQ(records_of(parse(glued)),
              std::vector<std::string>{"14:03,FR1,B738 , RYR,eing, Boeing 737-800 Ryanair,RYR1"});
}

TEST(LogParserGroups, matchedOnlyInLineZero_carriesThePreviousModelText) {
    Group a;
    const std::string text =
        log_of({a}) + crlf({info("Model matching: unmatched model with airline: DLH"),
                            spawn_line("LH9"), setting_line("DLH9")});
    EXPECT_EQ(
        records_of(parse(text)),
        (std::vector<std::string>{
            "14:03,LH9,B738 , RYR,unmatched model, Boeing 737-800 Ryanair,DLH9", record_of(a)}));
}

// ---- Time ----------------------------------------------------------------------------------

std::string time_of(const std::string& first_line) {
    const std::string text =
        crlf({info("Model matching: Boeing 737-800 with airline: RYR"), first_line,
              matched_line(Group{}), spawn_line("FR1"), setting_line("RYR1")});
    const auto recs = records_of(parse(text));
    EXPECT_EQ(recs.size(), 1u);
    return recs.empty() ? std::string("?") : recs[0].substr(0, recs[0].find(','));
}

TEST(LogParserTime, hourAndMinuteOfTheFirstLineAfterTheMarkerLine) {
    EXPECT_EQ(time_of("2024-05-01 14:03:27.123 +01:00 [INF] Got data"), "14:03");
    EXPECT_EQ(time_of("2024-12-31 23:59:59.999 -05:00 [INF] Got data"), "23:59");
    EXPECT_EQ(time_of("2024-05-01 14:03:27.123 +01:00 [WRN] Slow: 10:00 elapsed"), "14:03");
    EXPECT_EQ(time_of("2024-05-01 14:03:27.123 +01:00 [ERR] Feed down"), "14:03");
}

TEST(LogParserTime, withoutZone_oneFailedStepAndStill1403) {
    const std::string text = crlf({info("Model matching: Boeing 737-800 with airline: RYR"),
                                   "2024-05-01 14:03:27.123 [INF] Got data", matched_line(Group{}),
                                   spawn_line("FR1"), setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(records_of(r), std::vector<std::string>{record_of(Group{})});
    EXPECT_EQ(r.failed_steps, 1);
}

TEST(LogParserTime, noInfAnywhereInTheGroup_emptyTimeWithoutFailure) {
    const std::string text =
        "x: Model matching: Boeing 737-800 with airline: RYR\r\n"
        "2024-05-01 14:03:27.123 +01:00 [WRN] Aircraft matched type: B738 with: Ryanair airline: "
        "RYR, Boeing 737-800 Ryanair\r\n"
        "2024-05-01 14:03:27.123 +01:00 [WRN] Spawned AI plane FR1 lat: 1\r\n";
    const auto r = parse(text);
    EXPECT_EQ(records_of(r),
              std::vector<std::string>{",FR1,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,"});
    EXPECT_EQ(r.failed_steps, 0);
}

TEST(LogParserTime, timeIsResetForEveryGroup) {
    // The second group has no "[INF]" line: its time is empty, not the first group's.
    const std::string text =
        log_of({Group{}}) + crlf({warn("Model matching: Boeing 737-800 with airline: RYR"),
                                  warn("Aircraft matched type: B738 with: L airline: RYR, T"),
                                  warn("Spawned AI plane FR2 lat: 1")});
    EXPECT_EQ(
        records_of(parse(text)),
        (std::vector<std::string>{",FR2,B738 , RYR,Boeing 737-800, T,RYR1", record_of(Group{})}));
}

// ---- "failed to model" ---------------------------------------------------------------------

TEST(LogParserFailures, anyLetterCaseCountsAndSetsTheFlag) {
    for (const char* wording : {"failed to model", "FAILED TO MODEL", "Failed To Model"}) {
        const std::string text =
            crlf({mm_line(Group{}), warn(std::string(wording) + " match"), matched_line(Group{}),
                  spawn_line("FR1"), setting_line("RYR1")});
        const auto r = parse(text);
        EXPECT_EQ(r.fail_count, 1) << wording;
        EXPECT_EQ(records_of(r), std::vector<std::string>{record_of(Group{.failure = true})})
            << wording;
    }
}

TEST(LogParserFailures, ignoredWithUpdatingGotDataOrHttps_countedWithDeletingRecieTelep) {
    const auto count = [](const std::string& line) {
        const std::string text = crlf({mm_line(Group{}), line, matched_line(Group{}),
                                       spawn_line("FR1"), setting_line("RYR1")});
        const auto r = parse(text);
        const bool defaulted = r.records_text().find("(Default Model)") != std::string::npos;
        EXPECT_EQ(defaulted, r.fail_count == 1) << line;
        return r.fail_count;
    };
    EXPECT_EQ(count(warn("Updating: failed to model B738")), 0);
    EXPECT_EQ(count(warn("Got data, failed to model B738")), 0);
    EXPECT_EQ(count(warn("failed to model via https://x")), 0);
    EXPECT_EQ(count(warn("Deleting B738: failed to model")), 1);
    EXPECT_EQ(count(warn("Recieved: failed to model")), 1);
    EXPECT_EQ(count(warn("Teleport after failed to model")), 1);
    EXPECT_EQ(count(warn("failed to mode1")), 0);
}

TEST(LogParserFailures, notCountedInGroupsWithoutMatched_orInLineZero) {
    const std::string text =
        crlf({info("Model matching: Boeing with airline: RYR"), failure_line(),
              info("No installed model fits B738 RYR, flight skipped")}) +
        crlf({info("Model matching: failed to model Boeing 737-800 with airline: RYR"),
              matched_line(Group{}), spawn_line("FR1"), setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(r.fail_count, 0);
    // The skipped group's failure line does not set the flag either.
    EXPECT_EQ(records_of(r).at(0).find("(Default Model)"), std::string::npos);
}

TEST(LogParserFailures, countedInAMatchedGroupThatYieldsNoRecord) {
    // A "matched" line too short for three parts: no record, but the group still counts.
    const std::string text =
        crlf({mm_line(Group{}), failure_line(), info("Aircraft matched type: B738"),
              spawn_line("FR1"), setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(r.fail_count, 1);
    EXPECT_EQ(r.record_count, 1);
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.failed_steps, 1);
    EXPECT_TRUE(r.suggestions.empty());
}

TEST(LogParserFailures, flagAfterMatchedCarriesIntoTheNextGroup) {
    Group b{.ref = "FR2", .callsign = "RYR2"};
    // A failure after the "matched" line stays pending; the next group's "matched" line takes
    // it unless a Spawn line comes first.
    std::string text = crlf({mm_line(Group{}), matched_line(Group{}), failure_line(),
                             spawn_line("FR1"), setting_line("RYR1")});
    std::string carried =
        text + crlf({mm_line(b), matched_line(b), spawn_line("FR2"), setting_line("RYR2")});
    const auto r = parse(carried);
    EXPECT_EQ(r.fail_count, 1);
    // The Spawn line after the failure cleared the flag in the first group.
    EXPECT_EQ(records_of(r), (std::vector<std::string>{record_of(b), record_of(Group{})}));

    text = crlf({mm_line(Group{}), matched_line(Group{}), spawn_line("FR1"), failure_line(),
                 setting_line("RYR1")});
    carried = text + crlf({mm_line(b), matched_line(b), spawn_line("FR2"), setting_line("RYR2")});
    Group b_default = b;
    b_default.failure = true;
    EXPECT_EQ(records_of(parse(carried)),
              (std::vector<std::string>{record_of(b_default), record_of(Group{})}));
}

TEST(LogParserFailures, defaultMarkOnAThreePartModelText_landsInTheAirline) {
    const std::string text = crlf({mm_line(Group{}), failure_line(),
                                   info("Aircraft matched type: B738 with: Ryanair airline: RYR"),
                                   spawn_line("FR1"), setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(records_of(r), std::vector<std::string>{
                                 "14:03,FR1,B738 , RYR (Default Model),Boeing 737-800, ,RYR1"});
    EXPECT_EQ(r.defaults_list, "");
    EXPECT_TRUE(r.suggestions.empty());
}

// ---- Reference and call sign ---------------------------------------------------------------

TEST(LogParserFields, spawnWithoutLat_keepsTheUncutTextAndFailsOneStep) {
    const std::string text =
        crlf({mm_line(Group{}), matched_line(Group{}), info("Spawned AI plane FR1 at 50.03/8.57"),
              setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(records_of(r),
              std::vector<std::string>{"14:03,FR1 at 50.03/8.57,B738 , RYR,Boeing 737-800, Boeing "
                                       "737-800 Ryanair,RYR1"});
    EXPECT_EQ(r.failed_steps, 1);
}

TEST(LogParserFields, refIsCutAtTheFirstLatAfterSeventeenCharacters) {
    const std::string text =
        crlf({mm_line(Group{}), matched_line(Group{}), info("Spawn: 123456789 FR1 lat: 2 lat: 3"),
              setting_line("RYR1")});
    EXPECT_EQ(records_of(parse(text)).at(0).substr(0, 11), "14:03,FR1,B");
    const std::string short_line =
        crlf({mm_line(Group{}), matched_line(Group{}), info("Spawn lat:"), setting_line("RYR1")});
    const auto r = parse(short_line);
    EXPECT_EQ(records_of(r).at(0).substr(0, 8), "14:03,,B");
    EXPECT_EQ(r.failed_steps, 1);
}

TEST(LogParserFields, spawnAndSettingInTheMatchedLineAreNotLookedFor) {
    Group a;
    Group b{.livery = "Spawned AI plane XX lat: Setting for YY", .ref = "FR2", .callsign = "RYR2"};
    const std::string text = log_of({a}) + crlf({mm_line(b), matched_line(b)});
    const auto recs = records_of(parse(text));
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[0], "14:03,FR1,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR1");
}

TEST(LogParserFields, callSignFromTheFirstForAnywhereInTheSettingLine) {
    const auto callsign = [](const std::string& line) {
        const std::string text =
            crlf({mm_line(Group{}), matched_line(Group{}), spawn_line("FR1"), line});
        const auto recs = records_of(parse(text));
        return recs.empty() ? std::string("?") : recs[0].substr(recs[0].rfind(',') + 1);
    };
    EXPECT_EQ(callsign(info("Setting flight plan for RYR1")), "RYR1");
    EXPECT_EQ(callsign(info("Performance Setting for RYR1")), "ance Setting for RYR1");
    EXPECT_EQ(callsign(info("Setting flight plan for RYR1  ")), "RYR1  ");
    EXPECT_EQ(callsign(info("Setting flight plan for")), "");
    EXPECT_EQ(callsign(info("Setting flight plan, no callsign")), "");  // never set: stays empty
    EXPECT_EQ(callsign(info("Flight plan for RYR1")), "");
    EXPECT_EQ(callsign("Setting for " + std::string(1, '\t') + "X"), "\tX");
}

TEST(LogParserFields, spawnAndSettingInOneLine_bothApply) {
    const std::string text = crlf({mm_line(Group{}), matched_line(Group{}),
                                   info("Spawned AI plane FR7 lat: 1, Setting state for RYR7")});
    EXPECT_EQ(records_of(parse(text)).at(0),
              "14:03,FR7,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR7");
}

TEST(LogParserFields, modelTextReplacementsAndParts) {
    const auto record = [](const std::string& matched) {
        const std::string text =
            crlf({mm_line(Group{}), matched, spawn_line("FR1"), setting_line("RYR1")});
        const auto recs = records_of(parse(text));
        return recs.empty() ? std::string("-") : recs[0];
    };
    // From the 15th character of "matched" on; "with:" is replaced before "airline:".
    EXPECT_EQ(record(info("matched 123456B738 with: L airline: RYR, Title")),
              "14:03,FR1,B738 , RYR,Boeing 737-800, Title,RYR1");
    // Every "airline:" becomes a comma, so a second one shifts the plane spawned.
    EXPECT_EQ(record(info("matched 123456B738 with: L airline: RYR airline: X, Title")),
              "14:03,FR1,B738 , RYR ,Boeing 737-800, X,RYR1");
    // More than four parts: part 3 only.
    EXPECT_EQ(record(info("matched 123456B738 with: L airline: RYR, Title, extra")),
              "14:03,FR1,B738 , RYR,Boeing 737-800, Title,RYR1");
    // Exactly three parts: the plane spawned is a single space.
    EXPECT_EQ(record(info("matched 123456B738 with: L airline: RYR")),
              "14:03,FR1,B738 , RYR,Boeing 737-800, ,RYR1");
}

TEST(LogParserFields, commaInTheModelNameShiftsTheLaterFields) {
    const Group g{.name = "Boeing 737-800, Winglets"};
    const auto recs = records_of(parse(log_of({g})));
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0], record_of(g));
    EXPECT_EQ(common::split(recs[0], ",").size(), 8u);
}

// ---- Default-model list and suggestions ----------------------------------------------------

TEST(LogParserDefaults, sameRefOnceSubstringRefNeverUntrimmedTestTrimmedEntry) {
    const Group a{.ref = "FR8431", .callsign = " RYR8431 ", .failure = true};
    const Group same{.ref = "FR8431", .callsign = "RYR9", .failure = true};
    const Group inside{.ref = "R843", .callsign = "RYR10", .failure = true};
    const Group spaced{.ref = " FR8431", .callsign = "RYR11", .failure = true};
    const Group matched{.ref = "LH1", .callsign = "DLH1"};
    const auto r = parse(log_of({a, same, inside, matched, spaced}));
    // " FR8431" (with its blank) is not in the list, so it enters again, trimmed.
    EXPECT_EQ(r.defaults_list, "FR8431#RYR8431,FR8431#RYR11,");
    EXPECT_EQ(r.record_count, 5);
}

TEST(LogParserDefaults, emptyRefNeverEnters) {
    const std::string text = crlf({mm_line(Group{}), failure_line(), matched_line(Group{}),
                                   info("Spawned AI plane  lat: 1"), setting_line("RYR1")});
    const auto r = parse(text);
    EXPECT_EQ(r.records_text().substr(0, 7), "14:03,,");
    EXPECT_EQ(r.defaults_list, "");
    EXPECT_EQ(r.suggestions.size(), 1u);
}

TEST(LogParserDefaults, defPrefixAndDefaultWordAreSeparateTests) {
    // "(Def" alone puts the aircraft in the list; "Default" alone makes a suggestion.
    const Group def_only{.title = "Boeing 737-800 (Deformed)", .ref = "FR1"};
    const Group default_only{.title = "Boeing 737-800 Default Livery", .ref = "FR2"};
    const auto r = parse(log_of({def_only, default_only}));
    EXPECT_EQ(r.defaults_list, "FR1#RYR1,");
    EXPECT_EQ(r.suggestions, std::vector<std::string>{" Livery?:B738,RYR"});
    EXPECT_EQ(r.suggestion_models,
              std::vector<std::string>{"Boeing 737-800 >  Boeing 737-800 Default Livery"});
}

std::vector<std::string> g_classified;
std::string recording_classifier(std::string_view s6) {
    g_classified.emplace_back(s6);
    return " Model?";
}

TEST(LogParserSuggestions, classifierGetsTypeNameAndPlaneUntrimmed) {
    g_classified.clear();
    logs::ParseOptions options;
    options.get_text4 = &recording_classifier;
    const Group a{.type = "B738", .failure = true};
    const Group b{.type = "A20N", .airline = "DLH", .ref = "LH1", .failure = true};
    const Group plain{.ref = "FR9"};
    const auto r = logs::get_list4(log_of({a, plain, b}), options);
    EXPECT_EQ(g_classified, (std::vector<std::string>{
                                "B738 ,Boeing 737-800> Boeing 737-800 Ryanair (Default Model)",
                                "A20N ,Boeing 737-800> Boeing 737-800 Ryanair (Default Model)"}));
    EXPECT_EQ(r.suggestions, (std::vector<std::string>{" Model?:B738,RYR", " Model?:A20N,DLH"}));
}

TEST(LogParserSuggestions, repeatedOrSubstringSuggestionsListedOnce) {
    const Group first{.airline = "RYRX", .failure = true};
    const Group again{.airline = "RYRX", .ref = "FR2", .failure = true};
    const Group substring{.airline = "RYR", .ref = "FR3", .failure = true};
    const Group other{.type = "A20N", .airline = "DLH", .ref = "LH1", .failure = true};
    const auto r = parse(log_of({first, again, substring, other}));
    EXPECT_EQ(r.suggestions, (std::vector<std::string>{" Livery?:B738,RYRX", " Model?:A20N,DLH"}));
    ASSERT_EQ(r.suggestion_models.size(), r.suggestions.size());
    EXPECT_EQ(r.fail_count, 4);
    EXPECT_EQ(r.record_count, 4);
}

TEST(LogParserSuggestions, suggestionTextAcrossTwoEntriesIsNotListed) {
    const Group first{.type = "B738", .airline = "RYR", .title = "Plane", .failure = true};
    const Group second{
        .type = "A20N", .airline = "DLH", .title = "Plane", .ref = "LH1", .failure = true};
    // Seen so far: " Model?:B738,RYR Model?:A20N,DLH"; this entry straddles the two.
    const Group straddle{
        .type = "B738", .airline = "RYR Model?", .title = "Plane", .ref = "X", .failure = true};
    const auto r = parse(log_of({first, second, straddle}));
    EXPECT_EQ(r.suggestions, (std::vector<std::string>{" Model?:B738,RYR", " Model?:A20N,DLH"}));
    EXPECT_EQ(r.suggestion_models,
              (std::vector<std::string>{"Boeing 737-800 >  Plane (Default Model)",
                                        "Boeing 737-800 >  Plane (Default Model)"}));
}

// ---- Scroll bar ----------------------------------------------------------------------------

logs::ParseResult parse_n_groups(int n, std::int64_t header_twips) {
    std::vector<Group> groups(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) groups[static_cast<std::size_t>(i)].ref = "FR" + std::to_string(i);
    return parse(log_of(groups), header_twips);
}

TEST(LogParserScroll, maxAndLargeChangeAroundOnePage) {
    auto r = parse_n_groups(24, 195);
    EXPECT_EQ(r.record_count, 24);
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);

    r = parse_n_groups(25, 195);
    EXPECT_EQ(r.scroll_max, 25);
    EXPECT_EQ(r.scroll_large_change, 1);

    r = parse_n_groups(26, 195);
    EXPECT_EQ(r.scroll_max, 26);
    EXPECT_EQ(r.scroll_large_change, 306);  // 295 * 27 / 26 = 306.35
}

TEST(LogParserScroll, largeChangeHalvesGoToEven) {
    EXPECT_EQ(parse_n_groups(26, 199).scroll_large_change, 310);  // 299 * 27 / 26 = 310.5
    EXPECT_EQ(parse_n_groups(26, 225).scroll_large_change, 338);  // 325 * 27 / 26 = 337.5
    EXPECT_EQ(parse_n_groups(51, 160).scroll_large_change, 520);  // 260 * 52 / 26 = 520
}

// ---- Bad input -----------------------------------------------------------------------------

// What every parse result must satisfy, whatever the input.
void expect_sane(const logs::ParseResult& r) {
    const auto recs = records_of(r);
    EXPECT_LE(static_cast<std::int64_t>(recs.size()), r.record_count);
    for (const auto& rec : recs) {
        EXPECT_GE(common::split(rec, ",").size(), 7u);
        EXPECT_EQ(rec.find('\r'), std::string::npos);
    }
    EXPECT_EQ(r.suggestions.size(), r.suggestion_models.size());
    EXPECT_TRUE(r.defaults_list.empty() || r.defaults_list.back() == ',');
    EXPECT_GE(r.fail_count, 0);
    EXPECT_LE(r.failed_step_descriptions.size(), logs::kMaxFailureDescriptions);
    EXPECT_LE(static_cast<std::int64_t>(r.failed_step_descriptions.size()), r.failed_steps);
}

TEST(LogParserBadInput, zeroByteLog) {
    const auto r = parse(std::string_view());
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
    EXPECT_EQ(r.failed_steps, 0);
    EXPECT_FALSE(r.stopped_early);
}

TEST(LogParserBadInput, binaryGarbageWithMarkersSprinkledIn) {
    std::mt19937 rng(20240501);
    // Groups always open with "with airline:" so the parse runs through the whole text.
    const std::vector<std::string> markers = {"Model matching: with airline: ",
                                              "matched",
                                              "with airline:",
                                              "with:",
                                              "airline:",
                                              "[INF]",
                                              "Spawn",
                                              " lat:",
                                              "Setting",
                                              "for",
                                              "failed to model",
                                              "\r\n",
                                              "\r",
                                              "\n",
                                              ",",
                                              "(Default"};
    std::string text = markers[0];
    while (text.size() < (1u << 20)) {
        if (rng() % 8 == 0) {
            text += markers[rng() % markers.size()];
        } else {
            text.push_back(static_cast<char>(rng() & 0xFF));
        }
    }
    const auto r = parse(text);
    expect_sane(r);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_GT(r.record_count, 100);
    // The same bytes always give the same result.
    const auto again = parse(text);
    EXPECT_EQ(again.records_text(), r.records_text());
    EXPECT_EQ(again.defaults_list, r.defaults_list);
    EXPECT_EQ(again.fail_count, r.fail_count);
}

TEST(LogParserBadInput, nulBytesInsideLinesAreKept) {
    const Group g{.name = std::string("Boe\0ing", 7),
                  .airline = std::string("R\0R", 3),
                  .title = std::string("Title\0", 6),
                  .ref = std::string("F\0", 2),
                  .callsign = std::string("\0RYR", 4),
                  .failure = true};
    const auto r = parse(log_of({g}));
    EXPECT_EQ(records_of(r), std::vector<std::string>{record_of(g)});
    EXPECT_EQ(r.defaults_list, std::string("F\0#\0RYR,", 8));
    EXPECT_EQ(r.suggestions.size(), 1u);
}

TEST(LogParserBadInput, invalidUtf8BytesPassThroughUnchanged) {
    const Group g{.name = "Bo\xC3\x28ing \xFF",
                  .airline = "\x80RYR",
                  .title = "T\xE9l\xE9",
                  .ref = "\xFE\xFF",
                  .callsign = "RYR\xC0",
                  .failure = true};
    std::string text = log_of({g});
    text += crlf({mm_line(Group{.ref = "x"}), warn("\xC3\xA9 FAILED TO MODEL \xFF"),
                  matched_line(Group{}), spawn_line("FR2"), setting_line("RYR2")});
    const auto r = parse(text);
    const auto recs = records_of(r);
    ASSERT_EQ(recs.size(), 2u);
    EXPECT_EQ(recs[1], record_of(g));
    EXPECT_EQ(r.fail_count, 2);
    EXPECT_EQ(r.defaults_list, "\xFE\xFF#RYR\xC0,FR2#RYR2,");
}

TEST(LogParserBadInput, fiftyMegabyteLines) {
    const std::string big(50u << 20, 'x');
    // A log that is one single line.
    auto r = parse(big);
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
    EXPECT_FALSE(r.stopped_early);

    // A huge noise line between two ordinary groups.
    const Group b{.ref = "FR2", .callsign = "RYR2"};
    const std::string text = log_of({Group{}}) + big + "\r\n" + group_text(b);
    r = parse(text);
    EXPECT_EQ(records_of(r), (std::vector<std::string>{record_of(b), record_of(Group{})}));
}

// A damaged log can put megabytes into one field that the substring tests index; the answers
// must stay exact while the index stops growing past its budget.
TEST(LogParserBadInput, hugeRefInADefaultGroup_keepsExactDefaultsAndSuggestions) {
    std::mt19937 rng(11);
    std::string huge(20u << 20, ' ');
    for (char& c : huge) c = static_cast<char>('A' + rng() % 26);
    const Group big{.ref = huge, .callsign = "BIG1", .failure = true};
    const Group inside{.ref = huge.substr(1000, 6), .callsign = "IN1", .failure = true};
    const Group fresh{.ref = "0123", .callsign = "NEW1", .failure = true};
    const auto r = parse(log_of({big, inside, fresh, fresh}));
    ASSERT_EQ(r.record_count, 4);
    // The second ref occurs inside the first one, so only the first and the third are listed.
    EXPECT_EQ(r.defaults_list, huge + "#BIG1,0123#NEW1,");
    EXPECT_EQ(r.suggestions.size(), 1u);
    const auto lists = logs::make_result_lists(r.records);
    EXPECT_EQ(common::split(lists.nomatch_text, "\r\n").size(), 2u);
}

TEST(LogParserBadInput, onlyMarkers) {
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "Model matching";
    auto r = parse(text);
    EXPECT_EQ(r.record_count, 0);
    EXPECT_FALSE(r.stopped_early);

    // Every group holds "matched" but its first line lacks "with airline:": stop at once.
    text.clear();
    for (int i = 0; i < 1000; ++i) text += "Model matchingmatched";
    r = parse(text);
    EXPECT_TRUE(r.stopped_early);
    EXPECT_EQ(r.record_count, 0);

    // Groups without a line break never set the model text: every one fails its record step,
    // and the failures are reported together.
    text.clear();
    for (int i = 0; i < 1000; ++i) text += "Model matching: matched with airline: X ";
    r = parse(text);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(r.record_count, 1000);
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.failed_steps, 1000);
    EXPECT_EQ(r.failed_step_descriptions.size(), logs::kMaxFailureDescriptions);
    const std::string message = logs::failed_steps_message(r);
    EXPECT_NE(message.find("1000"), std::string::npos);
    EXPECT_EQ(message.substr(message.size() - 3), "...");
}

TEST(LogParserBadInput, crOnlyGeneratedLog_sameResultAsCrLf) {
    testing_support::LogOptions o;
    o.groups = 300;
    o.seed = 11;
    const auto crlf_log = testing_support::generate_log(o);
    o.line_ends = testing_support::LineEnds::Cr;
    const auto cr_log = testing_support::generate_log(o);
    ASSERT_EQ(cr_log.text.find('\n'), std::string::npos);
    const auto a = parse(crlf_log.text);
    const auto b = parse(cr_log.text);
    EXPECT_EQ(b.records_text(), a.records_text());
    EXPECT_EQ(b.defaults_list, a.defaults_list);
    EXPECT_EQ(b.suggestions, a.suggestions);
    EXPECT_EQ(b.fail_count, a.fail_count);
    EXPECT_EQ(b.failed_steps, 0);
}

// ---- Generated logs ------------------------------------------------------------------------

TEST(LogParserGenerated, parseAgreesWithWhatTheGeneratorWrote) {
    for (const auto ends : {testing_support::LineEnds::CrLf, testing_support::LineEnds::Lf,
                            testing_support::LineEnds::Cr}) {
        for (std::uint64_t seed : {1u, 2u, 3u}) {
            testing_support::LogOptions o;
            o.groups = 500;
            o.seed = seed;
            o.line_ends = ends;
            const auto log = testing_support::generate_log(o);
            const auto r = parse(log.text);
            expect_sane(r);
            EXPECT_FALSE(r.stopped_early);
            EXPECT_EQ(r.record_count, static_cast<std::int64_t>(log.facts.matched_groups));
            EXPECT_EQ(records_of(r).size(), log.facts.matched_groups);
            EXPECT_EQ(r.fail_count, static_cast<std::int64_t>(log.facts.counted_failures));
            std::size_t defaults = 0;
            for (const auto& rec : records_of(r)) {
                if (rec.find("(Default Model)") != std::string::npos) ++defaults;
            }
            EXPECT_EQ(defaults, log.facts.default_spawns);
            EXPECT_EQ(r.failed_steps, 0);
        }
    }
}

TEST(LogParserGenerated, hundredThousandSpawnsParseCompletely) {
    testing_support::LogOptions o;
    o.groups = 100000;
    o.seed = 42;
    const auto log = testing_support::generate_log(o);
    const auto r = parse(log.text);
    EXPECT_FALSE(r.stopped_early);
    const auto n = static_cast<std::int64_t>(log.facts.matched_groups);
    ASSERT_GT(n, 32767);  // beyond a 16-bit counter
    EXPECT_EQ(r.record_count, n);
    EXPECT_EQ(static_cast<std::int64_t>(records_of(r).size()), n);
    EXPECT_EQ(r.fail_count, static_cast<std::int64_t>(log.facts.counted_failures));
    EXPECT_EQ(r.scroll_max, n);
    EXPECT_EQ(r.scroll_large_change,
              common::round_half_even(295.0 * static_cast<double>(n + 1) / 26.0));
    // The oldest record is the first group's, at the end of the text.
    EXPECT_EQ(records_of(r).back().substr(0, 3), "06:");

    // Distinct airline/model-name pairs level off at a few thousand, as in a real day.
    const auto pairs = [](const logs::ParseResult& parsed) {
        std::size_t lines = 0;
        for (int kind : {logs::kNoMatch, logs::kMatched}) {
            for (char c : logs::get_data(kind, parsed.records)) lines += c == '\n' ? 1 : 0;
        }
        return lines;
    };
    o.groups = 20000;
    const std::size_t pairs_in_a_fifth = pairs(parse(testing_support::generate_log(o).text));
    const std::size_t pairs_in_all = pairs(r);
    EXPECT_GT(pairs_in_all, 1000u);
    EXPECT_LT(pairs_in_all, 10000u);
    EXPECT_LT(static_cast<double>(pairs_in_all), 1.5 * static_cast<double>(pairs_in_a_fifth));
}

// ---- The generator itself ------------------------------------------------------------------

TEST(LogGenerator, sameOptionsSameBytesOtherSeedOtherBytes) {
    testing_support::LogOptions o;
    o.groups = 200;
    o.seed = 5;
    const auto a = testing_support::generate_log(o);
    const auto b = testing_support::generate_log(o);
    EXPECT_EQ(a.text, b.text);
    o.seed = 6;
    EXPECT_NE(testing_support::generate_log(o).text, a.text);
}

TEST(LogGenerator, aboutOneKilobytePerGroupWithCrLfLineEnds) {
    testing_support::LogOptions o;
    o.groups = 2000;
    const auto log = testing_support::generate_log(o);
    const double per_group = static_cast<double>(log.text.size()) / 2000.0;
    EXPECT_GT(per_group, 800.0);
    EXPECT_LT(per_group, 1200.0);
    std::size_t lf = 0;
    for (std::size_t i = 0; i < log.text.size(); ++i) {
        if (log.text[i] != '\n') continue;
        ++lf;
        ASSERT_TRUE(i > 0 && log.text[i - 1] == '\r') << "bare LF at byte " << i;
    }
    EXPECT_EQ(std::count(log.text.begin(), log.text.end(), '\r'), static_cast<std::ptrdiff_t>(lf));
    EXPECT_EQ(log.text.substr(log.text.size() - 2), "\r\n");
    EXPECT_EQ(log.facts.groups, 2000u);
    EXPECT_GT(testing_support::airline_count(), 140u);
    EXPECT_GE(testing_support::type_count(), 40u);
}

TEST(LogGenerator, defaultFractionAndReportLinesAreWhatTheFactsSay) {
    testing_support::LogOptions o;
    o.groups = 5000;
    o.default_fraction = 0.25;
    const auto log = testing_support::generate_log(o);
    const double share = static_cast<double>(log.facts.default_spawns) /
                         static_cast<double>(log.facts.matched_groups);
    EXPECT_NEAR(share, 0.25, 0.03);
    const auto count = [&](std::string_view needle) {
        std::size_t n = 0;
        for (auto p = log.text.find(needle); p != std::string::npos;
             p = log.text.find(needle, p + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("Model matching"), log.facts.groups);
    EXPECT_EQ(count("Failed to read"), log.facts.failed_to_read_lines);
    EXPECT_EQ(count("add-on with title"), log.facts.addon_title_lines);
    const auto failures = logs::get_failures(log.text);
    EXPECT_EQ(std::count(failures.text.begin(), failures.text.end(), '\n'),
              static_cast<std::ptrdiff_t>(log.facts.failed_to_read_lines));
    const auto titles = logs::chk_types_listed(log.text);
    EXPECT_EQ(std::count(titles.text.begin(), titles.text.end(), '\n'),
              static_cast<std::ptrdiff_t>(log.facts.addon_title_lines));
}

TEST(LogGenerator, writeLogWritesTheGeneratedBytes) {
    testing_support::LogOptions o;
    o.groups = 50;
    o.seed = 8;
    const std::string path =
        (std::filesystem::temp_directory_path() / "skelvar-generated-log-test.txt").string();
    testing_support::LogFacts facts;
    ASSERT_TRUE(testing_support::write_log(path, o, &facts));
    const auto log = testing_support::generate_log(o);
    EXPECT_EQ(common::read_file(path), log.text);
    EXPECT_EQ(facts.matched_groups, log.facts.matched_groups);
    std::filesystem::remove(path);
    EXPECT_FALSE(testing_support::write_log("/no/such/folder/log.txt", o));
}

}  // namespace
