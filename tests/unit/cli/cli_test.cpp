#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
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
    return g + stamp + "[INF] Setting callsign for " + callsign + "\r\n";
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directory(app_); }

    int run(const std::vector<std::string>& args, const std::string& log_text = {}) {
        EXPECT_TRUE(log_text.empty() || common::write_file_atomic(log_, log_text));
        out_.str({});
        err_.str({});
        return cli::run(args, out_, err_);
    }
    std::string written(const std::string& folder, const std::string& name) const {
        return common::read_file((fs::path(app_) / folder / name).string());
    }

    testing_support::TempFolder tmp_;
    const std::string log_ = tmp_.file("log2024051314.txt"), app_ = tmp_.file("app");
    std::ostringstream out_, err_;
};

TEST_F(CliTest, analyze_printsEverySectionInOrderAndWritesTheResultLists) {
    const std::string text = "2024-05-13 14:00:00.000 +01:00 [INF] Starting\r\n" +
                             group("14:03:27", "Boeing 737-800", "B738", "RYR",
                                   "Boeing 737-800 Ryanair", "4CA7B1", "RYR12", false) +
                             group("14:05:10", "Airbus A320neo", "A20N", "DLH",
                                   "Airbus A320 Neo (Default Model)", "3C6DD2", "DLH9", true);
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}, text), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "records: 2\nfailed: 1\n== records\n"
              "14:05,3C6DD2, A20N , DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default "
              "Model),DLH9\n"
              "14:03,4CA7B1, B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR12\n"
              "== defaults\n3C6DD2#DLH9\n== suggestions\n"
              " Livery?:A20N,DLH\tAirbus A320neo >  Airbus A320 Neo (Default Model) (Default "
              "Model)\n"
              "== messages\n");
    EXPECT_EQ(written("models", "no-match"),
              " DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default Model)\r\n\r\n");
    EXPECT_EQ(written("models", "matched"), " RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n\r\n");
    EXPECT_TRUE(fs::is_directory(fs::path(app_) / "system"));
}

TEST_F(CliTest, analyze_noRecordsExitsOne_failedCutStepsAreOneMessage) {
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}, "2024-05-13 14:00:00 [INF] idle\r\n"),
              1);
    EXPECT_NE(out_.str().find("records: 0\nfailed: 0\n"), std::string::npos);
    EXPECT_NE(out_.str().find("== messages\nNo Flight Information.\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(app_) / "models" / "models"));

    // Time stamps without the zone part fail one cut per group.
    std::string text;
    for (int i = 0; i < 8; ++i) {
        text +=
            "2024-05-13 14:03:27.123 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
            "2024-05-13 14:03:27.123 [INF] Best matched model: B738 with: x airline: RYR, "
            "Boeing 737-800\r\n";
    }
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}, text), 0);
    const std::string out = out_.str();
    const auto messages = out.find("== messages\n");
    ASSERT_NE(messages, std::string::npos);
    EXPECT_EQ(out.compare(messages + 12, 2, "8 "), 0) << out.substr(messages);
    EXPECT_NE(out.find("14:03,"), std::string::npos);
}

TEST_F(CliTest, usageErrorsAndUnreadableFilesExitTwoNamingThePath_helpExitsZero) {
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"analyze"}), 2);
    EXPECT_EQ(run({"analyze", log_, "--app-folder"}), 2);
    EXPECT_EQ(run({"report", "nonsense", log_}), 2);
    EXPECT_EQ(run({"analyze", log_, "--bogus"}), 2);
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}), 2);  // no such log yet
    EXPECT_NE(err_.str().find(log_), std::string::npos);
    EXPECT_TRUE(out_.str().empty());
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word :
         {"analyze LOGFILE", "report failures", "report titles", "Exit status"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
}

TEST_F(CliTest, reportsWriteAndPrintTheirLinesOrTheMessage) {
    const std::vector<std::string> failures = {"report", "failures", log_, "--app-folder", app_};
    const std::vector<std::string> titles = {"report", "titles", log_, "--app-folder", app_};
    EXPECT_EQ(run(failures, "nothing here\r\n"), 1);
    EXPECT_EQ(out_.str(), "None found.\n");
    EXPECT_FALSE(fs::exists(fs::path(app_) / "models" / "failures"));
    EXPECT_EQ(run(titles), 1);
    EXPECT_EQ(out_.str(), "No such information in current log.\n");

    EXPECT_EQ(
        run(failures, "a [ERR] Failed to read C:\\x.json: denied\r\nb\r\nc Failed to read y\r\n"),
        0);
    EXPECT_EQ(out_.str(), " C:\\x.json: denied\n y\n");
    EXPECT_EQ(written("models", "failures"), " C:\\x.json: denied\r\n y\r\n\r\n");
    // The word "title", one more character, then the rest of the line.
    EXPECT_EQ(
        run(titles, "x Found add-on with title: Fenix A320\r\ny\r\nz ADD-ON WITH TITLE B\r\n"), 0);
    EXPECT_EQ(out_.str(), " Fenix A320\nB\n");
    EXPECT_EQ(written("system", "fnd"), " Fenix A320\r\nB\r\n\r\n");
}

}  // namespace
