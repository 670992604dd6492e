#include "cli/cli.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"
#include "test_paths.hpp"

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

const std::string kTwoGroups = "2024-05-13 14:00:00.000 +01:00 [INF] Starting\r\n" +
                               group("14:03:27", "Boeing 737-800", "B738", "RYR",
                                     "Boeing 737-800 Ryanair", "4CA7B1", "RYR12", false) +
                               group("14:05:10", "Airbus A320neo", "A20N", "DLH",
                                     "Airbus A320 Neo (Default Model)", "3C6DD2", "DLH9", true);

bool running_as_root() {
    return ::geteuid() == 0;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directory(app_); }
    void TearDown() override {
        // Give back what a case locked, so the temporary folder can be removed.
        std::error_code ec;
        for (const auto& p : locked_) fs::permissions(p, fs::perms::owner_all, ec);
    }

    int run(const std::vector<std::string>& args, const std::string& log_text = {}) {
        EXPECT_TRUE(log_text.empty() || common::write_file_atomic(log_, log_text));
        out_.str({});
        err_.str({});
        return cli::run(args, out_, err_);
    }
    std::string written(const std::string& folder, const std::string& name) const {
        return common::read_file((fs::path(app_) / folder / name).string());
    }

    void expect_unreadable(const std::string& path, const std::string& cause);
    void lock(const fs::path& p, fs::perms perms) {
        fs::permissions(p, perms);
        locked_.push_back(p);
    }

    testing_support::TempFolder tmp_;
    const std::string log_ = tmp_.file("log2024051314.txt"), app_ = tmp_.file("app");
    std::ostringstream out_, err_;
    std::vector<fs::path> locked_;
};

TEST_F(CliTest, analyze_printsEverySectionInOrderAndWritesTheResultLists) {
    EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}, kTwoGroups), 0) << err_.str();
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

std::string eight_groups_without_zone() {
    std::string text;
    for (int i = 0; i < 8; ++i) {
        text +=
            "2024-05-13 14:03:27.123 [INF] Model matching: Boeing 737-800 with airline: RYR\r\n"
            "2024-05-13 14:03:27.123 [INF] Best matched model: B738 with: x airline: RYR, "
            "Boeing 737-800\r\n";
    }
    return text;
}

TEST_F(CliTest, analyze_printsTheWindowsMessagesWithLfAndWritesListsOnlyForACompleteParse) {
    struct Case {
        const char* name;
        std::string log;
        int status;
        std::string messages_start;  // the output from "== messages" on starts with this
        bool lists_written;
    };
    const Case cases[] = {
        {"no records", "2024-05-13 14:00:00 [INF] idle\r\n", 1,
         "== messages\nNo Flight Information.\n", false},
        // Time stamps without the zone part fail one cut per group: one message, many lines.
        {"failed cuts", eight_groups_without_zone(), 0,
         "== messages\n8 steps of reading the log failed; the fields concerned keep the text cut "
         "so far.\n",
         true},
        {"stopped early",
         common::read_file(testing_support::data_path("logs/missing_with_airline.txt")), 0,
         "== messages\nReading the log stopped at a \"Model matching\" line without \"with "
         "airline:\" after 1 spawn; the table and the result lists were not updated.\n",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.log.empty());
        fs::remove_all(app_);
        EXPECT_EQ(run({"analyze", log_, "--app-folder", app_}, c.log), c.status) << err_.str();
        const std::string out = out_.str();
        const auto messages = out.find("== messages\n");
        ASSERT_NE(messages, std::string::npos) << out;
        EXPECT_EQ(out.substr(messages, c.messages_start.size()), c.messages_start);
        EXPECT_EQ(out.find('\r'), std::string::npos);
        EXPECT_EQ(fs::exists(fs::path(app_) / "models" / "models"), c.lists_written);
        EXPECT_EQ(err_.str(), "");
    }
}

TEST_F(CliTest, usageErrorsExitTwoWithAHint_helpNamesEveryFormAndStatus) {
    struct Case {
        std::vector<std::string> args;
        const char* said;
    };
    const Case cases[] = {
        {{}, "expected \"analyze LOGFILE\" or \"report failures|titles LOGFILE\""},
        {{"analyze"}, "expected \"analyze LOGFILE\""},
        {{"report", "failures"}, "expected \"report failures|titles LOGFILE\""},
        {{"analyze", "a", "b"}, "expected \"analyze LOGFILE\""},
        {{"frobnicate", "x"}, "unknown command frobnicate"},
        {{"analyze", "x", "--app-folder"}, "--app-folder needs a folder"},
        {{"analyze", "x", "--bogus"}, "unknown option --bogus"},
        {{"report", "nonsense", "x"}, "unknown report nonsense"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.said;
        EXPECT_NE(err_.str().find(c.said), std::string::npos) << err_.str();
        EXPECT_EQ(out_.str(), "");
    }
    EXPECT_EQ(run({"--help"}), 0);
    for (const char* word :
         {"analyze LOGFILE [--app-folder DIR]", "report failures LOGFILE", "report titles LOGFILE",
          "== messages", "Exit status", "4 the standard output could not be written"}) {
        EXPECT_NE(out_.str().find(word), std::string::npos) << word;
    }
}

// Both commands read the log the same way; each must name the path and the cause.
void CliTest::expect_unreadable(const std::string& path, const std::string& cause) {
    for (const auto& args :
         {std::vector<std::string>{"analyze", path, "--app-folder", app_},
          std::vector<std::string>{"report", "titles", path, "--app-folder", app_}}) {
        EXPECT_EQ(run(args), 2);
        EXPECT_EQ(err_.str(), "skelvar-cli: cannot read the log " + path + ": " + cause + "\n");
        EXPECT_EQ(out_.str(), "");
    }
}

TEST_F(CliTest, unreadableLog_exitsTwoNamingThePathAndTheCause) {
    const std::string fifo = tmp_.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> cases[] = {
        {log_, "no such file"},
        {app_, "is a folder, not a file"},
        {fifo, "is not a regular file"},
        {tmp_.file(std::string(300, 'x')), "File name too long"},
    };
    ::alarm(20);  // a FIFO opened for reading would block: end the run instead of hanging
    for (const auto& [path, cause] : cases) expect_unreadable(path, cause);
    ::alarm(0);
}

TEST_F(CliTest, unwritableFileOrFolder_exitsThreeNamingThePathAndTheCause) {
    struct Case {
        std::vector<std::string> command;  // before LOGFILE
        std::string obstacle;              // under the app folder; ending in "/": a folder
        const char* said;
        std::string failed;  // under the app folder
        const char* cause;
    };
    const Case cases[] = {
        {{"analyze"},
         "models/no-match/",
         "cannot write",
         "models/no-match",
         "is a folder, not a file"},
        {{"report", "failures"},
         "models/failures/",
         "cannot write",
         "models/failures",
         "is a folder, not a file"},
        {{"report", "titles"},
         "system/fnd/",
         "cannot write",
         "system/fnd",
         "is a folder, not a file"},
        {{"report", "titles"},
         "models",
         "cannot create the folder",
         "models",
         "a file of that name is in the way"},
    };
    ASSERT_TRUE(common::write_file_atomic(
        log_, kTwoGroups + "x [ERR] Failed to read C:\\x.json\r\ny add-on with title: T\r\n"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.obstacle);
        fs::remove_all(app_);
        const fs::path obstacle = fs::path(app_) / c.obstacle;
        fs::create_directories(obstacle.parent_path());
        if (c.obstacle.ends_with('/'))
            fs::create_directory(obstacle);
        else
            ASSERT_TRUE(common::write_file_atomic(obstacle.string(), "x"));
        std::vector<std::string> args = c.command;
        args.insert(args.end(), {log_, "--app-folder", app_});
        EXPECT_EQ(run(args), 3);
        EXPECT_EQ(err_.str(), "skelvar-cli: " + std::string(c.said) + " " + app_ + "/" + c.failed +
                                  ": " + c.cause + "\n");
    }
}

TEST_F(CliTest, permissionDenied_unreadableLogExitsTwo_readOnlyAppFolderExitsThree) {
    if (running_as_root()) GTEST_SKIP() << "permission bits do not stop root";
    ASSERT_TRUE(common::write_file_atomic(log_, kTwoGroups));
    lock(log_, fs::perms::owner_write);
    expect_unreadable(log_, "Permission denied");

    const std::string in_locked = (fs::path(app_) / "log.txt").string();
    ASSERT_TRUE(common::write_file_atomic(in_locked, kTwoGroups));
    lock(app_, fs::perms::none);
    expect_unreadable(in_locked, "Permission denied");

    const std::string readable = tmp_.file("readable.txt");
    ASSERT_TRUE(common::write_file_atomic(readable, kTwoGroups));
    lock(app_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(run({"analyze", readable, "--app-folder", app_}), 3);
    EXPECT_EQ(err_.str(),
              "skelvar-cli: cannot create the folder " + app_ + "/system: Permission denied\n");
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
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::size_t room;
        int status;
    };
    ASSERT_TRUE(common::write_file_atomic(log_, kTwoGroups));
    const std::string empty_log = tmp_.file("empty.txt");
    ASSERT_TRUE(common::write_file_atomic(empty_log, ""));
    fs::create_directories(tmp_.path() / "blocked" / "models" / "no-match");
    const Case cases[] = {
        {"records, refused at once", {"analyze", log_, "--app-folder", app_}, 0, 4},
        {"records, refused at the flush", {"analyze", log_, "--app-folder", app_}, 1 << 16, 4},
        {"help, refused at the flush", {"--help"}, 1 << 16, 4},
        {"nothing found", {"report", "titles", empty_log, "--app-folder", app_}, 1 << 16, 4},
        {"a result list not written",
         {"analyze", log_, "--app-folder", tmp_.file("blocked")},
         0,
         3},
        // Nothing was written to the output, so nothing was lost.
        {"usage error", {"analyze"}, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FullDiskBuffer full(c.room);
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::run(c.args, out, err), c.status);
        EXPECT_EQ(err.str().find("cannot write the standard output") != std::string::npos,
                  c.status != 2)
            << err.str();
    }
}

// The whole program, so that std::cout's own buffering and flushing is what gets tested.
TEST_F(CliTest, program_withTheStandardOutputOnAFullDevice_exitsFourWithAMessage) {
#ifndef SKELVAR_CLI_PROGRAM
    GTEST_SKIP() << "the test build does not say where skelvar-cli is";
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
