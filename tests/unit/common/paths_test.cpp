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
    EXPECT_EQ(common::config_folder_from_logs("/home/u/mylogs/logs"), "/home/u/myconfig/config");
    EXPECT_EQ(common::config_folder_from_logs("D:\\Logs\\LOGS"), "D:\\Logs\\LOGS");
}

TEST(Paths, ftrimCutsAtTheLastSeparatorOfEitherKind) {
    constexpr auto N = common::FtrimPart::Name;
    constexpr auto F = common::FtrimPart::Folder;
    const struct {
        const char* path;
        common::FtrimPart mode;
        const char* want;
    } cases[] = {{"C:\\a/b\\c.json", N, "c.json"},
                 {"C:/a\\b/c.json", N, "c.json"},
                 {"C:\\a/b.txt", F, "C:\\a/"},
                 {"/a/b.txt", F, "/a/"},
                 {"plain.txt", N, ""},
                 {"plain.txt", F, "plain.txt"},
                 {"C:\\a\\", N, ""},
                 {"C:\\a\\", F, "C:\\a\\"},
                 {"", F, ""},
                 // Every occurrence of the last part goes, not just the last one.
                 {"C:\\x\\y\\x", F, "C:\\\\y\\"}};
    for (const auto& c : cases) EXPECT_EQ(common::ftrim(c.path, c.mode), c.want) << c.path;
}

}  // namespace
