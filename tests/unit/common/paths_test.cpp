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
        common::FtrimPart mode;
        const char* want;
    };
    constexpr auto N = common::FtrimPart::Name;
    constexpr auto F = common::FtrimPart::Folder;
    for (const Case& c : {Case{"C:\\a\\b.txt", N, "b.txt"}, Case{"C:\\a\\b.txt", F, "C:\\a\\"},
                          Case{"/a/b.txt", N, "b.txt"}, Case{"/a/b.txt", F, "/a/"},
                          Case{"C:\\a/b\\c.json", N, "c.json"}, Case{"C:/a\\b/c.json", N, "c.json"},
                          Case{"C:\\a/b.txt", F, "C:\\a/"}, Case{"plain.txt", N, ""},
                          Case{"plain.txt", F, "plain.txt"}, Case{"C:\\a\\", N, ""},
                          Case{"C:\\a\\", F, "C:\\a\\"}, Case{"", F, ""},
                          // Every occurrence of the last part goes, not just the last one.
                          Case{"C:\\x\\y\\x", F, "C:\\\\y\\"}, Case{"/ab/ab", F, "//"}}) {
        EXPECT_EQ(common::ftrim(c.path, c.mode), c.want) << c.path;
    }
}

}  // namespace
