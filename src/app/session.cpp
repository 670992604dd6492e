#include "app/session.hpp"

#include "common/file_io.hpp"
#include "common/text.hpp"

namespace app {

void refresh_log_list(Session& s, std::string folder) {
    LogListState& list = s.logs.list;
    std::string chosen_file;
    if (list.folder == folder && list.chosen >= 0 &&
        list.chosen < static_cast<int>(list.entries.size())) {
        chosen_file = list.entries[static_cast<std::size_t>(list.chosen)].file_name;
    }
    list.folder = std::move(folder);
    list.entries = logs::f_refresh(list.folder);
    list.chosen = -1;
    for (std::size_t i = 0; i < list.entries.size() && !chosen_file.empty(); ++i) {
        if (list.entries[i].file_name == chosen_file) list.chosen = static_cast<int>(i);
    }
}

std::string command2_start_folder(Session& s) {
    std::string& logs = s.frame.logs_folder;
    if (!common::folder_exists(logs)) logs.clear();
    if (logs.empty()) logs = s.frame.layout.root();
    return logs;
}

void adopt_log_folder(Session& s, const std::string& folder) {
    s.frame.logs_folder = folder;
    refresh_log_list(s, folder);
    s.frame.text1 = folder;
    s.matching.json_path = model_matching_path(s.frame.text1);
    s.matching.json_text = common::read_file(s.matching.json_path);
}

SettingsApplied settings_closed(Session& s, const std::string& old_json_path) {
    SettingsApplied r;
    std::string& applied = s.matching.json_path;
    if (applied == old_json_path) return r;
    const std::string lower = common::to_lower(applied);
    // Either separator: the folder may have been typed or picked on any system.
    if (!common::contains(lower, "\\logs") && !common::contains(lower, "/logs")) {
        r.message = common::Message{std::string(kCannotFindLogFolder) + "\r\n\r\n" + applied};
        applied = old_json_path;
        return r;
    }
    r.adopt = true;
    r.folder = applied;
    return r;
}

bool logs_mouse_up(Session& s, int index, bool logs0_checked, bool logs1_checked) {
    const bool logs0 = index == 1 ? !logs1_checked : logs0_checked;
    s.frame.logs_checked = logs0;
    auto missing = [&] {
        const std::string& f = s.frame.logs_folder;
        return f.empty() || !common::folder_exists(f);
    };
    if (!logs0) return false;
    if (missing()) s.frame.logs_folder = s.frame.text1;
    return s.frame.first_activation_done && missing();
}

ChooseOutcome list4_click(Session& s, int index, std::int64_t header_height_twips,
                          const Progress& progress) {
    LogViewState& v = s.logs;
    if (v.log.busy_flag) return {};
    if (index < 0 || index >= static_cast<int>(v.list.entries.size())) return {};
    v.list.chosen = index;
    v.table.clearlist();
    ChooseOutcome outcome =
        choose_log(v.log, chosen_log_path(s), s.frame.layout, header_height_twips, progress);
    if (outcome.started && !v.log.parse.stopped_early) v.table.after_parse(v.log.parse.records);
    return outcome;
}

bool run_list4_click(Session& s, platform::Platform& platform, int index,
                     std::int64_t header_height_twips, const std::function<void()>& render,
                     const Progress& progress) {
    LogState& log = s.logs.log;
    if (log.busy_flag) return false;
    platform.busy_on();
    const ChooseOutcome outcome = list4_click(s, index, header_height_twips, progress);
    if (render) render();
    log.busy_flag = true;
    platform.process_events();
    platform.busy_off();
    show_messages(platform, outcome.messages);
    if (!log.write_errors.empty()) report_write_failures(s, platform, log.write_errors);
    log.busy_flag = false;
    return outcome.started;
}

void report_write_failures(Session& s, platform::Platform& platform,
                           const std::vector<common::FileError>& errors) {
    const common::Message m = write_failure_message(errors, platform.is_user_admin(), s.frame);
    platform.message(m.text, platform::Buttons::Ok, platform::Icon::None);
}

void show_messages(platform::Platform& platform, const std::vector<common::Message>& messages) {
    for (const auto& m : messages) {
        platform.message(m.text, platform::Buttons::Ok,
                         m.icon == common::Message::Icon::Information ? platform::Icon::Information
                                                                      : platform::Icon::None);
    }
}

void ensure_model_matching_text(Session& s) {
    if (!s.matching.json_text.empty()) return;
    s.matching.json_text = common::read_file(model_matching_reload_path(s.matching.json_path));
}

std::string chosen_log_path(const Session& s) {
    const LogListState& list = s.logs.list;
    if (list.chosen < 0 || list.chosen >= static_cast<int>(list.entries.size())) return {};
    return logs::log_path(list.folder,
                          list.entries[static_cast<std::size_t>(list.chosen)].file_name);
}

common::FileStatus save_settings(const Session& s) {
    return savedata(s.frame.layout, settings_to_save(s.frame, s.live));
}

}  // namespace app
