#include "logs/log_list.hpp"

#include <algorithm>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"

namespace logs {
namespace {

// Longer (hourly) names get " : " between the date and the hour.
constexpr std::size_t kSplitAbove = 16;
constexpr std::size_t kSplitAt = 11;
// The year digits that lead the name once "log" is removed.
constexpr std::size_t kDropped = 4;
constexpr std::size_t kSpaceAfter = 2;

std::string_view tail(std::string_view s, std::size_t from) {
    return s.substr(std::min(from, s.size()));
}

}  // namespace

std::optional<std::string> log_label(std::string_view file_name) {
    std::string s(file_name);
    if (file_name.size() > kSplitAbove) {
        s = std::string(file_name.substr(0, kSplitAt));
        s.append(" : ");
        s.append(file_name.substr(kSplitAt));
    }
    if (!common::contains_ignore_case(s, "log")) return std::nullopt;
    s = common::replace_all(s, "log", "");
    const std::string_view rest = tail(s, kDropped);
    std::string label(rest.substr(0, kSpaceAfter));
    label.push_back(' ');
    label.append(tail(rest, kSpaceAfter));
    return common::replace_all(label, ".txt", "00");
}

std::vector<LogEntry> f_refresh(std::string_view folder) {
    std::vector<LogEntry> entries;
    for (std::string& name : common::list_files(folder, ".txt")) {
        if (auto label = log_label(name)) entries.push_back({std::move(*label), std::move(name)});
    }
    return entries;
}

std::string log_path(std::string_view folder, std::string_view file_name) {
    return common::join_path(folder, file_name);
}

}  // namespace logs
