#include "common/paths.hpp"

#include <filesystem>

#include "common/text.hpp"

namespace common {

char path_separator() noexcept {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string join_path(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && !is_separator(out.back())) out.push_back(path_separator());
    out.append(name);
    return out;
}

std::string config_folder_from_logs(std::string_view logs_folder) {
    return replace_all(logs_folder, "logs", "config");
}

std::string ftrim(std::string_view ss, FtrimPart part) {
    const auto last = ss.find_last_of("\\/");
    const std::string_view tail =
        last == std::string_view::npos ? std::string_view{} : ss.substr(last + 1);
    if (part == FtrimPart::Name) return std::string(tail);
    if (tail.empty()) return std::string(ss);
    return replace_all(ss, tail, "");
}

}  // namespace common
