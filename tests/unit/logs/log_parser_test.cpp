#include "logs/log_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
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

using Strings = std::vector<std::string>;

logs::ParseResult parse(std::string_view text, std::int64_t header_twips = 195) {
    return logs::get_list4(text, {&matching::get_text4, header_twips});
}

// One string per record; the records text must end with CR LF.
Strings records_of(const logs::ParseResult& r) {
    Strings out;
    for (auto row : common::split(r.records_text(), "\r\n")) out.emplace_back(row);
    if (!out.empty()) {
        EXPECT_EQ(out.back(), "") << "records text must end with CR LF";
        out.pop_back();
    }
    return out;
}

// ---- Logs built in code -------------------------------------------------------------------

const auto info = [](std::string_view s) {
    return "2024-05-01 14:03:27.123 +01:00 [INF] " + std::string(s);
};
const auto warn = [](std::string_view s) {
    return "2024-05-01 14:03:27.123 +01:00 [WRN] " + std::string(s);
};

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
std::string setting_line(std::string_view cs) {
    return info("Setting flight plan for " + std::string(cs));
}
const std::string kFailure = warn("Failed to model match, using a default model");

std::string group_text(const Group& g) {
    std::string out = crlf({mm_line(g), info("Got data for " + g.callsign)});
    if (g.failure) out += crlf({kFailure});
    return out + crlf({matched_line(g), spawn_line(g.ref), setting_line(g.callsign)});
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
Strings newest_first(const std::vector<Group>& groups) {
    Strings out;
    for (auto it = groups.rbegin(); it != groups.rend(); ++it) out.push_back(record_of(*it));
    return out;
}

const Group kG;
const std::string kMatched = matched_line(kG), kSpawn = spawn_line("FR1");
const std::string kSetting = setting_line("RYR1");
const std::string kRec = record_of(kG);  // ends in the call sign RYR1
const std::string kRecDefault = record_of(Group{.failure = true});

// The default group's "Model matching" line followed by the given lines.
std::string one_group(std::initializer_list<std::string> lines) {
    return crlf({mm_line(kG)}) + crlf(lines);
}
std::string at(std::string_view time, const std::string& record) {
    return std::string(time) + record.substr(record.find(','));
}

// ---- Table of logs and what their parse must give -------------------------------------------

struct Case {
    std::string what{};
    std::string log{};
    std::vector<Group> groups{};  // when given: the log of these groups, their records expected
    Strings records{};
    std::int64_t count = -1;  // -1: one per record
    std::int64_t fails = 0;
    std::int64_t failed_steps = 0;
    std::string defaults{};
    bool stopped = false;
    std::optional<Strings> suggestions{};  // checked when given
    std::optional<Strings> models{};
};

logs::ParseResult expect_parse(const Case& c) {
    SCOPED_TRACE(c.what);
    const Strings want = c.groups.empty() ? c.records : newest_first(c.groups);
    auto r = parse(c.groups.empty() ? c.log : log_of(c.groups));
    EXPECT_EQ(records_of(r), want);
    EXPECT_EQ(r.record_count, c.count < 0 ? std::ssize(want) : c.count);
    EXPECT_EQ(r.fail_count, c.fails);
    EXPECT_EQ(r.failed_steps, c.failed_steps);
    EXPECT_EQ(logs::failed_steps_message(r).empty(), c.failed_steps == 0);
    EXPECT_EQ(r.defaults_list, c.defaults);
    EXPECT_EQ(r.stopped_early, c.stopped);
    if (c.suggestions) {
        EXPECT_EQ(r.suggestions, *c.suggestions);
    }
    if (c.models) {
        EXPECT_EQ(r.suggestion_models, *c.models);
    }
    EXPECT_EQ(r.suggestions.size(), r.suggestion_models.size());
    return r;
}

void expect_all(const std::vector<Case>& cases) {
    for (const Case& c : cases) expect_parse(c);
}

TEST(LogParser, handWrittenFixtures) {
    const std::string lh =
        "14:05,LH1234,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234";
    const std::string fr = "14:03,FR8431,B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR8431";
    const std::string fr_default =
        "FR8431,B738 , RYR,Boeing 737-800, Airbus A320 Neo Standard (Default Model),RYR8431";
    std::vector<Case> cases = {
        {.what = "two_groups.txt", .records = {lh, fr}, .suggestions = Strings{}},
        // "Failed To Model" and "FAILED TO MODEL" both count. B738 becomes " 737", which the
        // stand-in's name lacks, and "Airbus" is too short a word: " Model?".
        {.what = "failure_before_matched.txt",
         .records = {at("09:31", lh), "09:25," + fr_default, "09:10," + fr_default},
         .fails = 2,
         .defaults = "FR8431#RYR8431,",
         .suggestions = Strings{" Model?:B738,RYR"}},
        {.what = "spawn_clears_flag.txt", .records = {at("10:00", fr)}, .fails = 1},
        {.what = "carry_over.txt",
         .records = {"11:04,BA304,A321 , BAW,Airbus A321, Airbus A321 British Airways,DLH1234",
                     "11:02,FR8431,A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa,DLH1234",
                     at("11:00", fr)}},
        // The failure line of the group after the stop is never read.
        {.what = "missing_with_airline.txt", .records = {at("12:00", fr)}, .stopped = true},
        {.what = "block0_matched.txt", .stopped = true},
        {.what = "time_without_zone.txt", .records = {fr}, .failed_steps = 1},
        {.what = "first_line_warning.txt", .records = {lh, fr}},
        {.what = "cr_only_line_ends.txt", .records = {lh, fr}},
        {.what = "lf_only_line_ends.txt", .records = {lh, fr}},
    };
    for (Case& c : cases) {
        c.log = common::read_file(testing_support::data_path("logs/" + c.what));
        ASSERT_FALSE(c.log.empty()) << "missing fixture " << c.what;
        const auto r = expect_parse(c);
        if (c.failed_steps > 0) {
            EXPECT_NE(logs::failed_steps_message(r).find(r.failed_step_descriptions.at(0)),
                      std::string::npos);
        }
    }
}

// Every line end reads as CR LF: the same groups give the same records with any mix of them.
TEST(LogParser, everyLineEndReadsAsCrLf) {
    const Group b{.ref = "FR2", .callsign = "RYR2", .failure = true};
    const std::string crlf_log = log_of({kG, b});
    const Strings want = newest_first({kG, b});
    struct Ends {
        const char *what, *eol, *last;  // the line end of every line, and of the last one
    };
    for (const Ends& e : {Ends{"LF", "\n", "\n"}, Ends{"CR", "\r", "\r"},
                          Ends{"LF, the last line CR LF", "\n", "\r\n"},
                          Ends{"CR LF, the last line CR", "\r\n", "\r"},
                          Ends{"LF CR: two line ends", "\n\r", "\n\r"}}) {
        std::string log = common::replace_all(crlf_log, "\r\n", e.eol);
        log.replace(log.size() - std::strlen(e.eol), std::strlen(e.eol), e.last);
        // After LF CR the line after the group line is empty, and so is the time.
        const bool empty_time = std::strcmp(e.eol, "\n\r") == 0;
        expect_parse({.what = e.what,
                      .log = log,
                      .records = empty_time ? Strings{at("", want[0]), at("", want[1])} : want,
                      .fails = 1,
                      .failed_steps = empty_time ? 4 : 0,
                      .defaults = "FR2#RYR2,"});
    }
    expect_all({
        // A bare CR or LF inside a line cuts it as CR LF would: the ref ends at the CR, and the
        // " lat:" on the next line is not found.
        {.what = "a bare CR inside the Spawn line",
         .log = one_group({kMatched, info("Spawned AI plane FR1\r lat: 50.0333"), kSetting}),
         .records = {kRec},
         .failed_steps = 1},
        // A bare LF at the end of line 0: the time comes from the next line.
        {.what = "a bare LF after the model matching line",
         .log = mm_line(kG) + "\n" +
                crlf({"2024-05-01 09:15:00.000 +01:00 [WRN] x", kMatched, kSpawn, kSetting}),
         .records = {at("09:15", kRec)}},
    });
}

// Logs whose parse gives exactly these records, with no failure, default or stop.
void expect_records(const std::vector<std::pair<std::string, Strings>>& cases) {
    for (const auto& [log, records] : cases)
        expect_parse({.what = log, .log = log, .records = records});
}

// The finer cut positions are compared with a literal version in differential_test.cpp.
TEST(LogParser, carriedValuesAndCutFailures) {
    const Group fr3{.ref = "FR3", .callsign = "RYR3"}, comma{.name = "Boeing 737-800, Winglets"};
    expect_records({
        // A group without "matched" is skipped, even without "with airline:".
        {log_of({kG}) + crlf({info("Model matching: no airline here")}) + group_text(fr3),
         {record_of(fr3), kRec}},
        // Block 0 with "with airline:" and "matched" gives a record of its own.
        {crlf({"..Boeing 757 with airline: DHK",
               info("Aircraft matched type: B752 with: DHL airline: DHK, Boeing 757-200 DHL"),
               spawn_line("D0100"), setting_line("DHK100")}) +
             group_text(kG),
         {kRec, "14:03,D0100,B752 , DHK,Boeing 757, Boeing 757-200 DHL,DHK100"}},
        // No "[INF]" in the second group: its time is empty, not the first group's.
        {log_of({kG}) + crlf({warn("Model matching: Boeing 737-800 with airline: RYR"),
                              warn("Aircraft matched type: B738 with: L airline: RYR, T"),
                              warn("Spawned AI plane FR2 lat: 1")}),
         {",FR2,B738 , RYR,Boeing 737-800, T,RYR1", kRec}},
        // Three parts of the model text: the plane spawned is a blank.
        {one_group({info("matched 123456B738 with: L airline: RYR"), kSpawn, kSetting}),
         {"14:03,FR1,B738 , RYR,Boeing 737-800, ,RYR1"}},
        // A comma in the model name shifts the later fields.
        {log_of({comma}), {record_of(comma)}},
    });
    // A failed cut keeps the text cut so far.
    expect_parse(
        {.what = "Spawn without \" lat:\"",
         .log = one_group({kMatched, info("Spawned AI plane FR1 at 50.03/8.57"), kSetting}),
         .records = {"14:03,FR1 at 50.03/8.57" + kRec.substr(9)},
         .failed_steps = 1});
}

TEST(LogParser, failureLinesDefaultsListAndSuggestions) {
    const auto line_case = [](const std::string& line, bool counted) {
        return Case{.what = line,
                    .log = one_group({line, kMatched, kSpawn, kSetting}),
                    .records = {counted ? kRecDefault : kRec},
                    .fails = counted ? 1 : 0,
                    .defaults = counted ? "FR1#RYR1," : ""};
    };
    expect_all({
        line_case(warn("Updating: failed to model B738"), false),
        line_case(warn("Got data, failed to model B738"), false),
        line_case(warn("failed to model via https://x"), false),
        line_case(warn("Deleting B738: failed to model"), true),
        line_case(warn("Recieved: failed to model"), true),
        line_case(warn("Teleport after failed to model"), true),
        {.what = "not counted in a group without \"matched\" nor in line 0",
         .log = crlf({info("Model matching: Boeing with airline: RYR"), kFailure}) +
                crlf({info("Model matching: failed to model Boeing 737-800 with airline: RYR"),
                      kMatched, kSpawn, kSetting}),
         .records = {"14:03,FR1,B738 , RYR,failed to model Boeing 737-800, Boeing 737-800 "
                     "Ryanair,RYR1"}},
        {.what = "counted in a matched group that yields no record",
         .log = one_group({kFailure, info("Aircraft matched type: B738"), kSpawn, kSetting}),
         .count = 1,
         .fails = 1,
         .failed_steps = 1,
         .suggestions = Strings{}},
        {.what = "a failure after the Spawn line carries into the next group",
         .log = one_group({kMatched, kSpawn, kFailure, kSetting}) + group_text(Group{.ref = "FR2"}),
         .records = {record_of(Group{.ref = "FR2", .failure = true}), kRec},
         .fails = 1,
         .defaults = "FR2#RYR1,"},
        {.what = "the mark on a three-part model text lands in the airline",
         .log = one_group({kFailure, info("Aircraft matched type: B738 with: Ryanair airline: RYR"),
                           kSpawn, kSetting}),
         .records = {"14:03,FR1,B738 , RYR (Default Model),Boeing 737-800, ,RYR1"},
         .fails = 1,
         .suggestions = Strings{}},
        // A ref inside a listed one never enters; " FR8431" (blank and all) is not in the list,
        // so it enters again, trimmed.
        {.what = "same ref once, tested untrimmed, entered trimmed",
         .groups = {{.ref = "FR8431", .callsign = " RYR8431 ", .failure = true},
                    {.ref = "FR8431", .callsign = "RYR9", .failure = true},
                    {.ref = "R843", .callsign = "RYR10", .failure = true},
                    {.ref = "LH1", .callsign = "DLH1"},
                    {.ref = " FR8431", .callsign = "RYR11", .failure = true}},
         .fails = 4,
         .defaults = "FR8431#RYR8431,FR8431#RYR11,",
         .suggestions = Strings{" Livery?:B738,RYR"}},
        {.what = "\"(Def\" enters the list, \"Default\" makes a suggestion",
         .groups = {{.title = "Boeing 737-800 (Deformed)"},
                    {.title = "Boeing 737-800 Default Livery", .ref = "FR2"}},
         .defaults = "FR1#RYR1,",
         .suggestions = Strings{" Livery?:B738,RYR"},
         .models = Strings{"Boeing 737-800 >  Boeing 737-800 Default Livery"}},
        {.what = "a repeated suggestion or one inside an earlier one is listed once",
         .groups = {{.airline = "RYRX", .failure = true},
                    {.airline = "RYRX", .ref = "FR2", .failure = true},
                    {.ref = "FR3", .failure = true},
                    {.type = "A20N", .airline = "DLH", .ref = "LH1", .failure = true}},
         .fails = 4,
         .defaults = "FR1#RYR1,FR2#RYR1,FR3#RYR1,LH1#RYR1,",
         .suggestions = Strings{" Livery?:B738,RYRX", " Model?:A20N,DLH"}},
    });
}

Strings g_classified;
std::string recording_classifier(std::string_view s6) {
    g_classified.emplace_back(s6);
    return " Model?";
}

TEST(LogParser, classifierGetsTypeNameAndPlaneUntrimmed) {
    g_classified.clear();
    const Group b{.type = "A20N", .airline = "DLH", .ref = "LH1", .failure = true};
    const auto r = logs::get_list4(log_of({Group{.failure = true}, Group{.ref = "FR9"}, b}),
                                   {&recording_classifier, 195});
    EXPECT_EQ(g_classified,
              (Strings{"B738 ,Boeing 737-800> Boeing 737-800 Ryanair (Default Model)",
                       "A20N ,Boeing 737-800> Boeing 737-800 Ryanair (Default Model)"}));
    EXPECT_EQ(r.suggestions, (Strings{" Model?:B738,RYR", " Model?:A20N,DLH"}));
}

std::vector<Group> numbered_groups(int n) {
    std::vector<Group> groups(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) groups[static_cast<std::size_t>(i)].ref = "FR" + std::to_string(i);
    return groups;
}

TEST(LogParser, scrollBarMaxAndLargeChangeHalvesToEven) {
    struct Row {
        int groups;
        std::int64_t header, max, large_change;
    };
    // (H + 100) * (n + 1) / 26: 306.35, 310.5, 337.5, 520.
    for (const Row& row : std::vector<Row>{{24, 195, 0, 1},
                                           {25, 195, 25, 1},
                                           {26, 195, 26, 306},
                                           {26, 199, 26, 310},
                                           {26, 225, 26, 338},
                                           {51, 160, 51, 520}}) {
        SCOPED_TRACE(std::to_string(row.groups) + " groups, header " + std::to_string(row.header));
        const auto r = parse(log_of(numbered_groups(row.groups)), row.header);
        EXPECT_EQ(r.record_count, row.groups);
        EXPECT_EQ(r.scroll_max, row.max);
        EXPECT_EQ(r.scroll_large_change, row.large_change);
    }
}

TEST(LogParser, stopAfterManyRecords_noFinishingSteps) {
    const auto r = parse(log_of(numbered_groups(30)) +
                         crlf({info("Model matching: Boeing 777 for BAW"), kMatched}) +
                         group_text(Group{.ref = "LATE"}));
    EXPECT_TRUE(r.stopped_early);
    EXPECT_EQ(r.record_count, 30);
    EXPECT_EQ(records_of(r).size(), 30u);
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);
    EXPECT_EQ(r.records_text().find("LATE"), std::string::npos);
}

// ---- Bad input -----------------------------------------------------------------------------

TEST(LogParserBadInput, nulBytesAndInvalidUtf8PassThroughUnchanged) {
    const Group nul{.name = std::string("Boe\0ing", 7),
                    .airline = std::string("R\0R", 3),
                    .title = std::string("Title\0", 6),
                    .ref = std::string("F\0", 2),
                    .callsign = std::string("\0RYR", 4),
                    .failure = true};
    expect_parse({.what = "NUL bytes",
                  .log = log_of({nul}),
                  .records = {record_of(nul)},
                  .fails = 1,
                  .defaults = std::string("F\0#\0RYR,", 8),
                  .suggestions = Strings{std::string(" Model?:B738,R\0R", 16)}});
    const Group bad{.name = "Bo\xC3\x28ing \xFF",
                    .airline = "\x80RYR",
                    .title = "T\xE9l\xE9",
                    .ref = "\xFE\xFF",
                    .callsign = "RYR\xC0",
                    .failure = true};
    const std::string second = one_group(
        {warn("\xC3\xA9 FAILED TO MODEL \xFF"), kMatched, spawn_line("FR2"), setting_line("RYR2")});
    expect_parse({.what = "invalid UTF-8",
                  .log = log_of({bad}) + second,
                  .records = {record_of(Group{.ref = "FR2", .callsign = "RYR2", .failure = true}),
                              record_of(bad)},
                  .fails = 2,
                  .defaults = "\xFE\xFF#RYR\xC0,FR2#RYR2,"});
}

TEST(LogParserBadInput, hugeLines) {
    const std::string big(16u << 20, 'x');
    auto r = parse(big);  // a log that is one single line
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
    EXPECT_FALSE(r.stopped_early);

    // A huge noise line between two ordinary groups.
    const Group b{.ref = "FR2", .callsign = "RYR2"};
    r = parse(log_of({kG}) + big + "\r\n" + group_text(b));
    EXPECT_EQ(records_of(r), (Strings{record_of(b), kRec}));
}

// A damaged log can put a megabyte into one field that the default list is searched for; the
// answers stay exact.
TEST(LogParserBadInput, hugeRefInADefaultGroup_keepsExactDefaultsAndSuggestions) {
    std::string huge(1u << 20, ' ');
    std::uint64_t x = 11;
    for (char& c : huge) c = static_cast<char>('A' + (x = x * 6364136223846793005u + 1) % 26);
    const Group big{.ref = huge, .callsign = "BIG1", .failure = true};
    const Group inside{.ref = huge.substr(1000, 6), .callsign = "IN1", .failure = true};
    const Group fresh{.ref = "0123", .callsign = "NEW1", .failure = true};
    const auto r = parse(log_of({big, inside, fresh, fresh}));
    ASSERT_EQ(r.record_count, 4);
    // The second ref occurs inside the first one, so only the first and the third are listed.
    EXPECT_EQ(r.defaults_list, huge + "#BIG1,0123#NEW1,");
    EXPECT_EQ(r.suggestions.size(), 1u);
    EXPECT_EQ(common::split(logs::make_result_lists(r.records).nomatch_text, "\r\n").size(), 2u);
}

TEST(LogParserBadInput, emptyLogAndOnlyMarkers) {
    auto r = parse(std::string_view());
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.record_count, 0);
    EXPECT_EQ(r.failed_steps, 0);
    EXPECT_FALSE(r.stopped_early);
    EXPECT_EQ(r.scroll_max, 0);
    EXPECT_EQ(r.scroll_large_change, 1);

    std::string text;
    for (int i = 0; i < 200000; ++i) text += "Model matching";
    r = parse(text);
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

// ---- Generated logs ------------------------------------------------------------------------

// A generated day of traffic: the parse must agree with what the generator counted while
// writing. (Generated logs of every size and line end are compared with a literal version of the
// parser in differential_test.cpp.)
TEST(LogParserGenerated, fortyThousandSpawnsParseCompletely) {
    const auto log = loggen::generate_log({.groups = 40000, .seed = 42});
    const auto r = parse(log.text);
    EXPECT_FALSE(r.stopped_early);
    const auto n = static_cast<std::int64_t>(log.facts.matched_groups);
    ASSERT_GT(n, 32767);  // beyond a 16-bit counter
    const auto recs = records_of(r);
    EXPECT_EQ(r.record_count, n);
    EXPECT_EQ(std::ssize(recs), n);
    EXPECT_EQ(r.fail_count, static_cast<std::int64_t>(log.facts.counted_failures));
    EXPECT_EQ(std::count_if(recs.begin(), recs.end(),
                            [](const std::string& rec) {
                                return rec.find("(Default Model)") != std::string::npos;
                            }),
              static_cast<std::ptrdiff_t>(log.facts.default_spawns));
    EXPECT_EQ(r.failed_steps, 0);
    EXPECT_EQ(r.scroll_max, n);
    EXPECT_EQ(r.scroll_large_change,
              common::round_half_even(295.0 * static_cast<double>(n + 1) / 26.0));
    // The oldest record is the first group's, at the end of the text.
    EXPECT_EQ(recs.back().substr(0, 3), "06:");
}

}  // namespace
