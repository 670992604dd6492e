#include "app/session.hpp"

#include "common/file_io.hpp"

namespace app {

void refresh_log_list(Session& s, std::string folder) {
    // The chosen log stays chosen when the same folder is listed again.
    std::string chosen_file;
    if (s.list.folder == folder && s.list.chosen >= 0 &&
        s.list.chosen < static_cast<int>(s.list.entries.size())) {
        chosen_file = s.list.entries[static_cast<std::size_t>(s.list.chosen)].file_name;
    }
    s.list.folder = std::move(folder);
    s.list.entries = logs::f_refresh(s.list.folder);
    s.list.chosen = -1;
    for (std::size_t i = 0; i < s.list.entries.size() && !chosen_file.empty(); ++i) {
        if (s.list.entries[i].file_name == chosen_file) s.list.chosen = static_cast<int>(i);
    }
}

std::string command2_start_folder(Session& s) {
    std::string& logs = s.start.frame.logs_folder;
    if (!common::folder_exists(logs)) logs.clear();
    if (logs.empty()) logs = s.start.frame.program_folder;
    return logs;
}

void adopt_log_folder(Session& s, const std::string& folder) {
    s.start.frame.logs_folder = folder;
    refresh_log_list(s, folder);
    s.start.window.text1 = folder;
    s.start.frame.json_path = model_matching_path(s.start.window.text1);
    s.start.json_text = common::read_file(s.start.frame.json_path);
}

bool logs_mouse_up(Session& s, int index, bool logs0_checked, bool logs1_checked) {
    bool logs0 = index == 1 ? !logs1_checked : logs0_checked;
    s.start.window.logs_checked = logs0;
    auto missing = [&] {
        const std::string& f = s.start.frame.logs_folder;
        return f.empty() || !common::folder_exists(f);
    };
    if (!logs0) return false;
    if (missing()) s.start.frame.logs_folder = s.start.window.text1;
    return s.start.frame.first_activation_done && missing();
}

ChooseOutcome list4_click(Session& s, int index, std::int64_t header_height_twips) {
    if (s.log.busy_flag) return {};
    if (index < 0 || index >= static_cast<int>(s.list.entries.size())) return {};
    s.list.chosen = index;
    s.table.clearlist();
    ChooseOutcome outcome =
        choose_log(s.log, chosen_log_path(s), s.start.frame.program_folder, header_height_twips);
    if (outcome.started && !s.log.parse.stopped_early) s.table.after_parse(s.log.parse.records);
    return outcome;
}

std::string chosen_log_path(const Session& s) {
    if (s.list.chosen < 0 || s.list.chosen >= static_cast<int>(s.list.entries.size())) return {};
    return logs::log_path(s.list.folder,
                          s.list.entries[static_cast<std::size_t>(s.list.chosen)].file_name);
}

}  // namespace app
