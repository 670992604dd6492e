#pragma once
// Everything the main window keeps for the whole run, grouped by subsystem, and the log-view
// commands that change it. The window renders this state and forwards user actions here.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/airport_session.hpp"
#include "app/live_session.hpp"
#include "app/log_session.hpp"
#include "app/startup.hpp"
#include "logs/log_list.hpp"
#include "logs/spawn_table.hpp"
#include "platform/platform.hpp"

namespace app {

struct LogListState {
    std::string folder;                   // the folder File1 lists
    std::vector<logs::LogEntry> entries;  // List4, each bound to its own file
    int chosen = -1;                      // List4 selection
};

// The log view: the listed logs, the parse of the chosen one and the table showing it.
struct LogViewState {
    LogListState list;
    LogState log;
    logs::SpawnTable table;
    FollowState follow;
};

struct Session {
    Session() = default;
    explicit Session(StartupState s)
        : frame(std::move(s.frame)),
          matching(std::move(s.matching)),
          live(std::move(s.live)),
          startup_folder_errors(std::move(s.folder_errors)) {
        load_airports(*this);
    }

    FrameState frame;
    MatchingState matching;
    LiveSettings live;
    LogViewState logs;
    AirportsState airports;
    LiveViewState live_view;
    std::vector<common::FileError> startup_folder_errors;
};

// f_refresh: relists the folder into List4; the chosen log stays chosen when it is still listed
// in the same folder.
void refresh_log_list(Session& s, std::string folder);

// ">>": step 1 of the folder choice, returning where the picker starts.
std::string command2_start_folder(Session& s);

// Adopts F as the log folder: the list, Text1, json_path and json_text follow it.
void adopt_log_folder(Session& s, const std::string& folder);

// After the Settings window closed, with json_path as it had it before: an unchanged path does
// nothing; a path without a "logs" folder is refused with the message returned and json_path
// goes back to its old value (the model-matching file is never written to a rejected path);
// otherwise the applied path is adopted as the log folder and true is returned.
struct SettingsApplied {
    bool adopt = false;
    std::string folder;  // the folder to adopt
    std::optional<common::Message> message;
};
SettingsApplied settings_closed(Session& s, const std::string& old_json_path);

inline constexpr std::string_view kCannotFindLogFolder = " Cannot find Log folder";

// The view switch after a click on logs(index); the boxes hold their state after the click.
// Returns true when the window must ask chk_logs.
bool logs_mouse_up(Session& s, int index, bool logs0_checked, bool logs1_checked);

// Choosing the List4 entry at index: reads and parses its log and draws the first page. The
// window keeps the busy cursor and the busy guard around it.
ChooseOutcome list4_click(Session& s, int index, std::int64_t header_height_twips);

// The whole road of a click on a List4 entry (or "Update"): busy cursor and guard, read and
// parse, the caller's rendering, one round of pending events (clicks in it find the guard set and
// do nothing), then the messages and any write failure. False when a parse was already running.
bool run_list4_click(Session& s, platform::Platform& platform, int index,
                     std::int64_t header_height_twips, const std::function<void()>& render);

// Shows the message for failed writes (paths and causes; the administrator advice once a run).
void report_write_failures(Session& s, platform::Platform& platform,
                           const std::vector<common::FileError>& errors);

// Shows messages in order with an OK button.
void show_messages(platform::Platform& platform, const std::vector<common::Message>& messages);

// The model-matching text, read again from the folder of json_path when it is empty.
void ensure_model_matching_text(Session& s);

// The chosen entry's file, or "" when none is chosen.
std::string chosen_log_path(const Session& s);

// Writes mm.dat and system/matches as the window closes.
common::FileStatus save_settings(const Session& s);

}  // namespace app
