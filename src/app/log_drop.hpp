#pragma once
// A log file dropped on the main window: from a "logs" folder it is chosen in that folder,
// which becomes the logs folder; from anywhere else it is listed alone. Anything but one local
// file is ignored.

#include <string>
#include <vector>

#include "app/session.hpp"
#include "common/file_io.hpp"

namespace app {

struct LogDrop {
    enum class Kind { Ignore, AdoptFolder, SingleFile };
    Kind kind = Kind::Ignore;
    std::string folder;  // the dropped file's folder
    std::string file_name;

    friend bool operator==(const LogDrop&, const LogDrop&) = default;
};

// paths: the local file path of each dropped item, "" for an item that is not a local file;
// is_file tells a file from a folder or a path that does not exist.
// The folder's name is compared ignoring letter case on every system, since the add-on's folder
// is "Logs" or "logs" depending on who created it. A file the folder's list would not show
// (not "*.txt", no "log" in its name) is listed alone even there, so that it can be chosen.
LogDrop plan_log_drop(const std::vector<std::string>& paths,
                      bool (*is_file)(std::string_view) = common::file_exists);

// Shows the drop in the log list and returns the row to choose, -1 when it is not listed. For
// AdoptFolder the window has adopted drop.folder already (the folder box follows it).
int list_dropped_log(Session& s, const LogDrop& drop);

}  // namespace app
