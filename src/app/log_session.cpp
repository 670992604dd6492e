#include "app/log_session.hpp"

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "matching/suggestions.hpp"

namespace app {

logs::ParseOptions parse_options(std::int64_t header_height_twips) {
    logs::ParseOptions options;
    options.get_text4 = &matching::get_text4;
    options.header_height_twips = header_height_twips;
    return options;
}

ChooseOutcome parse_log_text(LogState& state, std::string log_text,
                             const std::string& models_folder, std::int64_t header_height_twips) {
    ChooseOutcome outcome;
    if (state.busy_flag) return outcome;
    state.busy_flag = true;
    outcome.started = true;

    state.log_text = std::move(log_text);
    state.parse = logs::get_list4(state.log_text, parse_options(header_height_twips));
    state.results = {};
    state.result_files_failed = false;

    if (std::string failures = logs::failed_steps_message(state.parse); !failures.empty()) {
        outcome.messages.push_back(common::Message{std::move(failures)});
    }
    if (!state.parse.stopped_early) {
        state.results = logs::make_result_lists(state.parse.records);
        state.result_files_failed =
            !logs::write_result_files(models_folder, state.parse.records, state.results);
        if (state.parse.records.empty()) {
            outcome.messages.push_back(
                common::Message{"No Flight Information.", common::Message::Icon::Information});
        }
    }
    state.busy_flag = false;
    return outcome;
}

ChooseOutcome choose_log(LogState& state, const std::string& log_path,
                         const std::string& program_folder, std::int64_t header_height_twips) {
    if (state.busy_flag) return {};
    common::remove_file(common::join_path(program_folder, "tmp"));
    return parse_log_text(state, common::read_file(log_path),
                          common::join_path(program_folder, "models"), header_height_twips);
}

std::string failed_caption(const LogState& state) {
    return "Failed:" + std::to_string(state.parse.fail_count);
}

bool failed_caption_red(const LogState& state) {
    return state.parse.fail_count > 0;
}

}  // namespace app
