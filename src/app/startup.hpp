#pragma once
// Start-up and shutdown of the main window as data: the state start-up fills in, grouped by
// subsystem, the settings round trip, the administrator check and the texts the window shows.
// The window applies the result to its controls; nothing here touches a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/build_settings.hpp"
#include "app/program_layout.hpp"
#include "app/settings.hpp"
#include "common/file_io.hpp"
#include "common/message.hpp"

namespace app {

inline constexpr std::string_view kRunAsAdminMessage =
    "Please Right Click on exe and run as Administrator.";
inline constexpr std::string_view kFileErrorMessage =
    "File error.\r\n\r\nPlease Right Click on exe and run as Administrator.";
inline constexpr std::string_view kOfferSamplesQuestion =
    "No logs folder chosen yet. Open the sample logs?";
inline constexpr std::string_view kChkLogsQuestion =
    "Please locate log files.See website for details\r\n\r\nFind Log folder?";

// The window frame: where the program lives, the log folder in use and the view toggle.
struct FrameState {
    ProgramLayout layout{std::string()};
    std::string app_version{kAppVersion};
    std::string logs_folder;
    std::string text1;          // log-folder box
    std::string text3;          // the search box shared by the log and live views
    bool logs_checked = false;  // logs(0) "Logs"; logs(1) "Live Airports" is the opposite
    bool comma_decimal = false;
    bool first_activation_done = false;
    bool file_error_shown = false;  // program-wide: the "File error." message shows once
};

// The add-on's model-matching file.
struct MatchingState {
    std::string json_path;
    std::string json_text;
};

// Live traffic settings that survive restarts.
struct LiveSettings {
    float feed_range = 0.0f;  // 0 until the settings file gives one; start-up then makes it 0.08
    std::int64_t range_index = 0;
    std::int64_t max_height = 2000;
    std::int64_t height_index = 2;
    MenuChecks checks;                         // Flightradar > Range / Max Height
    std::string text2 = "14";                  // map zoom box
    std::optional<std::int64_t> list8_height;  // twips; empty: the window's own height
};

struct StartupState {
    FrameState frame;
    MatchingState matching;
    LiveSettings live;
    std::vector<common::FileError> folder_errors;  // start-up folders that could not be made
};

// Runs the start-up steps: defaults, the system and models folders, mm.dat, the model-matching
// path and text, and the range and ceiling fallbacks.
StartupState startup(std::string program_folder, bool locale_uses_decimal_comma);

// The range and ceiling start-up would give the window: mm.dat's values (when it exists) with
// the fallbacks for 0. Creates nothing.
LiveSettings saved_live_settings(const ProgramLayout& layout);

// What the settings file gets: the log folder is the box's text (Text1) at the time of saving.
SettingsValues settings_to_save(const FrameState& frame, const LiveSettings& live);

// Why the administrator check runs: the first activation, or a file write that failed.
enum class TokenReason { FirstActivation, WriteFailed };

// The administrator check: the message to show, if any. The file-error advice shows once a run.
std::optional<std::string> get_token(TokenReason reason, bool is_admin, FrameState& frame);

// The message for failed writes: every path with its cause. A user without administrator rights
// gets the "File error." advice with it the first time in a run.
common::Message write_failure_message(const std::vector<common::FileError>& errors, bool is_admin,
                                      FrameState& frame);

// The message for start-up folders that could not be created.
common::Message folder_failure_message(const std::vector<common::FileError>& errors);

struct Activation {
    bool relist_logs = false;            // logs_folder names an existing folder: run f_refresh
    std::optional<std::string> message;  // the first activation's administrator message
    // The first activation without a logs folder, when the program ships sample logs: the
    // window offers them (kOfferSamplesQuestion).
    bool offer_samples = false;
};

// What an activation of the main window does; only the first one runs the administrator check.
Activation activate(FrameState& frame, bool is_admin);

// The main window's caption.
std::string cap(const FrameState& frame);

}  // namespace app
