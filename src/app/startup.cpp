#include "app/startup.hpp"

#include <utility>

#include "common/file_io.hpp"
#include "common/paths.hpp"

namespace app {
namespace {

constexpr float kDefaultFeedRange = 0.08f;
constexpr std::int64_t kDefaultRangeIndex = 1;
constexpr std::int64_t kDefaultMaxHeight = 2000;
constexpr std::int64_t kDefaultHeightIndex = 2;

SettingsValues settings_from(const StartupState& state) {
    SettingsValues v;
    v.logs_folder = state.frame.logs_folder;
    v.list8_height = state.window.list8_height;
    v.logs_checked = state.window.logs_checked;
    v.text3 = state.window.text3;
    v.feed_range = state.live.feed_range;
    v.range_index = state.live.range_index;
    v.max_height = state.live.max_height;
    v.height_index = state.live.height_index;
    v.text2 = state.window.text2;
    return v;
}

void apply_settings(SettingsValues v, StartupState& state) {
    state.frame.logs_folder = std::move(v.logs_folder);
    state.window.list8_height = v.list8_height;
    state.window.logs_checked = v.logs_checked;
    state.window.text3 = std::move(v.text3);
    state.live.feed_range = v.feed_range;
    state.live.range_index = v.range_index;
    state.live.max_height = v.max_height;
    state.live.height_index = v.height_index;
    state.window.text2 = std::move(v.text2);
}

}  // namespace

std::string model_matching_path(std::string_view logs_folder) {
    const std::string config = common::config_folder_from_logs(logs_folder);
    // An empty folder still gets its separator, so the path never turns relative to the
    // working folder.
    if (config.empty()) {
        std::string path(1, common::path_separator());
        path.append(kModelMatchingFileName);
        return path;
    }
    return common::join_path(config, kModelMatchingFileName);
}

StartupState startup(std::string program_folder, bool locale_uses_decimal_comma) {
    StartupState state;
    state.frame.program_folder = std::move(program_folder);
    state.frame.comma_decimal = locale_uses_decimal_comma;
    const std::string& folder = state.frame.program_folder;

    // A folder that cannot be created is left to fail the later writes into it.
    for (const char* sub : {"system", "models"}) {
        const std::string path = common::join_path(folder, sub);
        if (!common::folder_exists(path)) common::create_folder(path);
    }

    SettingsValues values = settings_from(state);
    if (loaddata_file(folder, values, state.checks)) apply_settings(std::move(values), state);

    state.window.text1 = state.frame.logs_folder;
    state.frame.json_path = model_matching_path(state.window.text1);
    state.json_text = common::read_file(state.frame.json_path);

    state.checks.check_mrr(state.live.height_index);

    if (state.live.feed_range == 0.0f) {
        state.live.range_index = kDefaultRangeIndex;
        state.live.feed_range = kDefaultFeedRange;
        state.checks.check_mrg(kDefaultRangeIndex);
    }
    if (state.live.max_height == 0) {
        state.live.height_index = kDefaultHeightIndex;
        state.checks.check_mrr(kDefaultHeightIndex);
        state.live.max_height = kDefaultMaxHeight;
    }
    return state;
}

bool savedata(StartupState& state) {
    state.frame.logs_folder = state.window.text1;
    return savedata(state.frame.program_folder, settings_from(state), state.live.matches_table);
}

std::optional<std::string> get_token(int aa, bool is_admin, FrameState& frame) {
    if (is_admin) return std::nullopt;
    if (aa != 1) return std::string(kRunAsAdminMessage);
    if (frame.file_error_shown) return std::nullopt;
    frame.file_error_shown = true;
    return std::string(kFileErrorMessage);
}

Activation activate(StartupState& state, bool is_admin) {
    Activation result;
    const std::string& logs = state.frame.logs_folder;
    result.relist_logs = !logs.empty() && common::folder_exists(logs);
    if (!state.frame.first_activation_done) {
        result.message = get_token(0, is_admin, state.frame);
        state.frame.first_activation_done = true;
    }
    return result;
}

std::string cap(const FrameState& frame) {
    return "Skelvar  " + frame.app_version;
}

}  // namespace app
