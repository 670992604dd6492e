// skelvar-cli traffic --map: the map page and script of one recentred map update.

#include <gtest/gtest.h>

#include <algorithm>
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

constexpr const char* kRefresh = "<meta http-EQUIV=\"refresh\" CONTENT=\"5\">";

class TrafficMapTest : public ::testing::Test {
  protected:
    TrafficMapTest() {
        fs::create_directories(app_ + "/system");
        for (const char* name : {"airlines", "iata"}) {
            fs::copy_file(testing_support::data_path(std::string("live/system/") + name),
                          app_ + "/system/" + name);
        }
    }
    int run(Args args, const std::string& feed) {
        args.insert(args.begin(), {"traffic", " 51.4775009155273/ -0.461388885974884"});
        args.insert(args.end(), {"--feed-file", feed, "--app-folder", app_});
        std::ostringstream out, err;
        const int status = cli::run(args, out, err);
        out_ = out.str();
        err_ = err.str();
        return status;
    }

    testing_support::TempFolder tmp_;
    const std::string app_ = tmp_.file("app");
    const std::string script_ = app_ + "/system/apmm.js";
    const std::string page_ = app_ + "/system/mm.htm";
    const std::string feed_ = testing_support::data_path("live/feed.json");
    std::string out_, err_;
};

TEST_F(TrafficMapTest, writesTheScriptAndPageOfARecentredUpdate) {
    struct Case {
        const char* name;
        Args options;
        const char* set_view;
        const char* label;
        bool refresh;
    };
    const Case cases[] = {
        {"windowZoom",
         {"--map"},
         "setView({lon:-0.4613889, lat:51.477501}, 14);",
         "class=\"span1\">A320</strong>",
         false},
        {"zoomClamped", {"--map", "--zoom", "20"}, "}, 15);", "A320</strong>", false},
        {"airlineLabels",
         {"--map", "--airline-labels", "--zoom", "3"},
         "}, 6);",
         "class=\"span1\">A320 BA1432</strong>",
         false},
        {"timerRunning", {"--map", "--timer"}, "}, 14);", "A320</strong>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(run(c.options, feed_), 0) << err_;
        EXPECT_TRUE(out_.ends_with("== messages\n== files\n" + script_ + "\n" + page_ + "\n"))
            << out_;
        const std::string script = common::read_file(script_);
        EXPECT_NE(script.find(c.set_view), std::string::npos) << script.substr(0, 80);
        EXPECT_NE(script.find(c.label), std::string::npos);
        EXPECT_NE(script.find("<br />London Heathrow-Edinburgh<br />"), std::string::npos);
        // The set-up line, two flights, and the CR LF every written file ends with.
        EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 4);
        EXPECT_EQ(common::read_file(page_).find(kRefresh) != std::string::npos, c.refresh);
    }
}

TEST_F(TrafficMapTest, noTrafficWritesNothing) {
    const std::string empty = tmp_.file("empty.json");
    ASSERT_TRUE(common::write_file_atomic(empty, "{\"full_count\":0,\"version\":4}"));
    ASSERT_EQ(run({"--map"}, empty), 0) << err_;
    EXPECT_TRUE(out_.ends_with("== files\n")) << out_;
    EXPECT_FALSE(fs::exists(script_));
    EXPECT_FALSE(fs::exists(page_));
}

TEST_F(TrafficMapTest, aFileThatCannotBeWrittenIsNamed) {
    fs::create_directories(script_);  // a folder where the script goes
    ASSERT_EQ(run({"--map"}, feed_), 3);
    EXPECT_TRUE(out_.ends_with("== files\n" + page_ + "\n")) << out_;
    EXPECT_NE(err_.find("cannot write " + script_), std::string::npos) << err_;
}

TEST_F(TrafficMapTest, mapOptionsWithoutMapAreUsageErrors) {
    const Args cases[] = {{"--zoom", "9"}, {"--timer"}, {"--airline-labels"}, {"--map", "--zoom"}};
    for (const Args& args : cases) {
        EXPECT_EQ(run(args, feed_), 2) << args[0];
        EXPECT_NE(err_, "");
        EXPECT_FALSE(fs::exists(script_));
    }
}

}  // namespace
