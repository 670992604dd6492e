#include "app/log_drop.hpp"

#include "common/text.hpp"
#include "logs/log_list.hpp"

namespace app {
namespace {

constexpr std::string_view kLogsFolderName = "logs";
constexpr std::string_view kListedExtension = ".txt";

bool listed_in_folder(std::string_view file_name) {
    return file_name.size() >= kListedExtension.size() &&
           common::to_lower(file_name.substr(file_name.size() - kListedExtension.size())) ==
               kListedExtension &&
           logs::log_label(file_name).has_value();
}

}  // namespace

LogDrop plan_log_drop(const std::vector<std::string>& paths, bool (*is_file)(std::string_view)) {
    if (paths.size() != 1) return {};
    const std::string& path = paths.front();
    const auto cut = path.find_last_of("\\/");
    if (cut == std::string::npos || cut + 1 == path.size() || !is_file(path)) return {};
    LogDrop drop;
    // The root keeps its separator: "/log1.txt" lies in "/".
    drop.folder = path.substr(0, cut == 0 ? 1 : cut);
    drop.file_name = path.substr(cut + 1);
    const auto name_cut = drop.folder.find_last_of("\\/");
    const std::string_view folder_name = name_cut == std::string::npos
                                             ? std::string_view(drop.folder)
                                             : std::string_view(drop.folder).substr(name_cut + 1);
    drop.kind = common::to_lower(folder_name) == kLogsFolderName && listed_in_folder(drop.file_name)
                    ? LogDrop::Kind::AdoptFolder
                    : LogDrop::Kind::SingleFile;
    return drop;
}

int list_dropped_log(Session& s, const LogDrop& drop) {
    LogListState& list = s.logs.list;
    if (drop.kind == LogDrop::Kind::SingleFile) {
        list.folder = drop.folder;
        list.entries = {{logs::log_label(drop.file_name).value_or(drop.file_name), drop.file_name}};
        list.chosen = -1;
        return 0;
    }
    if (drop.kind != LogDrop::Kind::AdoptFolder || list.folder != drop.folder) return -1;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (list.entries[i].file_name == drop.file_name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace app
