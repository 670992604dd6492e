#include "logs/log_list.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../common/temp_folder.hpp"
#include "common/file_io.hpp"

namespace {

TEST(LogLabel, fromTheFileName) {
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases = {
        {"log2024051314.txt", "05 13 : 1400"},
        {"log20240513.txt", "05 1300"},
        {"notes.txt", std::nullopt},
        {"lo.g.txt", std::nullopt},
        {"", std::nullopt},
        // Listed whatever the case of "log", but only lower-case "log" is removed: 17
        // characters, split after 11, then "Log2" is dropped instead of "2024".
        {"Log2024051314.txt", "02 40513 : 1400"},
        // Exactly 16 characters are not split.
        {"log202405131.txt", "05 13100"},
        // Removal happens after the split, so the split point counts "log" in place; the
        // inserted space can break ".txt" apart, which then stays as it is.
        {"log2024log0513.txt", "0  : 51300"},
        {"backlog.txt", ".t xt"},
        {"log20240513.TXT", "05 13.TXT"},
        // Short names never crash.
        {"LOG", " "},
        {"log12345", "5 "},
        {"log.txt", " "},  // ".txt" is cut before it can be replaced
    };
    for (const auto& [name, label] : cases) EXPECT_EQ(logs::log_label(name), label) << name;
}

TEST(LogFolder, onlyLogsListedInNameOrderEachEntryKeepsItsFile) {
    testing_support::TempFolder tmp;
    for (const char* name : {"log2024051309.txt", "notes.txt", "Log2024051310.txt", "readme.md",
                             "log2024051311.TXT"}) {
        std::ofstream(tmp.file(name), std::ios::binary) << name;
    }
    const std::vector<logs::LogEntry> entries = logs::f_refresh(tmp.str());
    EXPECT_EQ(entries, (std::vector<logs::LogEntry>{{"05 13 : 0900", "log2024051309.txt"},
                                                    {"02 40513 : 1000", "Log2024051310.txt"},
                                                    {"05 13 : 11.TXT", "log2024051311.TXT"}}));
    // The second entry opens the second log, not the file at that position in the folder.
    EXPECT_EQ(common::read_file(logs::log_path(tmp.str(), entries.at(1).file_name)),
              "Log2024051310.txt");
    for (const std::string& folder : {std::string(), tmp.file("absent"), tmp.file("notes.txt")}) {
        EXPECT_TRUE(logs::f_refresh(folder).empty()) << folder;
    }
}

}  // namespace
