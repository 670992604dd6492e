#include "common/paths.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Paths, joinAndConfigFolder) {
    const std::string sep(1, common::path_separator());
    EXPECT_EQ(common::join_path("C:\\app", "mm.dat"), "C:\\app" + sep + "mm.dat");
    EXPECT_EQ(common::join_path("C:\\app\\", "mm.dat"), "C:\\app\\mm.dat");
    EXPECT_EQ(common::join_path("/opt/app/", "mm.dat"), "/opt/app/mm.dat");
    EXPECT_EQ(common::join_path("", "mm.dat"), "mm.dat");
    // Every "logs" becomes "config", case-sensitively.
    EXPECT_EQ(common::config_folder_from_logs("D:\\logs\\Traffic\\logs"),
              "D:\\config\\Traffic\\config");
    EXPECT_EQ(common::config_folder_from_logs("/home/u/mylogs/logs"), "/home/u/myconfig/config");
    EXPECT_EQ(common::config_folder_from_logs("D:\\Logs\\LOGS"), "D:\\Logs\\LOGS");
}

TEST(Paths, ftrimCutsAtTheLastSeparatorOfEitherKind) {
    struct Case {
        const char* path;
        int mode;
        const char* want;
    };
    for (const Case& c : {Case{"C:\\a\\b.txt", 1, "b.txt"}, Case{"C:\\a\\b.txt", 0, "C:\\a\\"},
                          Case{"/a/b.txt", 1, "b.txt"}, Case{"/a/b.txt", 0, "/a/"},
                          Case{"C:\\a/b\\c.json", 1, "c.json"}, Case{"C:/a\\b/c.json", 1, "c.json"},
                          Case{"C:\\a/b.txt", 2, "C:\\a/"}, Case{"plain.txt", 1, ""},
                          Case{"plain.txt", 0, "plain.txt"}, Case{"C:\\a\\", 1, ""},
                          Case{"C:\\a\\", 0, "C:\\a\\"}, Case{"", 0, ""},
                          // Every occurrence of the last part goes, not just the last one.
                          Case{"C:\\x\\y\\x", 0, "C:\\\\y\\"}, Case{"/ab/ab", 0, "//"}}) {
        EXPECT_EQ(common::ftrim(c.path, c.mode), c.want) << c.path << " " << c.mode;
    }
}

}  // namespace
