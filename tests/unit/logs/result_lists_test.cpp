#include "logs/result_lists.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "common/file_io.hpp"
#include "logs/log_parser.hpp"
#include "matching/suggestions.hpp"
#include "test_paths.hpp"

namespace {

namespace fs = std::filesystem;

// One spawn record with the fields the result lists read; the rest is filler.
std::string rec(std::string_view airline, std::string_view name, std::string_view plane,
                std::string_view model = "B738") {
    return "14:03,FR1," + std::string(model) + "," + std::string(airline) + "," +
           std::string(name) + "," + std::string(plane) + ",RYR1";
}

logs::RowText records(std::initializer_list<std::string> newest_first) {
    std::string text;
    for (const auto& r : newest_first) text.append(r).append("\r\n");
    return logs::RowText(std::move(text));
}

std::string fixture(const std::string& name) {
    return common::read_file(testing_support::data_path("logs/" + name));
}

// A fresh folder under the system's temporary folder, removed again at the end of the test.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = fs::temp_directory_path() /
                ("skelvar-results-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                 std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string str() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

// ---- get_data, kinds 0 and 1 ---------------------------------------------------------------

TEST(GetDataGrouped, airlinesStayTogetherInFirstMetOrder) {
    const auto rows = records(
        {rec("A", "n1", "P Default"), rec("B", "n2", "P Default"), rec("A", "n3", "P Default")});
    EXPECT_EQ(logs::get_data(logs::kNoMatch, rows),
              "A,n1,P Default\r\nA,n3,P Default\r\nB,n2,P Default\r\n");
    EXPECT_EQ(logs::get_data(logs::kMatched, rows), "");
}

TEST(GetDataGrouped, furtherLinesGoDirectlyUnderTheFirstAboveEarlierInsertions) {
    const auto rows = records({rec("A", "n1", "P"), rec("B", "n2", "P"), rec("A", "n3", "P"),
                               rec("A", "n4", "P"), rec("B", "n5", "P")});
    EXPECT_EQ(logs::get_data(logs::kMatched, rows),
              "A,n1,P\r\nA,n4,P\r\nA,n3,P\r\nB,n2,P\r\nB,n5,P\r\n");
}

TEST(GetDataGrouped, sameAirlineAndNameWithOtherPlane_oneLineTheNewest) {
    const auto rows = records({rec("RYR", "Boeing 737-800", "New Title Default"),
                               rec("RYR", "Boeing 737-800", "Old Title Default")});
    EXPECT_EQ(logs::get_data(logs::kNoMatch, rows), "RYR,Boeing 737-800,New Title Default\r\n");
}

TEST(GetDataGrouped, airlineInsideAnotherLine_pullsTheNewLineUnderIt) {
    const auto rows = records(
        {rec("DLH", "KLM Cityhopper Special", "P"), rec("AFR", "n", "P"), rec("KLM", "E190", "P")});
    EXPECT_EQ(logs::get_data(logs::kMatched, rows),
              "DLH,KLM Cityhopper Special,P\r\nKLM,E190,P\r\nAFR,n,P\r\n");
}

TEST(GetDataGrouped, pairFoundAnywhereInTheText_skipsTheRow) {
    // "RYR,Boeing 737" occurs inside the first line; "Name,Plane" spans two of its fields.
    const auto rows = records({rec("RYR", "Name", "Plane"), rec("RYR", "Boeing 737-800", "P"),
                               rec("RYR", "Boeing 737", "P"), rec("Name", "Plane", "Q")});
    EXPECT_EQ(logs::get_data(logs::kMatched, rows), "RYR,Name,Plane\r\nRYR,Boeing 737-800,P\r\n");
}

TEST(GetDataGrouped, kindTestIsCaseSensitiveOnField5) {
    const auto rows = records(
        {rec("A", "n1", "x default"), rec("B", "n2", "x Default"), rec("C", "n3", "(Def only")});
    EXPECT_EQ(logs::get_data(logs::kNoMatch, rows), "B,n2,x Default\r\n");
    EXPECT_EQ(logs::get_data(logs::kMatched, rows), "A,n1,x default\r\nC,n3,(Def only\r\n");
}

TEST(GetDataGrouped, fieldsTakenByPositionWhenACommaShiftsThem) {
    // A model name with a comma: field 5 is then the name's second half, not the plane.
    const logs::RowText rows(
        "14:03,FR1,B738 , RYR,Boeing 737-800, Winglets, Stand-in (Default Model),RYR1\r\n");
    EXPECT_EQ(logs::get_data(logs::kNoMatch, rows), "");
    EXPECT_EQ(logs::get_data(logs::kMatched, rows), " RYR,Boeing 737-800, Winglets\r\n");
    EXPECT_EQ(logs::get_data(logs::kModels, rows), "B738 , RYR,Boeing 737-800, Winglets\r\n");
}

TEST(GetDataGrouped, emptyRowsAndEmptyRecordsGiveNothing) {
    EXPECT_EQ(logs::get_data(logs::kNoMatch, logs::RowText()), "");
    EXPECT_EQ(logs::get_data(logs::kMatched, logs::RowText()), "");
    EXPECT_EQ(logs::get_data(logs::kModels, logs::RowText()), "");
    const logs::RowText rows("\r\n\r\n" + rec("A", "n", "P") + "\r\n\r\n");
    EXPECT_EQ(logs::get_data(logs::kMatched, rows), "A,n,P\r\n");
}

// ---- get_data, kind 2 ----------------------------------------------------------------------

TEST(GetDataModels, everyDistinctCombinationInRecordOrder) {
    const auto rows = records({rec("A", "n1", "P", "B738"), rec("A", "n1", "P", "B738"),
                               rec("A", "n1", "P", "A20N"), rec("B", "n2", "P Default", "B738")});
    EXPECT_EQ(logs::get_data(logs::kModels, rows),
              "B738,A,n1,P\r\nA20N,A,n1,P\r\nB738,B,n2,P Default\r\n");
}

TEST(GetDataModels, lineInsideAnEarlierLineIsSkipped) {
    const auto rows = records({rec("RYR", "N", "P Q", "XB738"), rec("RYR", "N", "P", "B738")});
    EXPECT_EQ(logs::get_data(logs::kModels, rows), "XB738,RYR,N,P Q\r\n");
}

TEST(GetData, fieldsCopiedUntrimmedFromAParse) {
    logs::ParseOptions options;
    options.get_text4 = &matching::get_text4;
    const auto parsed = logs::get_list4(fixture("two_groups.txt"), options);
    const auto lists = logs::make_result_lists(parsed.records);
    EXPECT_EQ(lists.nomatch_text, "");
    EXPECT_EQ(lists.matched_text,
              " DLH,Airbus A320neo, Airbus A320neo Lufthansa\r\n"
              " RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n");
    EXPECT_EQ(lists.models_text,
              "A20N , DLH,Airbus A320neo, Airbus A320neo Lufthansa\r\n"
              "B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n");

    const auto defaults = logs::get_list4(fixture("failure_before_matched.txt"), options);
    EXPECT_EQ(logs::get_data(logs::kNoMatch, defaults.records),
              " RYR,Boeing 737-800, Airbus A320 Neo Standard (Default Model)\r\n");
}

TEST(GetData, resultFileNames) {
    EXPECT_EQ(logs::result_file_name(logs::kNoMatch), "no-match");
    EXPECT_EQ(logs::result_file_name(logs::kMatched), "matched");
    EXPECT_EQ(logs::result_file_name(logs::kModels), "models");
}

// ---- Result files --------------------------------------------------------------------------

TEST(WriteResultFiles, withoutRecordsNothingIsWrittenAndOldFilesStay) {
    TempFolder folder;
    for (const char* name : {"no-match", "matched", "models"}) {
        ASSERT_TRUE(common::write_file_atomic(folder.file(name), "old"));
    }
    const logs::RowText none;
    EXPECT_TRUE(logs::write_result_files(folder.str(), none, logs::make_result_lists(none)));
    for (const char* name : {"no-match", "matched", "models"}) {
        EXPECT_EQ(common::read_file(folder.file(name)), "old") << name;
    }
}

TEST(WriteResultFiles, recordsWithoutDefaults_noMatchHoldsOneEmptyLine) {
    TempFolder folder;
    const auto rows = records({rec("A", "n1", "P"), rec("B", "n2", "Q")});
    const auto lists = logs::make_result_lists(rows);
    ASSERT_TRUE(logs::write_result_files(folder.str(), rows, lists));
    EXPECT_EQ(common::read_file(folder.file("no-match")), "\r\n");
    EXPECT_EQ(common::read_file(folder.file("matched")), "A,n1,P\r\nB,n2,Q\r\n\r\n");
    EXPECT_EQ(common::read_file(folder.file("models")), "B738,A,n1,P\r\nB738,B,n2,Q\r\n\r\n");
    // Only the three files, no temporary leftovers.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.str())) ++files;
    EXPECT_EQ(files, 3u);
}

TEST(WriteResultFiles, missingFolderIsReported) {
    TempFolder folder;
    const auto rows = records({rec("A", "n1", "P")});
    EXPECT_FALSE(logs::write_result_files(folder.file("no-such-folder"), rows,
                                          logs::make_result_lists(rows)));
}

// ---- Reports -------------------------------------------------------------------------------

TEST(GetFailures, messagesWithoutALogOrWithoutHits) {
    auto report = logs::get_failures("");
    ASSERT_TRUE(report.message.has_value());
    EXPECT_EQ(report.message->text, "Select a log.");
    EXPECT_EQ(report.message->icon, common::Message::Icon::None);
    EXPECT_EQ(report.text, "");

    report = logs::get_failures(fixture("two_groups.txt"));
    ASSERT_TRUE(report.message.has_value());
    EXPECT_EQ(report.message->text, "None found.");
    EXPECT_EQ(report.message->icon, common::Message::Icon::Information);

    // The test respects letter case.
    report = logs::get_failures("x failed to read y\r\n");
    ASSERT_TRUE(report.message.has_value());
    EXPECT_EQ(report.message->text, "None found.");
}

TEST(GetFailures, restOfEachLineAfterTheMarker) {
    const auto report = logs::get_failures(fixture("failed_to_read.txt"));
    EXPECT_FALSE(report.message.has_value());
    EXPECT_EQ(report.text,
              " D:\\Sim\\Community\\liveries-RYR\\SimObjects\\Airplanes\\B738_RYR\\aircraft.cfg\r\n"
              " D:\\Sim\\Community\\liveries-DLH\\SimObjects\\Airplanes\\A20N_DLH\\aircraft.cfg "
              "(access denied)\r\n"
              "\r\n");  // the last line ends right after the marker, without a line end
}

TEST(GetFailures, twoMarkersOnOneLine_eachGivesAPiece) {
    const auto report = logs::get_failures("x Failed to read A Failed to read B\r\nrest\r\n");
    EXPECT_EQ(report.text, " A \r\n B\r\n");
}

TEST(ChkTypesListed, titlesAfterTheFirstTitleWordAnyLetterCase) {
    const auto report = logs::chk_types_listed(fixture("addon_titles.txt"));
    EXPECT_FALSE(report.message.has_value());
    EXPECT_EQ(report.text,
              "Boeing 737-800 Ryanair\r\n"
              "Airbus A320neo Lufthansa\r\n"
              "check: found add-on with title Embraer E190 KLM\r\n");
}

TEST(ChkTypesListed, noLinesOrNoLog_message) {
    for (const std::string& log : {std::string(), fixture("two_groups.txt")}) {
        const auto report = logs::chk_types_listed(log);
        ASSERT_TRUE(report.message.has_value());
        EXPECT_EQ(report.message->text, "No such information in current log.");
        EXPECT_EQ(report.message->icon, common::Message::Icon::Information);
        EXPECT_EQ(report.text, "");
    }
}

TEST(ChkTypesListed, lfLinesAndATitleAtTheLineEnd) {
    const auto report =
        logs::chk_types_listed("Found add-on with title A\nFound add-on with title\n");
    EXPECT_FALSE(report.message.has_value());
    EXPECT_EQ(report.text, "A\r\n\r\n");
}

}  // namespace
