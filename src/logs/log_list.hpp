#pragma once
// The log list: the add-on's "*.txt" files in the logs folder, each shown under a short date
// label made from its name.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace logs {

struct LogEntry {
    std::string label;      // what List4 shows
    std::string file_name;  // the file this entry opens

    friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

// The label of a log file name, or nothing for a name without "log" (any letter case):
// log2024051314.txt gives "05 13 : 1400", log20240513.txt gives "05 1300".
std::optional<std::string> log_label(std::string_view file_name);

// The entries for the folder's "*.txt" files in name order; files without a label are left out.
std::vector<LogEntry> f_refresh(std::string_view folder);

// Path of an entry's file in the listed folder.
std::string log_path(std::string_view folder, std::string_view file_name);

}  // namespace logs
