#pragma once
// A click on a default-model suggestion (List1_MouseDown): fills the type and model boxes and
// brings the oldest matching spawn into view in the table, highlighted. Also the press on a
// Plane Spawned cell, which picks the suggestion for that row and acts as such a click.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.hpp"
#include "logs/row_text.hpp"
#include "logs/spawn_table.hpp"

namespace app {

// A List1(0) row cut at commas: the type (what follows "?:" when there is a "?") and the airline.
struct SuggestionParts {
    std::string type_code;                  // A0
    std::string airline;                    // A1
    std::vector<common::Message> messages;  // a row without a comma has no airline
};
SuggestionParts cut_suggestion_row(std::string_view row);

enum class SuggestionPart { Type, Airline };
// The first List1(0) row whose type (or airline) is value, -1 when none is: a chart bar goes to
// the suggestion of its type or airline.
int find_suggestion(const std::vector<std::string>& suggestions, SuggestionPart part,
                    std::string_view value);

struct SuggestionClick {
    std::string type_code;                          // goes to Text4(0)
    std::string model_name;                         // goes to Text4(1)
    std::optional<logs::MatchPlacement> placement;  // nullopt: no record matched
    std::vector<common::Message> messages;          // failing steps, shown with an OK button
};

// Acts on the selected List1(0) row; the caller does nothing when no row is selected and reloads
// the model-matching text (model_matching_reload_path) when it is empty. The table is left drawn
// and painted; when placement->set_scrollbar the window moves v1 to first_record with its change
// handler blocked, since running it again would redraw the page and drop the highlight.
SuggestionClick list1_mouse_down(std::string_view selected_row, logs::SpawnTable& table,
                                 const logs::RowText& records, std::int64_t record_count);

struct PlaneSpawnedPress {
    std::int64_t selected = -1;  // List1(0) entry to select, -1: nothing happens
    std::optional<SuggestionClick> click;
};

// A press (other than the right button) on the Plane Spawned cell of a table row.
PlaneSpawnedPress press_plane_spawned(int row, const std::vector<std::string>& suggestions,
                                      logs::SpawnTable& table, const logs::RowText& records,
                                      std::int64_t record_count);

}  // namespace app
