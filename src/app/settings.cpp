#include "app/settings.hpp"

#include <cmath>
#include <limits>
#include <vector>

#include "common/file_io.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"

namespace app {
namespace {

std::int64_t whole_value(std::string_view line) {
    return common::round_half_even(common::numeric_value(line));
}

// A stored zoom below 6 (or none at all) is not kept: the map page then opens at 12.
constexpr double kMinZoom = 6.0;
constexpr std::string_view kFallbackZoom = "12";

}  // namespace

std::string savedata_text(const SettingsValues& values) {
    const std::string_view crlf = common::kCrLf;
    std::string out;
    out.reserve(values.logs_folder.size() + values.text3.size() + values.text2.size() + 64);
    const auto line = [&](std::string_view s) {
        out.append(s);
        out.append(crlf);
    };
    line(values.logs_folder);
    line(common::format_int(values.list8_height.value_or(0)));
    line(values.logs_checked ? "1" : "0");
    line(values.text3);
    line(common::format_single(values.feed_range));
    line(common::format_int(values.range_index));
    line(common::format_int(values.max_height));
    line(common::format_int(values.height_index));
    line(common::trim_spaces(values.text2));
    line("xzy");
    return out;
}

std::string matches_text() {
    constexpr std::size_t kMatchesRows = 34;
    std::string out;
    for (std::size_t i = 0; i < kMatchesRows; ++i) out.append(",,0").append(common::kCrLf);
    return out;
}

void loaddata(std::string_view text, SettingsValues& values, MenuChecks& checks) {
    const std::vector<std::string_view> lines = common::split(text, common::kCrLf);
    const auto has = [&](std::size_t number) { return lines.size() >= number; };
    const auto at = [&](std::size_t number) { return lines[number - 1]; };

    if (has(1)) values.logs_folder = std::string(at(1));
    if (has(2)) values.list8_height = whole_value(at(2));
    if (has(3)) values.logs_checked = common::numeric_value(at(3)) != 0.0;
    if (has(4)) values.text3 = std::string(at(4));
    if (has(5)) {
        // A value beyond single precision cannot be stored; the setting keeps its value.
        const double range = common::numeric_value(at(5));
        if (std::isfinite(range) && std::fabs(range) <= std::numeric_limits<float>::max()) {
            values.feed_range = static_cast<float>(range);
        }
    }
    if (has(6)) {
        values.range_index = whole_value(at(6));
        checks.check_mrg(values.range_index);
    }
    if (has(7)) values.max_height = whole_value(at(7));
    if (has(8)) {
        values.height_index = whole_value(at(8));
        checks.check_mrr(values.height_index);
    }
    if (has(9) && common::numeric_value(at(9)) >= kMinZoom) {
        values.text2 = std::string(at(9));
    } else {
        values.text2 = std::string(kFallbackZoom);
    }
}

common::FileStatus savedata(const ProgramLayout& layout, const SettingsValues& values) {
    if (auto status = common::savetext(layout.settings_file(), savedata_text(values)); !status) {
        return status;
    }
    return common::savetext(layout.matches_file(), matches_text());
}

bool loaddata_file(const ProgramLayout& layout, SettingsValues& values, MenuChecks& checks) {
    const std::string path = layout.settings_file();
    if (!common::file_exists(path)) return false;
    loaddata(common::read_file(path), values, checks);
    return true;
}

}  // namespace app
