// Parses of hand-written and code-built logs against the rules; the finer cut positions on every
// kind of input are compared with a literal version of the parser in differential_test.cpp.

#include "logs/log_parser.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_io.hpp"
#include "common/text.hpp"
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

std::string info(std::string_view s) {
    return "2024-05-01 14:03:27.123 +01:00 [INF] " + std::string(s);
}
std::string warn(std::string_view s) {
    return "2024-05-01 14:03:27.123 +01:00 [WRN] " + std::string(s);
}
std::string crlf(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines) out.append(l).append("\r\n");
    return out;
}

// One spawn group in the usual line order, and the record it gives.
struct Group {
    std::string name = "Boeing 737-800", type = "B738", airline = "RYR";
    std::string title = "Boeing 737-800 Ryanair", ref = "FR1", callsign = "RYR1";
    bool failure = false;  // a "failed to model" line before the "matched" line
};

const std::string kFailure = warn("Failed to model match, using a default model");
std::string matched_line(const Group& g) {
    return info("Aircraft matched type: " + g.type + " with: L airline: " + g.airline + ", " +
                g.title);
}
std::string spawn_line(std::string_view ref) {
    return info("Spawned AI plane " + std::string(ref) + " lat: 50.0333 lon: 8.5706");
}
std::string setting_line(std::string_view cs) {
    return info("Setting flight plan for " + std::string(cs));
}
std::string group_text(const Group& g) {
    std::string out = crlf({info("Model matching: " + g.name + " with airline: " + g.airline),
                            info("Got data for " + g.callsign)});
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

const Group kG;
const std::string kRec = record_of(kG);

std::string at(std::string_view time, const std::string& record) {
    return std::string(time) + record.substr(record.find(','));
}

struct Case {
    std::string what{};
    std::string log{};
    std::vector<Group> groups{};  // when given: the log of these groups, their records expected
    Strings records{};            // newest first
    std::int64_t fails = 0;
    std::int64_t failed_steps = 0;
    std::string defaults{};
    bool stopped = false;
    std::optional<Strings> suggestions{};  // checked when given
};

void expect_parse(const Case& c) {
    SCOPED_TRACE(c.what);
    Strings want = c.records;
    if (!c.groups.empty()) {
        for (auto it = c.groups.rbegin(); it != c.groups.rend(); ++it)
            want.push_back(record_of(*it));
    }
    const auto r = parse(c.groups.empty() ? c.log : log_of(c.groups));
    EXPECT_EQ(records_of(r), want);
    EXPECT_EQ(r.record_count, static_cast<std::int64_t>(want.size()));
    EXPECT_EQ(r.fail_count, c.fails);
    EXPECT_EQ(r.failed_steps, c.failed_steps);
    EXPECT_EQ(r.defaults_list, c.defaults);
    EXPECT_EQ(r.stopped_early, c.stopped);
    if (c.suggestions) {
        EXPECT_EQ(r.suggestions, *c.suggestions);
    }
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
        expect_parse(c);
    }
}

// Every line end reads as CR LF: the same groups give the same records with any mix of them.
TEST(LogParser, everyLineEndReadsAsCrLf) {
    const Group b{.ref = "FR2", .callsign = "RYR2", .failure = true};
    const std::string crlf_log = log_of({kG, b});
    const Strings want = {record_of(b), kRec};
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
}

TEST(LogParser, countedLinesBlockZeroDefaultsAndSuggestions) {
    const auto line_case = [](const std::string& line, bool counted) {
        return Case{.what = line,
                    .log = crlf({info("Model matching: Boeing 737-800 with airline: RYR"), line,
                                 matched_line(kG), spawn_line("FR1"), setting_line("RYR1")}),
                    .records = {record_of(Group{.failure = counted})},
                    .fails = counted ? 1 : 0,
                    .defaults = counted ? "FR1#RYR1," : ""};
    };
    const Group fr2{.ref = "FR2", .callsign = "RYR2"};
    const std::vector<Case> cases = {
        line_case(warn("Updating: failed to model B738"), false),
        line_case(warn("Got data, failed to model B738"), false),
        line_case(warn("failed to model via https://x"), false),
        line_case(warn("Deleting B738: failed to model"), true),
        line_case(warn("Recieved: failed to model"), true),
        line_case(warn("Teleport after failed to model"), true),
        // Block 0 with "with airline:" and "matched" gives a record of its own; a later group
        // without "matched" is skipped, even without "with airline:".
        {.what = "block 0 counts, an unmatched group does not",
         .log = crlf({"..Boeing 757 with airline: DHK",
                      info("Aircraft matched type: B752 with: DHL airline: DHK, Boeing 757 DHL"),
                      spawn_line("D0100"), setting_line("DHK100"),
                      info("Model matching: no airline here")}) +
                group_text(fr2),
         .records = {record_of(fr2), "14:03,D0100,B752 , DHK,Boeing 757, Boeing 757 DHL,DHK100"}},
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
        {.what = "a repeated suggestion or one inside an earlier one is listed once",
         .groups = {{.airline = "RYRX", .failure = true},
                    {.airline = "RYRX", .ref = "FR2", .failure = true},
                    {.ref = "FR3", .failure = true},
                    {.type = "A20N", .airline = "DLH", .ref = "LH1", .failure = true}},
         .fails = 4,
         .defaults = "FR1#RYR1,FR2#RYR1,FR3#RYR1,LH1#RYR1,",
         .suggestions = Strings{" Livery?:B738,RYRX", " Model?:A20N,DLH"}},
    };
    for (const Case& c : cases) expect_parse(c);
}

std::string numbered_groups(int n) {
    std::vector<Group> groups(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) groups[static_cast<std::size_t>(i)].ref = "FR" + std::to_string(i);
    return log_of(groups);
}

TEST(LogParser, scrollBarMaxAndLargeChange_noneAfterAStop) {
    struct Row {
        std::string what, log;
        std::int64_t header, records, max, large_change;
    };
    const std::string stop = crlf({info("Model matching: Boeing 777 for BAW"), matched_line(kG)});
    // (H + 100) * (n + 1) / 26, halves to even: 306.35, 310.5, 337.5, 520.
    for (const Row& row : std::vector<Row>{
             {"empty log", "", 195, 0, 0, 1},
             {"24", numbered_groups(24), 195, 24, 0, 1},
             {"25", numbered_groups(25), 195, 25, 25, 1},
             {"26", numbered_groups(26), 195, 26, 26, 306},
             {"26, header 199", numbered_groups(26), 199, 26, 26, 310},
             {"26, header 225", numbered_groups(26), 225, 26, 26, 338},
             {"51, header 160", numbered_groups(51), 160, 51, 51, 520},
             {"30, then a stop", numbered_groups(30) + stop + group_text(kG), 195, 30, 0, 1}}) {
        SCOPED_TRACE(row.what);
        const auto r = parse(row.log, row.header);
        EXPECT_EQ(r.record_count, row.records);
        EXPECT_EQ(std::ssize(records_of(r)), row.records);
        EXPECT_EQ(r.scroll_max, row.max);
        EXPECT_EQ(r.scroll_large_change, row.large_change);
    }
}

TEST(LogParser, failedStepsMessage) {
    auto r = parse(common::read_file(testing_support::data_path("logs/time_without_zone.txt")));
    ASSERT_EQ(r.failed_step_descriptions.size(), 1u);
    std::string message = logs::failed_steps_message(r);
    EXPECT_TRUE(message.starts_with("1 step ")) << message;
    EXPECT_EQ(message.substr(message.size() - r.failed_step_descriptions[0].size()),
              r.failed_step_descriptions[0]);
    EXPECT_EQ(logs::failed_steps_message(parse(log_of({kG}))), "");

    // Groups without a line break never set the model text: every one fails its record step,
    // reported together, the first few described.
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "Model matching: matched with airline: X ";
    r = parse(text);
    EXPECT_EQ(r.record_count, 1000);
    EXPECT_EQ(r.records_text(), "");
    EXPECT_EQ(r.failed_steps, 1000);
    EXPECT_EQ(r.failed_step_descriptions.size(), logs::kMaxFailureDescriptions);
    message = logs::failed_steps_message(r);
    EXPECT_TRUE(message.starts_with("1000 steps ")) << message;
    EXPECT_EQ(message.substr(message.size() - 5), "\r\n...");
}

}  // namespace
