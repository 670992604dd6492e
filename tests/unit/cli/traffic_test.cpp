// skelvar-cli traffic on saved answers from tests/data/live, and on a server that is not there.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "cli/cli.hpp"
#include "common/file_io.hpp"
#include "test_paths.hpp"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

constexpr const char* kHeathrow = " 51.4775009155273/ -0.461388885974884";
constexpr const char* kTail = ",&adsb=1&air=1&array=1\n";

class TrafficTest : public ::testing::Test {
  protected:
    TrafficTest() {
        fs::create_directories(app_ + "/system");
        for (const char* name : {"airlines", "iata"}) {
            fs::copy_file(testing_support::data_path(std::string("live/system/") + name),
                          app_ + "/system/" + name);
        }
    }
    int run(Args args) {
        args.insert(args.begin(), {"traffic", kHeathrow});
        args.insert(args.end(), {"--app-folder", app_});
        std::ostringstream out, err;
        const int status = cli::run(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }
    std::string saved(const std::string& name, const std::string& bytes) {
        const std::string path = tmp_.file(name);
        EXPECT_TRUE(common::write_file_atomic(path, bytes));
        return path;
    }

    testing_support::TempFolder tmp_;
    const std::string app_ = tmp_.file("app");
    const std::string feed_ = testing_support::data_path("live/feed.json");
    std::string out_, err_;
};

TEST_F(TrafficTest, savedAnswer_withTheWindowsDefaults_printsEverySection) {
    ASSERT_EQ(run({"--feed-file", feed_}), 0) << err_;
    EXPECT_EQ(
        out_,
        std::string("request: /zones/fcgi/feed.js?bounds=51.5575,51.3975,-0.5613889,-0.3613889") +
            kTail +
            "== flights\n"
            "1000\t142\tA320\tG-EUUA\t\tBA1432\tLHR\tEDI\t British Airways\t(London "
            "Heathrow-Edinburgh)\n"
            "0\t31\tA20N\tG-EZOA\t\tU28123\tLGW\t\t easyJet\n"
            "== types\nA320\nA20N\n"
            "== traffic\n"
            "51.4812#-0.4321#273#BA1432#1000#142#A320#LHR#EDI#British Airways\n"
            "51.4701#-0.4550#90#U28123#0#31#A20N#LGW##easyJet\n"
            "== messages\n");
    EXPECT_EQ(err_, "");
}

TEST_F(TrafficTest, rangeAndCeiling_comeFromMmDatAndTheOptionsOverrideThem) {
    ASSERT_TRUE(common::write_file_atomic(app_ + "/mm.dat",
                                          "C:\\logs\r\n2535\r\n1\r\n\r\n0.15\r\n3\r\n4000\r\n4\r\n"
                                          "14\r\nxzy\r\n\r\n"));
    const std::string private_row = "3000\t180\tC172\tN12345\t\t---\t\t\t ---\n";
    struct Case {
        Args options;
        const char* bounds;
        bool private_listed;
    };
    const Case cases[] = {
        {{}, "51.6275,51.3275,-0.6313889,-0.2913889", true},
        {{"--range", "0.1", "--ceiling", "2999"}, "51.5775,51.3775,-0.5813889,-0.3413889", false},
    };
    for (const Case& c : cases) {
        Args args = c.options;
        args.insert(args.end(), {"--feed-file", feed_});
        ASSERT_EQ(run(args), 0) << err_;
        EXPECT_EQ(out_.substr(0, out_.find('\n') + 1),
                  "request: /zones/fcgi/feed.js?bounds=" + std::string(c.bounds) + kTail);
        EXPECT_EQ(out_.find(private_row) != std::string::npos, c.private_listed) << out_;
    }
}

TEST_F(TrafficTest, answersWithoutFlightsOrNotAFeed) {
    struct Case {
        const char* name;
        std::string bytes;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {"empty", "{\"full_count\":0,\"version\":4}", 0,
         "No live traffic.\n\nPerhaps change Flightradar settings.\n"},
        {"html", "<html><body>Access denied</body></html>", 1,
         "The live traffic server's answer is not a traffic feed (for example a web page).\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(run({"--feed-file", saved(c.name, c.bytes)}), c.status);
        EXPECT_NE(out_.find("== flights\n== types\n== traffic\n== messages\n"), std::string::npos);
        EXPECT_TRUE(out_.ends_with(std::string("== messages\n") + c.message)) << out_;
    }
}

TEST_F(TrafficTest, serverNotThere_exitsOneNamingTheCause) {
    ASSERT_EQ(run({"--feed-url", "http://127.0.0.1:1"}), 1);
    EXPECT_NE(out_.find("request: /zones/fcgi/feed.js?bounds="), std::string::npos);
    EXPECT_NE(out_.find("== messages\nCould not reach the live traffic server"), std::string::npos)
        << out_;
}

TEST_F(TrafficTest, usageErrors) {
    const Args cases[] = {
        {"--feed-file", feed_, "--feed-url", "http://127.0.0.1:1"},
        {"--range", "wide", "--feed-file", feed_},
        {"--feed-file", tmp_.file("missing.json")},
        {"--feed-file"},
    };
    for (const Args& args : cases) {
        EXPECT_EQ(run(args), 2) << args[0];
        EXPECT_EQ(out_, "");
        EXPECT_NE(err_, "");
    }
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"traffic", "51.47", "--feed-file", feed_}, out, err), 2);
    EXPECT_NE(err.str().find("COORDS must be LAT/LON"), std::string::npos);
}

}  // namespace
