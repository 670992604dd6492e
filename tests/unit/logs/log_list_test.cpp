#include "logs/log_list.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"

namespace fs = std::filesystem;
using testing_support::TempFolder;

namespace {

TEST(LogLabel, hourlyAndDailyNamesReadMonthDayAndHour) {
    EXPECT_EQ(logs::log_label("log2024051314.txt"), "05 13 : 1400");
    EXPECT_EQ(logs::log_label("log20240513.txt"), "05 1300");
}

TEST(LogLabel, namesWithoutLogGetNoEntry) {
    EXPECT_EQ(logs::log_label("notes.txt"), std::nullopt);
    EXPECT_EQ(logs::log_label("lo.g.txt"), std::nullopt);
    EXPECT_EQ(logs::log_label(""), std::nullopt);
}

TEST(LogLabel, upperCaseLogIsListedButNotRemoved) {
    // 17 characters: split after 11, then "Log2" is dropped instead of "2024".
    EXPECT_EQ(logs::log_label("Log2024051314.txt"), "02 40513 : 1400");
    EXPECT_EQ(logs::log_label("LOG20240513.txt"), "02 4051300");
}

TEST(LogLabel, splitOnlyAboveSixteenCharacters) {
    EXPECT_EQ(std::string("log202405131.txt").size(), 16u);
    EXPECT_EQ(logs::log_label("log202405131.txt"), "05 13100");
    EXPECT_EQ(logs::log_label("log2024051312.txt"), "05 13 : 1200");
}

TEST(LogLabel, everyLowerCaseLogIsRemoved) {
    // Removal happens after the " : " split, so the split point is counted with "log" in place.
    EXPECT_EQ(logs::log_label("log2024log0513.txt"), "0  : 51300");
    // The inserted space can break ".txt" apart, which then stays as it is.
    EXPECT_EQ(logs::log_label("backlog.txt"), ".t xt");
}

TEST(LogLabel, txtIsReplacedCaseSensitively) {
    EXPECT_EQ(logs::log_label("log20240513.TXT"), "05 13.TXT");
}

TEST(LogLabel, shortNamesNeverCrash) {
    EXPECT_EQ(logs::log_label("log"), " ");
    EXPECT_EQ(logs::log_label("LOG"), " ");
    EXPECT_EQ(logs::log_label("logab"), " ");
    EXPECT_EQ(logs::log_label("log12345"), "5 ");
    EXPECT_EQ(logs::log_label("log123456"), "56 ");
    EXPECT_EQ(logs::log_label("log1234567"), "56 7");
    EXPECT_EQ(logs::log_label("log.txt"), " ");  // ".txt" is cut before it can be replaced
}

class LogFolder : public ::testing::Test {
  protected:
    void add(const std::string& name, const std::string& text) {
        std::ofstream(tmp_.file(name), std::ios::binary) << text;
    }
    TempFolder tmp_;
};

TEST_F(LogFolder, notesBetweenTwoLogsGetsNoEntryAndEachEntryKeepsItsFile) {
    add("log2024051309.txt", "first");
    add("notes.txt", "notes");
    add("log2024051310.txt", "second");
    add("readme.md", "x");

    const std::vector<logs::LogEntry> entries = logs::f_refresh(tmp_.str());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], (logs::LogEntry{"05 13 : 0900", "log2024051309.txt"}));
    EXPECT_EQ(entries[1], (logs::LogEntry{"05 13 : 1000", "log2024051310.txt"}));
    // The second entry opens the second log, not the file at that position in the folder.
    EXPECT_EQ(common::read_file(logs::log_path(tmp_.str(), entries[1].file_name)), "second");
}

TEST_F(LogFolder, entriesFollowNameOrderIgnoringCase) {
    add("log20240514.txt", "");
    add("Log20240512.txt", "");
    add("log20240513.TXT", "");
    const std::vector<logs::LogEntry> entries = logs::f_refresh(tmp_.str());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].file_name, "Log20240512.txt");
    EXPECT_EQ(entries[1].file_name, "log20240513.TXT");
    EXPECT_EQ(entries[2].file_name, "log20240514.txt");
}

TEST_F(LogFolder, missingOrEmptyFolderListsNothing) {
    EXPECT_TRUE(logs::f_refresh(tmp_.str()).empty());
    EXPECT_TRUE(logs::f_refresh(tmp_.file("absent")).empty());
    EXPECT_TRUE(logs::f_refresh("").empty());
}

TEST(LogPath, joinsFolderAndNameWithOneSeparator) {
    const std::string sep(1, fs::path::preferred_separator);
    EXPECT_EQ(logs::log_path("D:\\logs", "log1.txt"), "D:\\logs" + sep + "log1.txt");
    EXPECT_EQ(logs::log_path("D:\\logs\\", "log1.txt"), "D:\\logs\\log1.txt");
}

}  // namespace
