#include "live/flight_search.hpp"

#include "common/text.hpp"

namespace live {

SearchOutcome search_live(LiveSearch& state, const std::vector<std::string>& rows,
                          std::string_view text, bool match_case) {
    if (rows.size() < 2) return {};
    const std::string needle = match_case ? std::string(text) : common::to_lower(text);
    if (common::trim_spaces(needle).empty()) return {SearchEffect::ClearSelection, 0};

    const int last = static_cast<int>(rows.size()) - 1;
    const auto scan = [&]() -> std::optional<int> {
        for (int i = std::max(state.search_pos, 0); i <= last; ++i) {
            const std::string& row = rows[static_cast<std::size_t>(i)];
            if (match_case ? common::contains(row, needle)
                           : common::contains_ignore_case(row, needle)) {
                return i;
            }
        }
        return std::nullopt;
    };
    std::optional<int> hit = scan();
    if (hit) {
        state.search_pos = *hit + 1;
    } else if (state.search_pos > 1) {
        state.search_pos = 1;
        hit = scan();
        if (hit) state.search_pos = *hit + 1;
    }
    if (state.search_pos > last) state.search_pos = 1;
    if (!hit) return {SearchEffect::ClearSelection, 0};
    return {SearchEffect::Select, *hit};
}

std::optional<std::string_view> flight_to_look_up(std::string_view row) {
    const std::vector<std::string_view> fields = common::split(row, "\t");
    if (fields.size() < 5) return std::nullopt;
    const std::string_view flight = fields[4].empty() && fields.size() > 5 ? fields[5] : fields[4];
    if (flight == "---") return std::nullopt;
    return flight;
}

}  // namespace live
