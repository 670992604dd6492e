#include "app/startup.hpp"

#include <utility>

#include "common/file_io.hpp"

namespace app {
namespace {

constexpr float kDefaultFeedRange = 0.08f;
constexpr std::int64_t kDefaultRangeIndex = 1;
constexpr std::int64_t kDefaultMaxHeight = 2000;
constexpr std::int64_t kDefaultHeightIndex = 2;

void apply_settings(SettingsValues v, StartupState& state) {
    state.frame.logs_folder = std::move(v.logs_folder);
    state.live.list8_height = v.list8_height;
    state.frame.logs_checked = v.logs_checked;
    state.frame.text3 = std::move(v.text3);
    state.live.feed_range = v.feed_range;
    state.live.range_index = v.range_index;
    state.live.max_height = v.max_height;
    state.live.height_index = v.height_index;
    state.live.text2 = std::move(v.text2);
}

// The last start-up step: a range or ceiling of 0 falls back to the defaults.
void apply_live_fallbacks(LiveSettings& live) {
    live.checks.check_mrr(live.height_index);
    if (live.feed_range == 0.0f) {
        live.range_index = kDefaultRangeIndex;
        live.feed_range = kDefaultFeedRange;
        live.checks.check_mrg(kDefaultRangeIndex);
    }
    if (live.max_height == 0) {
        live.height_index = kDefaultHeightIndex;
        live.checks.check_mrr(kDefaultHeightIndex);
        live.max_height = kDefaultMaxHeight;
    }
}

std::string error_lines(const std::vector<common::FileError>& errors) {
    std::string lines;
    for (const auto& e : errors) {
        if (!lines.empty()) lines.append("\r\n");
        lines.append(e.text());
    }
    return lines;
}

}  // namespace

SettingsValues settings_to_save(const FrameState& frame, const LiveSettings& live) {
    SettingsValues v;
    v.logs_folder = frame.text1;
    v.list8_height = live.list8_height;
    v.logs_checked = frame.logs_checked;
    v.text3 = frame.text3;
    v.feed_range = live.feed_range;
    v.range_index = live.range_index;
    v.max_height = live.max_height;
    v.height_index = live.height_index;
    v.text2 = live.text2;
    return v;
}

StartupState startup(std::string program_folder, bool locale_uses_decimal_comma) {
    StartupState state;
    state.frame.layout = ProgramLayout(std::move(program_folder));
    state.frame.comma_decimal = locale_uses_decimal_comma;
    const ProgramLayout& layout = state.frame.layout;

    // A folder that cannot be created is reported; start-up goes on and later writes fail.
    for (const std::string& folder : layout.created_folders()) {
        if (common::folder_exists(folder)) continue;
        if (auto status = common::create_folder(folder); !status) {
            state.folder_errors.push_back(*status.error);
        }
    }

    SettingsValues values;
    values.logs_checked = state.frame.logs_checked;
    values.max_height = state.live.max_height;
    values.height_index = state.live.height_index;
    values.text2 = state.live.text2;
    if (loaddata_file(layout, values, state.live.checks)) apply_settings(std::move(values), state);

    state.frame.text1 = state.frame.logs_folder;
    state.matching.json_path = model_matching_path(state.frame.text1);
    state.matching.json_text = common::read_file(state.matching.json_path);

    apply_live_fallbacks(state.live);
    return state;
}

LiveSettings saved_live_settings(const ProgramLayout& layout) {
    LiveSettings live;
    SettingsValues values;
    values.max_height = live.max_height;
    values.height_index = live.height_index;
    if (loaddata_file(layout, values, live.checks)) {
        live.feed_range = values.feed_range;
        live.range_index = values.range_index;
        live.max_height = values.max_height;
        live.height_index = values.height_index;
    }
    apply_live_fallbacks(live);
    return live;
}

std::optional<std::string> get_token(TokenReason reason, bool is_admin, FrameState& frame) {
    if (is_admin) return std::nullopt;
    if (reason == TokenReason::FirstActivation) return std::string(kRunAsAdminMessage);
    if (frame.file_error_shown) return std::nullopt;
    frame.file_error_shown = true;
    return std::string(kFileErrorMessage);
}

common::Message write_failure_message(const std::vector<common::FileError>& errors, bool is_admin,
                                      FrameState& frame) {
    const std::string lines = error_lines(errors);
    if (auto advice = get_token(TokenReason::WriteFailed, is_admin, frame)) {
        return common::Message{*advice + "\r\n\r\n" + lines};
    }
    return common::Message{"Could not write:\r\n" + lines};
}

common::Message folder_failure_message(const std::vector<common::FileError>& errors) {
    return common::Message{"Could not create the program's folders:\r\n" + error_lines(errors)};
}

Activation activate(FrameState& frame, bool is_admin) {
    Activation result;
    const std::string& logs = frame.logs_folder;
    result.relist_logs = !logs.empty() && common::folder_exists(logs);
    if (!frame.first_activation_done) {
        result.message = get_token(TokenReason::FirstActivation, is_admin, frame);
        result.offer_samples =
            logs.empty() && common::folder_exists(frame.layout.sample_logs_folder());
        frame.first_activation_done = true;
    }
    return result;
}

std::string cap(const FrameState& frame) {
    return "Skelvar  " + frame.app_version;
}

}  // namespace app
