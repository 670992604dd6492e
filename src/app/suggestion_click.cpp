#include "app/suggestion_click.hpp"

#include "common/paths.hpp"
#include "matching/suggestions.hpp"

namespace app {

SuggestionParts cut_suggestion_row(std::string_view row) {
    SuggestionParts parts;
    const auto comma = row.find(',');
    std::string_view type = row.substr(0, comma);
    if (comma == std::string_view::npos) {
        parts.messages.push_back(common::Message{"The selected row has no airline part."});
    } else {
        const std::string_view rest = row.substr(comma + 1);
        parts.airline.assign(rest.substr(0, rest.find(',')));
    }
    // The classification and its colon come before the type: " Livery?:B738" gives B738.
    if (const auto mark = type.find('?'); mark != std::string_view::npos) {
        type = mark + 2 <= type.size() ? type.substr(mark + 2) : std::string_view{};
    }
    parts.type_code.assign(type);
    return parts;
}

int find_suggestion(const std::vector<std::string>& suggestions, SuggestionPart part,
                    std::string_view value) {
    for (std::size_t i = 0; i < suggestions.size(); ++i) {
        const SuggestionParts parts = cut_suggestion_row(suggestions[i]);
        const std::string& got = part == SuggestionPart::Type ? parts.type_code : parts.airline;
        if (got == value) return static_cast<int>(i);
    }
    return -1;
}

SuggestionClick list1_mouse_down(std::string_view selected_row, logs::SpawnTable& table,
                                 const logs::RowText& records, std::int64_t record_count) {
    SuggestionParts parts = cut_suggestion_row(selected_row);
    SuggestionClick click;
    click.messages = std::move(parts.messages);
    click.model_name = matching::type_to_model(parts.type_code);
    click.type_code = std::move(parts.type_code);

    table.clear_labs();
    click.placement = logs::highlight_match(click.type_code, parts.airline, records, record_count);
    if (!click.placement) return click;
    if (click.placement->set_scrollbar) {
        table.on_scroll(click.placement->first_record, records);
    } else {
        table.scrol(0, logs::DrawText::Records, records);
    }
    table.paint_match(click.placement->row);
    return click;
}

PlaneSpawnedPress press_plane_spawned(int row, const std::vector<std::string>& suggestions,
                                      logs::SpawnTable& table, const logs::RowText& records,
                                      std::int64_t record_count) {
    PlaneSpawnedPress press;
    press.selected = table.plane_spawned_suggestion_index(row, suggestions);
    if (press.selected < 0) return press;
    press.click = list1_mouse_down(suggestions[static_cast<std::size_t>(press.selected)], table,
                                   records, record_count);
    return press;
}

}  // namespace app
