#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "common/file_io.hpp"

namespace {

namespace fs = std::filesystem;

std::string group(const std::string& clock, const std::string& name, const std::string& type,
                  const std::string& airline, const std::string& spawned, const std::string& ref,
                  const std::string& callsign, bool failed) {
    const std::string stamp = "2024-05-13 " + clock + ".123 +01:00 ";
    std::string g = stamp + "[INF] Model matching: " + name + " with airline: " + airline + "\r\n";
    if (failed) g += stamp + "[WRN] Failed to model match " + type + "\r\n";
    g += stamp + "[INF] Best matched model: " + type + " with: x airline: " + airline + ", " +
         spawned + "\r\n";
    g += stamp + "[INF] Spawned aircraft " + ref + " lat: 51.47 lon: -0.45\r\n";
    g += stamp + "[INF] Setting callsign for " + callsign + "\r\n";
    return g;
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("skelvar_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "app");
        log_ = (dir_ / "log2024051314.txt").string();
        app_ = (dir_ / "app").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    int run(const std::vector<std::string>& args) {
        out_.str({});
        err_.str({});
        return cli::run(args, out_, err_);
    }

    fs::path dir_;
    std::string log_, app_;
    std::ostringstream out_, err_;
};

TEST_F(CliTest, analyze_printsEverySectionInOrderAndWritesTheResultLists) {
    const std::string text =
        "2024-05-13 14:00:00.000 +01:00 [INF] Starting\r\n" +
        group("14:03:27", "Boeing 737-800", "B738", "RYR", "Boeing 737-800 Ryanair", "4CA7B1",
              "RYR12", false) +
        group("14:05:10", "Airbus A320neo", "A20N", "DLH", "Airbus A320 Neo (Default Model)",
              "3C6DD2", "DLH9", true);
    ASSERT_TRUE(common::write_file_atomic(log_, text));

    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}), 0) << err_.str();
    const std::string expected =
        "records: 2\n"
        "failed: 1\n"
        "== records\n"
        "14:05,3C6DD2, A20N , DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default "
        "Model),DLH9\n"
        "14:03,4CA7B1, B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR12\n"
        "== defaults\n"
        "3C6DD2#DLH9\n"
        "== suggestions\n"
        " Livery?:A20N,DLH\tAirbus A320neo >  Airbus A320 Neo (Default Model) (Default Model)\n"
        "== messages\n";
    EXPECT_EQ(out_.str(), expected);

    EXPECT_EQ(common::read_file((fs::path(app_) / "models" / "no-match").string()),
              " DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default Model)\r\n\r\n");
    EXPECT_EQ(common::read_file((fs::path(app_) / "models" / "matched").string()),
              " RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n\r\n");
    EXPECT_TRUE(fs::is_directory(fs::path(app_) / "system"));
}

TEST_F(CliTest, analyze_logWithoutRecords_exitsOneWithTheWindowsMessageAndWritesNothing) {
    ASSERT_TRUE(common::write_file_atomic(log_, "2024-05-13 14:00:00.000 +01:00 [INF] idle\r\n"));
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}), 1);
    EXPECT_NE(out_.str().find("records: 0\nfailed: 0\n"), std::string::npos);
    EXPECT_NE(out_.str().find("== messages\nNo Flight Information.\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(app_) / "models" / "models"));
}

TEST_F(CliTest, analyze_reportsTheFailedCutStepsAsOneMessage) {
    // Time stamps without the zone part fail one cut per group.
    std::string text;
    for (int i = 0; i < 8; ++i) {
        text += "2024-05-13 14:03:27.123 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
                "2024-05-13 14:03:27.123 [INF] Best matched model: B738 with: x airline: RYR, "
                "Boeing 737-800\r\n";
    }
    ASSERT_TRUE(common::write_file_atomic(log_, text));
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}), 0);
    const std::string out = out_.str();
    const auto messages = out.find("== messages\n");
    ASSERT_NE(messages, std::string::npos);
    EXPECT_EQ(out.compare(messages + 12, 2, "8 "), 0) << out.substr(messages);
    EXPECT_NE(out.find("14:03,"), std::string::npos);
}

TEST_F(CliTest, usageErrorsAndUnreadableFiles_exitTwoNamingThePath) {
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"analyze"}), 2);
    EXPECT_EQ(run({"analyze", log_, "--app-folder"}), 2);
    EXPECT_EQ(run({"report", "nonsense", log_}), 2);
    EXPECT_EQ(run({"analyze", log_, "--bogus"}), 2);
    const std::string missing = (dir_ / "nope.txt").string();
    EXPECT_EQ(run({"analyze", missing, "--app-folder", app_}), 2);
    EXPECT_NE(err_.str().find(missing), std::string::npos);
    EXPECT_TRUE(out_.str().empty());
}

TEST_F(CliTest, reportFailures_writesAndPrintsTheRestOfEachLine) {
    ASSERT_TRUE(common::write_file_atomic(
        log_, "a [ERR] Failed to read C:\\x.json: denied\r\nb\r\nc Failed to read y.cfg\r\n"));
    EXPECT_EQ(run({"report", "failures", log_, "--app-folder", app_}), 0);
    EXPECT_EQ(out_.str(), " C:\\x.json: denied\n y.cfg\n");
    EXPECT_EQ(common::read_file((fs::path(app_) / "models" / "failures").string()),
              " C:\\x.json: denied\r\n y.cfg\r\n\r\n");
}

TEST_F(CliTest, reports_printTheMessageWhenThereIsNothingToReport) {
    ASSERT_TRUE(common::write_file_atomic(log_, "nothing here\r\n"));
    EXPECT_EQ(run({"report", "failures", log_, "--app-folder", app_}), 1);
    EXPECT_EQ(out_.str(), "None found.\n");
    EXPECT_EQ(run({"report", "titles", log_, "--app-folder", app_}), 1);
    EXPECT_EQ(out_.str(), "No such information in current log.\n");
}

TEST_F(CliTest, reportTitles_writesTheFndList) {
    ASSERT_TRUE(common::write_file_atomic(
        log_, "x Found add-on with title: Fenix A320 Livery\r\ny\r\nz ADD-ON WITH TITLE B\r\n"));
    EXPECT_EQ(run({"report", "titles", log_, "--app-folder", app_}), 0);
    // The word "title", one more character, then the rest of the line.
    EXPECT_EQ(out_.str(), " Fenix A320 Livery\nB\n");
    EXPECT_EQ(common::read_file((fs::path(app_) / "system" / "fnd").string()),
              " Fenix A320 Livery\r\nB\r\n\r\n");
}

TEST_F(CliTest, help_documentsEveryCommand) {
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word : {"analyze LOGFILE", "report failures", "report titles", "--app-folder",
                             "Exit status"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
}

}  // namespace
