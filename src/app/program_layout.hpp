#pragma once
// The program folder's layout: the one place that spells the names of the folders and files the
// program keeps beside its executable, and the model-matching file's place in the add-on's
// configuration folder.

#include <array>
#include <string>
#include <string_view>

namespace app {

enum class ResultList { NoMatch, Matched, Models };

class ProgramLayout {
  public:
    explicit ProgramLayout(std::string program_folder) : root_(std::move(program_folder)) {}

    [[nodiscard]] const std::string& root() const noexcept { return root_; }
    [[nodiscard]] std::string system_folder() const;
    [[nodiscard]] std::string models_folder() const;
    // Folders start-up creates when missing, in the order it creates them.
    [[nodiscard]] std::array<std::string, 2> created_folders() const;

    [[nodiscard]] std::string settings_file() const;       // mm.dat
    [[nodiscard]] std::string matches_file() const;        // system/matches
    [[nodiscard]] std::string titles_report() const;       // system/fnd
    [[nodiscard]] std::string failures_report() const;     // models/failures
    [[nodiscard]] std::string stale_tmp_file() const;      // tmp, deleted when a log is chosen
    [[nodiscard]] std::string sample_logs_folder() const;  // samples/logs, shipped
    [[nodiscard]] std::string result_file(ResultList kind) const;

    // Under system/: the user's airport list, the shipped look-up tables and icons, the raw
    // feed copy and the map page.
    [[nodiscard]] std::string airport_list_file() const;  // airplst
    [[nodiscard]] std::string airlines_file() const;      // airlines
    [[nodiscard]] std::string iata_file() const;          // iata
    [[nodiscard]] std::string lookup_file() const;        // az5
    [[nodiscard]] std::string icons_folder() const;       // imgs
    // imgs/p<direction>.gif, direction 0, 10, ..., 350.
    [[nodiscard]] std::string icon_file(int direction) const;
    [[nodiscard]] std::string raw_feed_file() const;    // rdr
    [[nodiscard]] std::string map_page_file() const;    // mm.htm
    [[nodiscard]] std::string map_script_file() const;  // apmm.js

  private:
    std::string root_;
};

inline constexpr std::string_view kModelMatchingFileName = "ModelMatching.json";

// The configuration folder (every "logs" of the logs folder replaced by "config") followed by
// the separator and ModelMatching.json. An empty folder still gets its separator, so the path
// never turns relative to the working folder.
std::string model_matching_path(std::string_view logs_folder);

// ModelMatching.json in the folder of json_path (where the file is read again from when the
// text in memory is empty).
std::string model_matching_reload_path(std::string_view json_path);

}  // namespace app
