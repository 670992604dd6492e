#pragma once
// The Reports menu: what each item writes, opens in the text editor or says instead. The window
// runs the plan (through the platform); the companion prints it.

#include <optional>
#include <string>
#include <vector>

#include "app/session.hpp"
#include "common/file_io.hpp"
#include "common/message.hpp"
#include "platform/platform.hpp"

namespace app {

// The items of Reports, by their place in the menu (3 and 9 are separators).
enum class ReportItem {
    ModelConfigFile = 2,
    NonMatching = 4,
    MatchingModels = 5,
    EngineTypes = 6,
    AddonTitles = 7,
    MissingJsonFiles = 8,
    CheckTypeOfPlane = 10,  // shown disabled; nothing enables it
};

struct ReportPlan {
    bool show_log_view = false;  // tick "Logs" and switch to the log view first
    std::optional<common::Message> message;
    std::string write_path;  // the report file to write (empty: nothing to write)
    std::string text;        // its text (savetext adds the final CR LF)
    std::string open_path;   // opened in the text editor (empty: nothing to open)
    std::vector<common::FileError> write_errors;
};

// Works out the item against the session: sorts and keeps the result lists, reloads json_text
// for "ModelConfig File", and writes the report file. Nothing is shown or opened here.
ReportPlan mmo_click(Session& s, ReportItem item);

// The window's road: the plan, then the view switch (through switch_to_log_view), the message,
// the write failures and the editor, in that order.
void run_report(Session& s, platform::Platform& platform, ReportItem item,
                const std::function<void()>& switch_to_log_view);

}  // namespace app
