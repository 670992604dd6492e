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
