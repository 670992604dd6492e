#pragma once
// Start-up and shutdown of the main window as data: the state start-up fills in, the settings
// round trip, the administrator check and the texts the window shows. The window applies the
// result to its controls; nothing here touches a window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/settings.hpp"

namespace app {

inline constexpr std::string_view kAppVersion = "1.72";
inline constexpr std::string_view kModelMatchingFileName = "ModelMatching.json";

inline constexpr std::string_view kRunAsAdminMessage =
    "Please Right Click on exe and run as Administrator.";
inline constexpr std::string_view kFileErrorMessage =
    "File error.\r\n\r\nPlease Right Click on exe and run as Administrator.";
inline constexpr std::string_view kChkLogsQuestion =
    "Please locate log files.See website for details\r\n\r\nFind Log folder?";

struct FrameState {
    std::string program_folder;
    std::string app_version{kAppVersion};
    std::string logs_folder;
    std::string json_path;
    bool comma_decimal = false;
    bool first_activation_done = false;
    bool file_error_shown = false;  // program-wide: the "File error." message shows once
    char quote = '"';               // for the parts that build JSON and HTML text
};

struct LiveSettings {
    float feed_range = 0.0f;  // 0 until the settings file gives one; start-up then makes it 0.08
    std::int64_t range_index = 0;
    std::int64_t max_height = 2000;
    std::int64_t height_index = 2;
    float picture_zoom = 2.0f;
    std::int16_t picture_dirty = -1;  // -1: true
    MatchesTable matches_table;
};

struct WindowTexts {
    std::string text1;          // log-folder box
    std::string text2 = "14";   // map zoom box
    std::string text3;          // flight search box
    bool logs_checked = false;  // logs(0) "Logs"; logs(1) "Live Airports" is the opposite
    std::optional<std::int64_t> list8_height;  // twips; empty: the window's own height

    bool live_checked() const { return !logs_checked; }
};

struct StartupState {
    FrameState frame;
    LiveSettings live;
    WindowTexts window;
    MenuChecks checks;
    std::string json_text;
};

// The configuration folder (every "logs" of the logs folder replaced by "config") followed by
// the separator and "ModelMatching.json".
std::string model_matching_path(std::string_view logs_folder);

// Runs the start-up steps: defaults, the system and models folders, mm.dat, the model-matching
// path and text, and the range and ceiling fallbacks.
StartupState startup(std::string program_folder, bool locale_uses_decimal_comma);

// The shutdown path: logs_folder takes Text1, then mm.dat and system/matches are written.
// False when a write failed; the caller then runs get_token(1, ...).
bool savedata(StartupState& state);

// The administrator check. aa = 1 reports a failed file write. Returns the message to show,
// if any, and records that the file-error message was shown.
std::optional<std::string> get_token(int aa, bool is_admin, FrameState& frame);

struct Activation {
    bool relist_logs = false;            // logs_folder names an existing folder: run f_refresh
    std::optional<std::string> message;  // the first activation's administrator message
};

// What an activation of the main window does; only the first one runs the administrator check.
Activation activate(StartupState& state, bool is_admin);

// The main window's caption.
std::string cap(const FrameState& frame);

}  // namespace app
