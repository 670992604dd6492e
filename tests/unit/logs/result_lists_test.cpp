#include "logs/result_lists.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "log_generator.hpp"
#include "test_paths.hpp"

namespace {

// One spawn record with the fields the result lists read; the rest is filler.
std::string rec(std::string_view airline, std::string_view name, std::string_view plane,
                std::string_view model = "B738") {
    return "14:03,FR1," + std::string(model) + "," + std::string(airline) + "," +
           std::string(name) + "," + std::string(plane) + ",RYR1\r\n";
}

std::string fixture(const std::string& name) {
    return common::read_file(testing_support::data_path("logs/" + name));
}

TEST(GetData, linesPerKindGroupedByAirline) {
    struct Case {
        const char* what;
        logs::ResultKind kind;
        std::string records, want;  // records newest first
    };
    const std::string aba =
        rec("A", "n1", "P Default") + rec("B", "n2", "P Default") + rec("A", "n3", "P Default");
    const std::string shifted =
        "14:03,FR1,B738 , RYR,Boeing 737-800, Winglets, Stand-in (Default Model),RYR1\r\n";
    const std::string mixed =
        rec("A", "n1", "x default") + rec("B", "n2", "x Default") + rec("C", "n3", "(Def only");
    const std::vector<Case> cases = {
        {"airlines stay together in first-met order", logs::ResultKind::NoMatch, aba,
         "A,n1,P Default\r\nA,n3,P Default\r\nB,n2,P Default\r\n"},
        {"default rows are no matched rows", logs::ResultKind::Matched, aba, ""},
        {"further lines go directly under the first, above earlier insertions",
         logs::ResultKind::Matched,
         rec("A", "n1", "P") + rec("B", "n2", "P") + rec("A", "n3", "P") + rec("A", "n4", "P") +
             rec("B", "n5", "P"),
         "A,n1,P\r\nA,n4,P\r\nA,n3,P\r\nB,n2,P\r\nB,n5,P\r\n"},
        {"same airline and name with another plane: one line, the newest",
         logs::ResultKind::NoMatch,
         rec("RYR", "Boeing 737-800", "New Default") + rec("RYR", "Boeing 737-800", "Old Default"),
         "RYR,Boeing 737-800,New Default\r\n"},
        {"an airline inside another line pulls the new line under it", logs::ResultKind::Matched,
         rec("DLH", "KLM Cityhopper Special", "P") + rec("AFR", "n", "P") + rec("KLM", "E190", "P"),
         "DLH,KLM Cityhopper Special,P\r\nKLM,E190,P\r\nAFR,n,P\r\n"},
        // The first holder of "KL" changes from the KLM line to the AFR line inserted above it.
        {"the first line that holds the airline, in the order of the list so far",
         logs::ResultKind::Matched,
         rec("AFR", "n1", "P") + rec("KLM", "n2", "P") + rec("AFR", "with KL inside", "P") +
             rec("KL", "n3", "P"),
         "AFR,n1,P\r\nAFR,with KL inside,P\r\nKL,n3,P\r\nKLM,n2,P\r\n"},
        {"an empty airline goes under the first line", logs::ResultKind::Matched,
         rec("A", "n1", "P") + rec("B", "n2", "P") + rec("", "n3", "P"),
         "A,n1,P\r\n,n3,P\r\nB,n2,P\r\n"},
        // "RYR,Boeing 737" occurs inside the first line; "Name,Plane" spans two of its fields.
        {"a pair found anywhere in the text skips the row", logs::ResultKind::Matched,
         rec("RYR", "Name", "Plane") + rec("RYR", "Boeing 737-800", "P") +
             rec("RYR", "Boeing 737", "P") + rec("Name", "Plane", "Q"),
         "RYR,Name,Plane\r\nRYR,Boeing 737-800,P\r\n"},
        {"the kind test respects case (no-match)", logs::ResultKind::NoMatch, mixed,
         "B,n2,x Default\r\n"},
        {"the kind test respects case (matched)", logs::ResultKind::Matched, mixed,
         "A,n1,x default\r\nC,n3,(Def only\r\n"},
        // A comma in the model name: field 5 is the name's second half, not the plane.
        {"fields by position (no-match)", logs::ResultKind::NoMatch, shifted, ""},
        {"fields by position (matched)", logs::ResultKind::Matched, shifted,
         " RYR,Boeing 737-800, Winglets\r\n"},
        {"fields by position (models)", logs::ResultKind::Models, shifted,
         "B738 , RYR,Boeing 737-800, Winglets\r\n"},
        {"no records", logs::ResultKind::Models, "", ""},
        {"empty and short rows are skipped", logs::ResultKind::Matched,
         "\r\n\r\n" + rec("A", "n", "P") + "a,b,c,d,e\r\n\r\n", "A,n,P\r\n"},
        {"models: every distinct combination in record order", logs::ResultKind::Models,
         rec("A", "n1", "P") + rec("A", "n1", "P") + rec("A", "n1", "P", "A20N") +
             rec("B", "n2", "P Default"),
         "B738,A,n1,P\r\nA20N,A,n1,P\r\nB738,B,n2,P Default\r\n"},
        {"models: a line inside an earlier line is skipped", logs::ResultKind::Models,
         rec("RYR", "N", "P Q", "XB738") + rec("RYR", "N", "P"), "XB738,RYR,N,P Q\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(logs::get_data(c.kind, logs::RowText(c.records)), c.want) << c.what;
    }
}

TEST(Reports, getFailures) {
    auto report = logs::get_failures("");
    ASSERT_TRUE(report.message.has_value());
    EXPECT_EQ(report.message->text, "Select a log.");
    EXPECT_EQ(report.message->icon, common::Message::Icon::None);
    EXPECT_EQ(report.text, "");
    // The marker respects letter case.
    for (const std::string& log : {fixture("two_groups.txt"), std::string("x failed to read y")}) {
        report = logs::get_failures(log);
        ASSERT_TRUE(report.message.has_value());
        EXPECT_EQ(report.message->text, "None found.");
        EXPECT_EQ(report.message->icon, common::Message::Icon::Information);
    }
    report = logs::get_failures(fixture("failed_to_read.txt"));
    EXPECT_FALSE(report.message.has_value());
    EXPECT_EQ(report.text,
              " D:\\Sim\\Community\\liveries-RYR\\SimObjects\\Airplanes\\B738_RYR\\aircraft.cfg\r\n"
              " D:\\Sim\\Community\\liveries-DLH\\SimObjects\\Airplanes\\A20N_DLH\\aircraft.cfg "
              "(access denied)\r\n"
              "\r\n");  // the last line ends right after the marker, without a line end
    // Two markers on one line: each gives a piece.
    EXPECT_EQ(logs::get_failures("x Failed to read A Failed to read B\r\nrest\r\n").text,
              " A \r\n B\r\n");
    // Every line end ends the rest of the line.
    EXPECT_EQ(
        logs::get_failures("Failed to read A\nx\r\nFailed to read B\rx\nFailed to read C\r\nx")
            .text,
        " A\r\n B\r\n C\r\n");
}

TEST(Reports, chkTypesListed) {
    auto report = logs::chk_types_listed(fixture("addon_titles.txt"));
    EXPECT_FALSE(report.message.has_value());
    EXPECT_EQ(report.text,
              "Boeing 737-800 Ryanair\r\nAirbus A320neo Lufthansa\r\n"
              "check: found add-on with title Embraer E190 KLM\r\n");
    // LF line ends, and a title word at the very end of its line.
    EXPECT_EQ(logs::chk_types_listed("Found add-on with title A\nFound add-on with title\n").text,
              "A\r\n\r\n");
    // CR-only and mixed line ends.
    EXPECT_EQ(logs::chk_types_listed("add-on with title A\radd-on with title B\r\n\nadd-on with "
                                     "title C\n\radd-on with title D")
                  .text,
              "A\r\nB\r\nC\r\nD\r\n");
    for (const std::string& log : {std::string(), fixture("two_groups.txt")}) {
        report = logs::chk_types_listed(log);
        ASSERT_TRUE(report.message.has_value());
        EXPECT_EQ(report.message->text, "No such information in current log.");
        EXPECT_EQ(report.message->icon, common::Message::Icon::Information);
        EXPECT_EQ(report.text, "");
    }
}

// A generated day with each kind of line end: one report line per line the generator wrote, and
// no line end inside a report line.
TEST(Reports, oneLinePerLoggedLineWhateverTheLineEnds) {
    const auto lines_of = [](const logs::Report& r) {
        std::vector<std::string> lines;
        for (std::size_t pos = 0; pos < r.text.size();) {
            const std::size_t end = std::min(r.text.find("\r\n", pos), r.text.size());
            lines.push_back(r.text.substr(pos, end - pos));
            EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
            pos = end + 2;
        }
        return lines.size();
    };
    for (const auto ends : {loggen::LineEnds::CrLf, loggen::LineEnds::Lf, loggen::LineEnds::Cr}) {
        const auto log = loggen::generate_log({.groups = 300, .seed = 5, .line_ends = ends});
        EXPECT_EQ(lines_of(logs::get_failures(log.text)), log.facts.failed_to_read_lines);
        EXPECT_EQ(lines_of(logs::chk_types_listed(log.text)), log.facts.addon_title_lines);
    }
}

}  // namespace
