#pragma once
// The flight list's search (search_live) and its web look-up column. Rows are List8's rows,
// header included as row 0.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace live {

struct LiveSearch {
    int search_pos = 0;  // the row the next search starts at; 0 until a key is typed

    // Text3_KeyPress for any key but Enter: the next search starts at row 1 (the caller clears
    // the list's selection).
    void key_typed() noexcept { search_pos = 1; }
};

enum class SearchEffect { Nothing, ClearSelection, Select };
struct SearchOutcome {
    SearchEffect effect = SearchEffect::Nothing;
    int row = 0;  // with Select
    friend bool operator==(const SearchOutcome&, const SearchOutcome&) = default;
};

// One press of the search button: the next row from search_pos that contains the text (letter
// case ignored unless match_case), wrapping once to row 1. Fewer than two rows: nothing; an empty
// or blank text, or no hit: the selection is cleared.
SearchOutcome search_live(LiveSearch& state, const std::vector<std::string>& rows,
                          std::string_view text, bool match_case);

// The flight number column of a row (the sixth TAB field after two alignment TABs, the fifth
// after one), or nothing when it is "---" and the double click opens nothing.
std::optional<std::string_view> flight_to_look_up(std::string_view row);

}  // namespace live
