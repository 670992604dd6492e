#include "cli/cli.hpp"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "test_paths.hpp"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Two spawns, the newer with a failed match and a default model.
const std::string kTwoGroups =
    "2024-05-13 14:00:00.000 +01:00 [INF] Starting\r\n"
    "2024-05-13 14:03:27.123 +01:00 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
    "2024-05-13 14:03:27.123 +01:00 [INF] Best matched model: B738 with: x airline: RYR, Boeing "
    "737-800 Ryanair\r\n"
    "2024-05-13 14:03:27.123 +01:00 [INF] Spawned aircraft 4CA7B1 lat: 51.47 lon: -0.45\r\n"
    "2024-05-13 14:03:27.123 +01:00 [INF] Setting callsign for RYR12\r\n"
    "2024-05-13 14:05:10.123 +01:00 [INF] Model matching: Airbus A320neo with airline: DLH\r\n"
    "2024-05-13 14:05:10.123 +01:00 [WRN] Failed to model match A20N\r\n"
    "2024-05-13 14:05:10.123 +01:00 [INF] Best matched model: A20N with: x airline: DLH, Airbus "
    "A320 Neo (Default Model)\r\n"
    "2024-05-13 14:05:10.123 +01:00 [INF] Spawned aircraft 3C6DD2 lat: 51.47 lon: -0.45\r\n"
    "2024-05-13 14:05:10.123 +01:00 [INF] Setting callsign for DLH9\r\n";

class CliTest : public ::testing::Test {
  protected:
    int run(const Args& args, const std::string& log_text = {}) {
        EXPECT_TRUE(log_text.empty() || common::write_file_atomic(log_, log_text));
        out_.str({});
        err_.str({});
        return cli::run(args, out_, err_);
    }
    // The command words, then the log and the program folder.
    int run_on(Args args, const std::string& log_text = {}) {
        args.insert(args.end(), {log_, "--app-folder", app_});
        return run(args, log_text);
    }
    std::string written(const std::string& name) const { return common::read_file(app_ + name); }

    testing_support::TempFolder tmp_;
    const std::string log_ = tmp_.file("log2024051314.txt"), app_ = tmp_.file("app");
    std::ostringstream out_, err_;
};

TEST_F(CliTest, analyze_printsEverySectionInOrderAndWritesTheResultLists) {
    EXPECT_EQ(run_on({"analyze"}, kTwoGroups), 0) << err_.str();
    EXPECT_EQ(out_.str(),
              "records: 2\nfailed: 1\n== records\n"
              "14:05,3C6DD2, A20N , DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default "
              "Model),DLH9\n"
              "14:03,4CA7B1, B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair,RYR12\n"
              "== defaults\n3C6DD2#DLH9\n== suggestions\n"
              " Livery?:A20N,DLH\tAirbus A320neo >  Airbus A320 Neo (Default Model) (Default "
              "Model)\n"
              "== messages\n");
    EXPECT_EQ(written("/models/no-match"),
              " DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default Model)\r\n\r\n");
    EXPECT_EQ(written("/models/matched"), " RYR,Boeing 737-800, Boeing 737-800 Ryanair\r\n\r\n");
    EXPECT_TRUE(fs::is_directory(app_ + "/system"));

    // Records but no default model: the no-match list is written holding one empty line.
    EXPECT_EQ(run_on({"analyze"}, kTwoGroups.substr(0, kTwoGroups.find("2024-05-13 14:05"))), 0);
    EXPECT_EQ(written("/models/no-match"), "\r\n");
}

TEST_F(CliTest, analyze_printsTheWindowsMessagesWithLfAndWritesListsOnlyForACompleteParse) {
    std::string eight_failed_cuts;  // time stamps without the zone part: one failed cut a group
    for (int i = 0; i < 8; ++i)
        eight_failed_cuts +=
            common::read_file(testing_support::data_path("logs/time_without_zone.txt"));
    const struct {
        std::string log;
        int status;
        std::string messages;  // the output from "== messages" on starts with this
        bool lists_written;
    } cases[] = {
        {"2024-05-13 14:00:00 [INF] idle\r\n", 1, "No Flight Information.\n", false},
        {eight_failed_cuts, 0,
         "8 steps of reading the log failed; the fields concerned keep the text cut so far.\n",
         true},
        {common::read_file(testing_support::data_path("logs/missing_with_airline.txt")), 0,
         "Reading the log stopped at a \"Model matching\" line without \"with airline:\" after 1 "
         "spawn; the table and the result lists were not updated.\n",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.messages);
        ASSERT_FALSE(c.log.empty());
        fs::remove_all(app_);
        EXPECT_EQ(run_on({"analyze"}, c.log), c.status);
        const std::string out = out_.str();
        const auto at = out.find("== messages\n");
        ASSERT_NE(at, std::string::npos) << out;
        EXPECT_EQ(out.substr(at + 12, c.messages.size()), c.messages);
        EXPECT_EQ(out.find('\r'), std::string::npos);
        EXPECT_EQ(fs::exists(app_ + "/models/models"), c.lists_written);
        EXPECT_EQ(err_.str(), "");
    }
}

// What the Reports items would open, and what a click on each suggestion would give.
TEST_F(CliTest, reportsAndSuggestionsAsTheWindowGivesThem) {
    const std::string config_folder = tmp_.file("config");
    fs::create_directory(config_folder);
    ASSERT_TRUE(common::write_file_atomic(config_folder + "/ModelMatching.json", "{\r\n}\r\n"));
    const struct {
        Args args;
        int status;
        std::string out;
    } cases[] = {
        {{"report", "nomatch"},
         0,
         "DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default Model)\n"},
        {{"report", "engines"},
         0,
         "A20N , DLH,Airbus A320neo, Airbus A320 Neo (Default Model) (Default Model)\n"
         "B738 , RYR,Boeing 737-800, Boeing 737-800 Ryanair\n"},
        {{"suggest"}, 0, " Livery?:A20N,DLH\tA20N\tAirbus 320\t0:1\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run_on(c.args, kTwoGroups), c.status) << c.args[0];
        EXPECT_EQ(out_.str(), c.out);
    }
    // The engines report is the sorted list, written over the parse's unsorted one.
    EXPECT_EQ(written("/models/models"), common::replace_all(cases[1].out, "\n", "\r\n") + "\r\n");
    EXPECT_EQ(run({"report", "config", config_folder + "/Other.json"}), 0);
    EXPECT_EQ(out_.str(), "{\n}\n");
    EXPECT_EQ(run({"report", "config", tmp_.file("nowhere/x.json")}), 1);
    EXPECT_EQ(out_.str(), "Can't locate config.json\n");
}

TEST_F(CliTest, usageErrorsExitTwoWithAHint_helpNamesEveryFormAndStatus) {
    const std::pair<Args, const char*> cases[] = {
        {{}, "expected \"analyze LOGFILE\" or \"report failures|titles|nomatch|"},
        {{"analyze"}, "expected \"analyze LOGFILE\""},
        {{"report", "failures"}, "expected \"report failures|titles|nomatch|"},
        {{"suggest"}, "expected \"suggest LOGFILE\""},
        {{"analyze", "a", "b"}, "expected \"analyze LOGFILE\""},
        {{"frobnicate", "x"}, "unknown command frobnicate"},
        {{"analyze", "x", "--app-folder"}, "--app-folder needs a folder"},
        {{"analyze", "x", "--bogus"}, "unknown option --bogus"},
        {{"report", "nonsense", "x"}, "unknown report nonsense"},
        {{"check-update", "--url"}, "--url needs a value"},
        {{"analyze", "x.txt", "--url", "http://127.0.0.1:1/"}, "unknown option --url"},
    };
    for (const auto& [args, said] : cases) {
        EXPECT_EQ(run(args), 2) << said;
        EXPECT_NE(err_.str().find(said), std::string::npos) << err_.str();
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word :
         {"analyze LOGFILE [--app-folder DIR]", "report failures LOGFILE", "report titles LOGFILE",
          "report nomatch|matched|engines LOGFILE", "report config JSONFILE", "suggest LOGFILE",
          "== messages", "4 the standard output could not be written"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
}

// Both commands name the path and the cause (every cause is in the file routines' tests).
TEST_F(CliTest, unreadableLog_exitsTwoNamingThePathAndTheCause) {
    fs::create_directory(app_);
    for (const auto& [path, cause] :
         {std::pair{log_, "no such file"}, std::pair{app_, "is a folder, not a file"}}) {
        for (const Args& args : {Args{"analyze", path}, Args{"report", "titles", path}}) {
            EXPECT_EQ(run(args), 2);
            EXPECT_EQ(err_.str(), "skelvar-cli: cannot read the log " + path + ": " + cause + "\n");
            EXPECT_EQ(out_.str(), "");
        }
    }
}

TEST_F(CliTest, unwritableFileOrFolder_exitsThreeNamingThePathAndTheCause) {
    // A folder in the way of a file, or a file in the way of a folder.
    const std::string folder = "is a folder, not a file",
                      file = "a file of that name is in the way";
    const struct {
        Args command;
        std::string obstacle;  // under the program folder
        std::string said, cause;
    } cases[] = {{{"analyze"}, "models/no-match", "cannot write", folder},
                 {{"report", "failures"}, "models/failures", "cannot write", folder},
                 {{"report", "titles"}, "system/fnd", "cannot write", folder},
                 {{"report", "titles"}, "models", "cannot create the folder", file}};
    ASSERT_TRUE(common::write_file_atomic(
        log_, kTwoGroups + "x [ERR] Failed to read C:\\x.json\r\ny add-on with title: T\r\n"));
    for (const auto& c : cases) {
        fs::remove_all(app_);
        // The program names the path with the system's separator.
        std::string obstacle = common::join_path(app_, c.obstacle);
        std::replace(obstacle.begin(), obstacle.end(), '/', common::path_separator());
        fs::create_directories(fs::path(obstacle).parent_path());
        if (c.cause == folder)
            fs::create_directory(obstacle);
        else
            ASSERT_TRUE(common::write_file_atomic(obstacle, "x"));
        EXPECT_EQ(run_on(c.command), 3);
        EXPECT_EQ(err_.str(), "skelvar-cli: " + c.said + " " + obstacle + ": " + c.cause + "\n");
    }
}

TEST_F(CliTest, reportsWriteAndPrintTheirLinesOrTheMessage) {
    EXPECT_EQ(run_on({"report", "failures"}, "nothing here\r\n"), 1);
    EXPECT_EQ(out_.str(), "None found.\n");
    EXPECT_FALSE(fs::exists(app_ + "/models/failures"));
    EXPECT_EQ(run_on({"report", "titles"}), 1);
    EXPECT_EQ(out_.str(), "No such information in current log.\n");

    EXPECT_EQ(run_on({"report", "failures"},
                     "a [ERR] Failed to read C:\\x.json: denied\r\nb\r\nc Failed to read y\r\n"),
              0);
    EXPECT_EQ(out_.str(), " C:\\x.json: denied\n y\n");
    EXPECT_EQ(written("/models/failures"), " C:\\x.json: denied\r\n y\r\n\r\n");
    // The word "title", one more character, then the rest of the line.
    EXPECT_EQ(run_on({"report", "titles"},
                     "x Found add-on with title: Fenix A320\r\ny\r\nz ADD-ON WITH TITLE B\r\n"),
              0);
    EXPECT_EQ(out_.str(), " Fenix A320\nB\n");
    EXPECT_EQ(written("/system/fnd"), " Fenix A320\r\nB\r\n\r\n");
}

// Output that a full disk refuses: at once (no room) or only when flushed (room in the buffer).
class FullDiskBuffer : public std::streambuf {
  public:
    explicit FullDiskBuffer(std::size_t room) : buffer_(room) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }

  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    int sync() override { return pptr() == pbase() ? 0 : -1; }

  private:
    std::vector<char> buffer_;
};

TEST_F(CliTest, outputThatCannotBeWrittenExitsFour_earlierErrorsKeepTheirStatus) {
    ASSERT_TRUE(common::write_file_atomic(log_, kTwoGroups));
    const std::string empty_log = tmp_.file("empty.txt");
    ASSERT_TRUE(common::write_file_atomic(empty_log, ""));
    fs::create_directories(tmp_.path() / "blocked" / "models" / "no-match");
    const struct {
        Args args;
        std::size_t room;
        int status;
    } cases[] = {
        {{"analyze", log_, "--app-folder", app_}, 0, 4},        // refused at once
        {{"analyze", log_, "--app-folder", app_}, 1 << 16, 4},  // refused at the flush
        {{"--help"}, 1 << 16, 4},
        {{"report", "titles", empty_log, "--app-folder", app_}, 1 << 16, 4},  // nothing found
        {{"analyze", log_, "--app-folder", tmp_.file("blocked")}, 0, 3},      // a list not written
        {{"analyze"}, 0, 2},  // nothing was written to the output, so nothing was lost
    };
    for (const auto& c : cases) {
        FullDiskBuffer full(c.room);
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::run(c.args, out, err), c.status) << c.args[0] << c.room;
        EXPECT_EQ(err.str().find("cannot write the standard output") != std::string::npos,
                  c.status != 2)
            << err.str();
    }
}

// The whole program, so that std::cout's own buffering and flushing is what gets tested.
TEST_F(CliTest, program_withTheStandardOutputOnAFullDevice_exitsFourWithAMessage) {
#if !defined(SKELVAR_CLI_PROGRAM) || defined(_WIN32)
    GTEST_SKIP() << "no skelvar-cli to run, or no full device (/dev/full) to run it against";
#else
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(common::write_file_atomic(log_, kTwoGroups));
    const std::string errors = tmp_.file("stderr.txt");
    const std::string command = "'" + std::string(SKELVAR_CLI_PROGRAM) + "' analyze '" + log_ +
                                "' --app-folder '" + app_ + "' >/dev/full 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    EXPECT_EQ(WEXITSTATUS(status), 4);
    EXPECT_EQ(common::read_file(errors),
              "skelvar-cli: cannot write the standard output: No space left on device\n");
#endif
}

}  // namespace
