// skelvar-cli traffic --map: the page and script of one recentred map update.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "../common/temp_folder.hpp"
#include "cli/cli.hpp"
#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "test_paths.hpp"

namespace {

TEST(TrafficMap, writesTheFilesOfARecentredUpdateAndListsThem) {
    testing_support::TempFolder tmp;
    const std::string app = tmp.file("app"), system = common::join_path(app, "system"),
                      script = common::join_path(system, "apmm.js"),
                      page = common::join_path(system, "mm.htm"), empty = tmp.file("empty.json"),
                      feed = testing_support::data_path("live/feed.json");
    std::filesystem::create_directories(app + "/system");
    for (const char* name : {"airlines", "iata"})
        std::filesystem::copy_file(testing_support::data_path(std::string("live/system/") + name),
                                   app + "/system/" + name);
    ASSERT_TRUE(common::write_file_atomic(empty, "{\"full_count\":0,\"version\":4}"));
    struct Case {
        std::vector<std::string> options;
        std::string feed;
        int status;
        const char* in_script;  // "": no files expected
        bool refresh;
    };
    const Case cases[] = {
        {{"--map"}, feed, 0, "setView({lon:-0.4613889, lat:51.477501}, 14);", false},
        {{"--map", "--zoom", "20", "--airline-labels"}, feed, 0, "}, 15);", false},
        {{"--map", "--airline-labels", "--timer"}, feed, 0, "\"span1\">A320 BA1432</strong>", true},
        {{"--map"}, empty, 0, "", false},
        {{"--zoom", "9"}, feed, 2, "", false},
        {{"--timer"}, feed, 2, "", false},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(script);
        std::vector<std::string> args{"traffic", "51.4775009155273/-0.461388885974884"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), {"--feed-file", c.feed, "--app-folder", app});
        std::ostringstream out, err;
        ASSERT_EQ(cli::run(args, out, err), c.status) << err.str();
        const std::string text = common::read_file(script);
        if (*c.in_script == '\0') {
            EXPECT_EQ(text, "");
            continue;
        }
        EXPECT_TRUE(out.str().ends_with("== files\n" + script + "\n" + page + "\n")) << out.str();
        EXPECT_NE(text.find(c.in_script), std::string::npos) << text.substr(0, 200);
        EXPECT_NE(text.find("<br />London Heathrow-Edinburgh<br />"), std::string::npos);
        EXPECT_EQ(common::read_file(page).find("refresh") != std::string::npos, c.refresh);
    }
    // A script that cannot be written is named, and the page still written is listed.
    std::filesystem::create_directories(script);
    std::ostringstream out, err;
    EXPECT_EQ(
        cli::run({"traffic", "51.4775/-0.4614", "--map", "--feed-file", feed, "--app-folder", app},
                 out, err),
        3);
    EXPECT_TRUE(out.str().ends_with("== files\n" + page + "\n")) << out.str();
    EXPECT_NE(err.str().find("cannot write " + script), std::string::npos) << err.str();
}

}  // namespace
