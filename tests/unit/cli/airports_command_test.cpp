#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../common/temp_folder.hpp"
#include "airports/lookup_file.hpp"
#include "cli/cli.hpp"
#include "common/file_io.hpp"

namespace {

class AirportsCommandTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directories(tmp_.file("system")); }
    int run(std::vector<std::string> args) {
        args.insert(args.end(), {"--app-folder", tmp_.str()});
        out_.str({});
        return cli::run(args, out_, err_);
    }
    testing_support::TempFolder tmp_;
    std::ostringstream out_, err_;
};

TEST_F(AirportsCommandTest, listsTheFileAsLoaded) {
    ASSERT_TRUE(common::write_file_atomic(tmp_.file("system/airplst"), "A#1/2\r\nB\r\n"));
    EXPECT_EQ(run({"airports"}), 0);
    EXPECT_EQ(out_.str(), "A\t1/2\nB\t\n");
    ASSERT_TRUE(common::write_file_atomic(tmp_.file("system/airplst"), ""));
    EXPECT_EQ(run({"airports"}), 1);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(AirportsCommandTest, searchOffersEveryCandidateThenTheClosingMessage) {
    ASSERT_TRUE(common::write_file_atomic(
        tmp_.file("system/az5"), airports::scramble_lookup("#51.47,-0.46,London Heathrow,EGLL,LHR#"
                                                           "51.15,-0.18,London Gatwick,EGKK,LGW")));
    ASSERT_TRUE(common::write_file_atomic(tmp_.file("system/airplst"), "EGKK Gatwick#1/2\r\n"));
    EXPECT_EQ(run({"airport-search", "london"}), 0);
    EXPECT_EQ(out_.str(),
              "EGLL London Heathrow\t51.47\t-0.46\n"
              "Already contains:EGKK\n");
    EXPECT_EQ(run({"airport-search", "lgx"}), 1);
    EXPECT_EQ(out_.str(), "'lgx' not found. Use ICAO instead.\n");
}

}  // namespace

namespace {

TEST(ExportCommand, printsOrWritesTheCsv) {
    testing_support::TempFolder tmp;
    const std::string log = tmp.file("log2024051314.txt");
    ASSERT_TRUE(common::write_file_atomic(
        log,
        "2024-05-13 14:03:27.123 +01:00 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
        "2024-05-13 14:03:27.123 +01:00 [INF] Best matched model: B738 with: x airline: RYR, "
        "Boeing 737-800 Ryanair\r\n"
        "2024-05-13 14:03:27.123 +01:00 [INF] Setting callsign for RYR12\r\n"));
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"export", log, "--out", tmp.file("t.csv")}, out, err), 0) << err.str();
    const std::string csv = common::read_file(tmp.file("t.csv"));
    EXPECT_TRUE(csv.starts_with("Time,REF,Model,Airline,Name of Model,Plane Spawned,CallSign\r\n"));
    EXPECT_NE(csv.find("RYR12\r\n"), std::string::npos) << csv;
    EXPECT_EQ(cli::run({"export", log}, out, err), 0);
    EXPECT_EQ(out.str(), csv);
    EXPECT_EQ(cli::run({"export", tmp.file("missing.txt")}, out, err), 2);
}

}  // namespace
