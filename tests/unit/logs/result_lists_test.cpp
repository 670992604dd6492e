#include "logs/result_lists.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/file_io.hpp"
#include "common/text.hpp"
#include "log_generator.hpp"
#include "test_paths.hpp"

namespace {

using logs::ResultKind;

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
        ResultKind kind;
        std::string records, want;  // records newest first
    };
    const std::string shifted =
        "14:03,FR1,B738 , RYR,Boeing 737-800, Winglets, Stand-in (Default Model),RYR1\r\n";
    const std::string mixed =
        rec("A", "n1", "x default") + rec("B", "n2", "x Default") + rec("C", "n3", "(Def only");
    const std::vector<Case> cases = {
        {"airlines stay together in first-met order", ResultKind::NoMatch,
         rec("A", "n1", "P Default") + rec("B", "n2", "P Default") + rec("A", "n3", "P Default"),
         "A,n1,P Default\r\nA,n3,P Default\r\nB,n2,P Default\r\n"},
        {"further lines go directly under the first, above earlier insertions", ResultKind::Matched,
         rec("A", "n1", "P") + rec("B", "n2", "P") + rec("A", "n3", "P") + rec("A", "n4", "P") +
             rec("B", "n5", "P"),
         "A,n1,P\r\nA,n4,P\r\nA,n3,P\r\nB,n2,P\r\nB,n5,P\r\n"},
        {"same airline and name with another plane: one line, the newest", ResultKind::NoMatch,
         rec("RYR", "Boeing 737-800", "New Default") + rec("RYR", "Boeing 737-800", "Old Default"),
         "RYR,Boeing 737-800,New Default\r\n"},
        {"an airline inside another line pulls the new line under it", ResultKind::Matched,
         rec("DLH", "KLM Cityhopper Special", "P") + rec("AFR", "n", "P") + rec("KLM", "E190", "P"),
         "DLH,KLM Cityhopper Special,P\r\nKLM,E190,P\r\nAFR,n,P\r\n"},
        // The first holder of "KL" changes from the KLM line to the AFR line inserted above it.
        {"the first line that holds the airline, in the order of the list so far",
         ResultKind::Matched,
         rec("AFR", "n1", "P") + rec("KLM", "n2", "P") + rec("AFR", "with KL inside", "P") +
             rec("KL", "n3", "P"),
         "AFR,n1,P\r\nAFR,with KL inside,P\r\nKL,n3,P\r\nKLM,n2,P\r\n"},
        {"an empty airline goes under the first line", ResultKind::Matched,
         rec("A", "n1", "P") + rec("B", "n2", "P") + rec("", "n3", "P"),
         "A,n1,P\r\n,n3,P\r\nB,n2,P\r\n"},
        // "RYR,Boeing 737" occurs inside the first line; "Name,Plane" spans two of its fields.
        {"a pair found anywhere in the text skips the row", ResultKind::Matched,
         rec("RYR", "Name", "Plane") + rec("RYR", "Boeing 737-800", "P") +
             rec("RYR", "Boeing 737", "P") + rec("Name", "Plane", "Q"),
         "RYR,Name,Plane\r\nRYR,Boeing 737-800,P\r\n"},
        {"the kind test respects case (no-match)", ResultKind::NoMatch, mixed,
         "B,n2,x Default\r\n"},
        {"the kind test respects case (matched)", ResultKind::Matched, mixed,
         "A,n1,x default\r\nC,n3,(Def only\r\n"},
        // A comma in the model name: field 5 is the name's second half, not the plane.
        {"fields by position (matched)", ResultKind::Matched, shifted,
         " RYR,Boeing 737-800, Winglets\r\n"},
        {"fields by position (models)", ResultKind::Models, shifted,
         "B738 , RYR,Boeing 737-800, Winglets\r\n"},
        {"empty and short rows are skipped", ResultKind::Matched,
         "\r\n\r\n" + rec("A", "n", "P") + "a,b,c,d,e\r\n\r\n", "A,n,P\r\n"},
        {"models: every distinct combination in record order", ResultKind::Models,
         rec("A", "n1", "P") + rec("A", "n1", "P") + rec("A", "n1", "P", "A20N") +
             rec("B", "n2", "P Default"),
         "B738,A,n1,P\r\nA20N,A,n1,P\r\nB738,B,n2,P Default\r\n"},
        {"models: a line inside an earlier line is skipped", ResultKind::Models,
         rec("RYR", "N", "P Q", "XB738") + rec("RYR", "N", "P"), "XB738,RYR,N,P Q\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(logs::get_data(c.kind, logs::RowText(c.records)), c.want) << c.what;
    }
}

TEST(Reports, linesOrMessage) {
    using common::Message;
    const Message none_found{"None found.", Message::Icon::Information};
    const Message no_titles{"No such information in current log.", Message::Icon::Information};
    struct Case {
        const char* what;
        bool failures;  // get_failures, else chk_types_listed
        std::string log, want;
        std::optional<Message> message = std::nullopt;  // shown instead of a report
    };
    const std::vector<Case> cases = {
        {"failed_to_read.txt", true, fixture("failed_to_read.txt"),
         " D:\\Sim\\Community\\liveries-RYR\\SimObjects\\Airplanes\\B738_RYR\\aircraft.cfg\r\n"
         " D:\\Sim\\Community\\liveries-DLH\\SimObjects\\Airplanes\\A20N_DLH\\aircraft.cfg "
         "(access denied)\r\n"
         "\r\n"},  // the last line ends right after the marker, without a line end
        {"two markers on one line", true, "x Failed to read A Failed to read B\r\nrest\r\n",
         " A \r\n B\r\n"},
        {"every line end ends the rest of the line", true,
         "Failed to read A\nx\r\nFailed to read B\rx\nFailed to read C\r\nx", " A\r\n B\r\n C\r\n"},
        {"no log", true, "", "", Message{"Select a log."}},
        {"no marker", true, fixture("two_groups.txt"), "", none_found},
        {"the marker respects letter case", true, "x failed to read y", "", none_found},
        {"addon_titles.txt", false, fixture("addon_titles.txt"),
         "Boeing 737-800 Ryanair\r\nAirbus A320neo Lufthansa\r\n"
         "check: found add-on with title Embraer E190 KLM\r\n"},
        {"a title word at the very end of its line", false,
         "Found add-on with title A\nFound add-on with title\n", "A\r\n\r\n"},
        {"CR-only and mixed line ends", false,
         "add-on with title A\radd-on with title B\r\n\nadd-on with title C\n\radd-on with title D",
         "A\r\nB\r\nC\r\nD\r\n"},
        {"no titles", false, fixture("two_groups.txt"), "", no_titles},
        {"empty log, no titles", false, "", "", no_titles},
    };
    for (const Case& c : cases) {
        const logs::Report r =
            c.failures ? logs::get_failures(c.log) : logs::chk_types_listed(c.log);
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(r.text, c.want) << c.what;
    }
}

// A generated day with each kind of line end: one report line per line the generator wrote, and
// no line end inside a report line.
TEST(Reports, oneLinePerLoggedLineWhateverTheLineEnds) {
    const auto lines_of = [](const logs::Report& r) {
        const auto lines = common::split(r.text, "\r\n");
        for (const auto line : lines) EXPECT_EQ(line.find_first_of("\r\n"), line.npos) << line;
        return lines.empty() ? 0 : lines.size() - 1;  // the text ends with a line end
    };
    for (const auto ends : {loggen::LineEnds::CrLf, loggen::LineEnds::Lf, loggen::LineEnds::Cr}) {
        const auto log = loggen::generate_log({.groups = 300, .seed = 5, .line_ends = ends});
        EXPECT_EQ(lines_of(logs::get_failures(log.text)), log.facts.failed_to_read_lines);
        EXPECT_EQ(lines_of(logs::chk_types_listed(log.text)), log.facts.addon_title_lines);
    }
}

}  // namespace
