#pragma once
// Path text routines. Paths are built with the platform's separator; every routine that cuts or
// tests a path accepts both "\" and "/".

#include <string>
#include <string_view>

namespace common {

char path_separator() noexcept;
inline bool is_separator(char c) noexcept {
    return c == '\\' || c == '/';
}

// folder + separator + name; no separator is doubled when the folder already ends in one.
std::string join_path(std::string_view folder, std::string_view name);

// The add-on's configuration folder: the logs folder with every "logs" (case-sensitive)
// replaced by "config".
std::string config_folder_from_logs(std::string_view logs_folder);

enum class FtrimPart { Name, Folder };
// Name: the part after the last separator. Folder: the path with every occurrence of that part
// removed (the path unchanged when there is no separator or nothing after it), so C:\a\b.txt
// gives C:\a\ with its final separator.
std::string ftrim(std::string_view ss, FtrimPart part);

}  // namespace common
