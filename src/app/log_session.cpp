#include "app/log_session.hpp"

#include <array>
#include <utility>

#include "matching/suggestions.hpp"

namespace app {

logs::ParseOptions parse_options(std::int64_t header_height_twips) {
    logs::ParseOptions options;
    options.get_text4 = &matching::get_text4;
    options.header_height_twips = header_height_twips;
    return options;
}

namespace {

// The three result lists; a list without lines still writes a file holding one empty line.
std::vector<common::FileError> write_result_files(const ProgramLayout& layout,
                                                  const logs::ResultTexts& texts) {
    const std::array<std::pair<ResultList, const std::string*>, 3> files{
        std::pair{ResultList::NoMatch, &texts.nomatch_text},
        std::pair{ResultList::Matched, &texts.matched_text},
        std::pair{ResultList::Models, &texts.models_text}};
    std::vector<common::FileError> errors;
    for (const auto& [kind, text] : files) {
        if (auto status = common::savetext(layout.result_file(kind), *text); !status) {
            errors.push_back(*status.error);
        }
    }
    return errors;
}

}  // namespace

ChooseOutcome parse_log_text(LogState& state, std::string log_text, const ProgramLayout& layout,
                             std::int64_t header_height_twips) {
    ChooseOutcome outcome;
    if (state.busy_flag) return outcome;
    state.busy_flag = true;
    outcome.started = true;

    state.log_text = std::move(log_text);
    state.parse = {};
    state.reader = logs::LogReader(parse_options(header_height_twips));
    state.reader.feed(state.log_text, state.parse);
    state.results = {};
    state.results_stale = false;
    state.write_errors.clear();

    if (std::string failures = logs::failed_steps_message(state.parse); !failures.empty()) {
        outcome.messages.push_back(common::Message{std::move(failures)});
    }
    if (state.parse.stopped_early) {
        outcome.messages.push_back(common::Message{stopped_early_message(state.parse)});
    } else {
        state.results = logs::make_result_lists(state.parse.records);
        if (!state.parse.records.empty())
            state.write_errors = write_result_files(layout, state.results);
        if (state.parse.records.empty()) {
            outcome.messages.push_back(
                common::Message{"No Flight Information.", common::Message::Icon::Information});
        }
    }
    state.busy_flag = false;
    return outcome;
}

ChooseOutcome choose_log(LogState& state, const std::string& log_path, const ProgramLayout& layout,
                         std::int64_t header_height_twips) {
    if (state.busy_flag) return {};
    state.path = log_path;
    common::remove_file(layout.stale_tmp_file());
    common::ReadResult read = common::read_file_checked(log_path);
    if (!read.error)
        return parse_log_text(state, std::move(read.data), layout, header_height_twips);

    // Nothing to parse: the table shows no records and the result files stay as they were.
    state.log_text.clear();
    state.parse = {};
    state.reader = logs::LogReader(parse_options(header_height_twips));
    state.reader.feed({}, state.parse);
    state.results = {};
    state.results_stale = false;
    state.write_errors.clear();
    ChooseOutcome outcome;
    outcome.started = true;
    outcome.messages.push_back(common::Message{"Cannot read the log " + read.error->text()});
    outcome.read_error = std::move(read.error);
    return outcome;
}

std::vector<common::FileError> ensure_result_lists(LogState& state, const ProgramLayout& layout) {
    if (!state.results_stale) return {};
    state.results_stale = false;
    state.results = logs::make_result_lists(state.parse.records);
    return write_result_files(layout, state.results);
}

std::string failed_caption(const LogState& state) {
    return "Failed:" + std::to_string(state.parse.fail_count);
}

bool failed_caption_red(const LogState& state) {
    return state.parse.fail_count > 0;
}

std::string stopped_early_message(const logs::ParseResult& parse) {
    return "Reading the log stopped at a \"Model matching\" line without \"with airline:\" after " +
           std::to_string(parse.record_count) + (parse.record_count == 1 ? " spawn" : " spawns") +
           "; the table and the result lists were not updated.";
}

}  // namespace app
