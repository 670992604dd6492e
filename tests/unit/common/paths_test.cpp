#include "common/paths.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kSep(1, common::path_separator());

TEST(JoinPath, addsOneSeparatorUnlessTheFolderEndsInOne) {
    EXPECT_EQ(common::join_path("C:\\app", "mm.dat"), "C:\\app" + kSep + "mm.dat");
    EXPECT_EQ(common::join_path("C:\\app\\", "mm.dat"), "C:\\app\\mm.dat");
    EXPECT_EQ(common::join_path("/opt/app/", "mm.dat"), "/opt/app/mm.dat");
    EXPECT_EQ(common::join_path("", "mm.dat"), "mm.dat");
}

TEST(ConfigFolder, everyLogsBecomesConfigCaseSensitively) {
    EXPECT_EQ(common::config_folder_from_logs("D:\\Sim\\Traffic\\logs"),
              "D:\\Sim\\Traffic\\config");
    EXPECT_EQ(common::config_folder_from_logs("D:\\logs\\Traffic\\logs"),
              "D:\\config\\Traffic\\config");
    EXPECT_EQ(common::config_folder_from_logs("/home/u/mylogs/logs"), "/home/u/myconfig/config");
    EXPECT_EQ(common::config_folder_from_logs("D:\\Logs\\LOGS"), "D:\\Logs\\LOGS");
    EXPECT_EQ(common::config_folder_from_logs(""), "");
}

TEST(Ftrim, modeOneGivesThePartAfterTheLastSeparator) {
    EXPECT_EQ(common::ftrim("C:\\a\\b.txt", 1), "b.txt");
    EXPECT_EQ(common::ftrim("/a/b.txt", 1), "b.txt");
    EXPECT_EQ(common::ftrim("C:\\a/b\\c.json", 1), "c.json");
    EXPECT_EQ(common::ftrim("C:/a\\b/c.json", 1), "c.json");
    EXPECT_EQ(common::ftrim("plain.txt", 1), "");
    EXPECT_EQ(common::ftrim("C:\\a\\", 1), "");
}

TEST(Ftrim, otherModesRemoveThatPartKeepingTheFinalSeparator) {
    EXPECT_EQ(common::ftrim("C:\\a\\b.txt", 0), "C:\\a\\");
    EXPECT_EQ(common::ftrim("/a/b.txt", 0), "/a/");
    EXPECT_EQ(common::ftrim("C:\\a/b.txt", 2), "C:\\a/");
    EXPECT_EQ(common::ftrim("plain.txt", 0), "plain.txt");
    EXPECT_EQ(common::ftrim("C:\\a\\", 0), "C:\\a\\");
    EXPECT_EQ(common::ftrim("", 0), "");
}

TEST(Ftrim, removalTakesOutEveryOccurrenceOfTheLastPart) {
    EXPECT_EQ(common::ftrim("C:\\x\\y\\x", 0), "C:\\\\y\\");
}

}  // namespace
