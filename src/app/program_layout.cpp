#include "app/program_layout.hpp"

#include "common/paths.hpp"

namespace app {

std::string ProgramLayout::system_folder() const {
    return common::join_path(root_, "system");
}

std::string ProgramLayout::models_folder() const {
    return common::join_path(root_, "models");
}

std::array<std::string, 2> ProgramLayout::created_folders() const {
    return {system_folder(), models_folder()};
}

std::string ProgramLayout::settings_file() const {
    return common::join_path(root_, "mm.dat");
}

std::string ProgramLayout::matches_file() const {
    return common::join_path(system_folder(), "matches");
}

std::string ProgramLayout::titles_report() const {
    return common::join_path(system_folder(), "fnd");
}

std::string ProgramLayout::failures_report() const {
    return common::join_path(models_folder(), "failures");
}

std::string ProgramLayout::stale_tmp_file() const {
    return common::join_path(root_, "tmp");
}

std::string ProgramLayout::sample_logs_folder() const {
    return common::join_path(common::join_path(root_, "samples"), "logs");
}

std::string ProgramLayout::result_file(ResultList kind) const {
    switch (kind) {
        case ResultList::NoMatch:
            return common::join_path(models_folder(), "no-match");
        case ResultList::Matched:
            return common::join_path(models_folder(), "matched");
        case ResultList::Models:
            break;
    }
    return common::join_path(models_folder(), "models");
}

std::string ProgramLayout::airport_list_file() const {
    return common::join_path(system_folder(), "airplst");
}

std::string ProgramLayout::airlines_file() const {
    return common::join_path(system_folder(), "airlines");
}

std::string ProgramLayout::iata_file() const {
    return common::join_path(system_folder(), "iata");
}

std::string ProgramLayout::lookup_file() const {
    return common::join_path(system_folder(), "az5");
}

std::string ProgramLayout::icons_folder() const {
    return common::join_path(system_folder(), "imgs");
}

std::string ProgramLayout::icon_file(int direction) const {
    return common::join_path(icons_folder(), "p" + std::to_string(direction) + ".gif");
}

std::string ProgramLayout::raw_feed_file() const {
    return common::join_path(system_folder(), "rdr");
}

std::string ProgramLayout::map_page_file() const {
    return common::join_path(system_folder(), "mm.htm");
}

std::string ProgramLayout::map_script_file() const {
    return common::join_path(system_folder(), "apmm.js");
}

std::string model_matching_path(std::string_view logs_folder) {
    const std::string config = common::config_folder_from_logs(logs_folder);
    if (config.empty())
        return std::string(1, common::path_separator()).append(kModelMatchingFileName);
    return common::join_path(config, kModelMatchingFileName);
}

std::string model_matching_reload_path(std::string_view json_path) {
    return common::join_path(common::ftrim(json_path, common::FtrimPart::Folder),
                             kModelMatchingFileName);
}

}  // namespace app
